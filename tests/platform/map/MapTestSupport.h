#pragma once
// Real data and a fresh headless host for the map tests.
//
// In every Scene folder:
//   cities.shp  points, EPSG:4326, NAME and POP, FID order:
//               0 Oslo (10.75 59.91) 700000, 1 Bergen (5.32 60.39) 285000,
//               2 Tromso (18.96 69.65) 75000, 3 Alta (23.27 69.97) 20000
//   zones.shp   polygons, EPSG:3857, NAME: 0 "south" covering Oslo and Bergen,
//               1 "north" covering Tromso and Alta
//   people.dbf  NAME, AGE: Ann 30, Bob 45, Cid 61
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/com/ComError.h"
#include "platform/map/HeadlessHostServices.h"

namespace platform {
class Table;
class SelectionSet;
}  // namespace platform

namespace maptest {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& relative) const { return (path_ / relative).generic_string(); }

private:
    std::filesystem::path path_;
};

// Writes the three datasets above into folder (created when missing).
void WriteScene(const std::filesystem::path& folder);

// A fresh headless host installed for each test, and the scene in a temp folder.
class MapTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Cities() const { return folder_.File("data/cities.shp"); }
    std::string Zones() const { return folder_.File("data/zones.shp"); }
    std::string People() const { return folder_.File("data/people.dbf"); }

    TempFolder folder_;
    std::shared_ptr<platform::HeadlessHostServices> host_;

private:
    std::shared_ptr<platform::HostServices> previous_;
};

// The selected object IDs, ascending.
std::vector<long long> Selected(const std::shared_ptr<platform::SelectionSet>& selection);
// The NAME of every row the table shows.
std::vector<std::string> Names(platform::Table& table);

// Runs the call, expecting a ComError; returns it.
platform::ComError ExpectComError(const std::function<void()>& call);

}  // namespace maptest
