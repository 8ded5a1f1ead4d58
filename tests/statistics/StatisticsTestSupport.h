#pragma once
// Real data, a fresh headless host and a scripted user for the statistics tests.
//
// Datasets are written on demand into each test's own temporary folder:
//   gauges.shp   points; LEVEL (real), DEPTH (integer), NAME (text); FID order:
//                0: 2, 10   1: 4, 20   2: 4, 10   3: 6, 20   4: -9999, 30   5: Null, 40
//   wells.gpkg   layer "wells" (fid from 1): YIELD (real), DEPTH (integer):
//                1: 1.5, 100   2: 1.5, 200   3: 2.5, 200   4: 2.5, 300   5: 3, Null
//                layer "single": VALUE 42.5 in one row; layer "empty": VALUE, no rows;
//                layer "flat": VALUE 1, 2, 3; layer "voids": VALUE Null, Null
//                layer "odd": GOOD (real) 1, 2, then "X]Y" (real) 3, 4
//   readings.dbf a table: FLOW (real) 5, 7, 7, Null
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/forms/HeadlessBackend.h"
#include "platform/map/HeadlessHostServices.h"
#include "tests/support/InstalledHost.h"
#include "tests/support/ModelessCapturingBackend.h"

namespace platform {
class Application;
class Form;
class ModelessFrame;
class FeatureLayer;
class HostObject;
class StandaloneTable;
}  // namespace platform

namespace tessaly {
class TableLayerCollection;
class tessaly_ThemeIDDialog;
struct StatsDialogSettings;
}  // namespace tessaly

namespace statstest {

// What the scripted user does in the setup dialog.
struct DialogChoice {
    int layer = -1;                      // list row to click; -1 keeps the preselection
    std::vector<int> fieldRows = {0};    // field-list rows to click, in order
    std::optional<bool> selectedOnly = std::nullopt;  // click "Only selected" (true) or "All" (false)
    std::optional<std::string> ignore = std::nullopt;  // tick "Ignore" and type this; none: leave the box as it is
    int decimals = -1;                   // choose this position; -1 leaves it
    bool cancel = false;
};

using ReportCapturingBackend = testsupport::ModelessCapturingBackend;

class StatisticsTest : public ::testing::Test {
protected:
    StatisticsTest();
    ~StatisticsTest() override;

    std::string Data(const std::string& name) const;
    std::shared_ptr<platform::FeatureLayer> Gauges(const std::string& name = "Gauges");
    std::shared_ptr<platform::FeatureLayer> Wells(const std::string& layer = "wells", const std::string& name = "Wells");
    std::shared_ptr<platform::StandaloneTable> Readings(const std::string& name = "Readings");

    // A collection of these items, keyed from "0".
    static std::shared_ptr<tessaly::TableLayerCollection> Candidates(
        std::initializer_list<std::shared_ptr<platform::HostObject>> items);

    // The next setup dialog plays this choice.
    void Choose(const DialogChoice& choice);

    // One pipeline run as the statistics command makes it (or with another
    // rule); the report shown, "" when none was shown.
    std::string Run(tessaly::StatsDialogSettings& settings, std::shared_ptr<tessaly::TableLayerCollection> candidates,
                    std::shared_ptr<platform::HostObject> preselected = nullptr,
                    std::size_t rule = 74);

    std::shared_ptr<ReportCapturingBackend> ui_ = std::make_shared<ReportCapturingBackend>();
    std::shared_ptr<platform::HeadlessHostServices> host_ = std::make_shared<platform::HeadlessHostServices>();
    std::shared_ptr<platform::Application> app_;
    int reportsShown_ = 0;

private:
    void WriteData() const;

    std::filesystem::path folder_;
    std::unique_ptr<testsupport::InstalledHost> installed_;
};

// The report without its completion line, which must end it; fails the test
// when the line is missing or malformed.
std::string WithoutCompletionLine(const std::string& report);

// Selects exactly these object IDs.
void Select(platform::FeatureLayer& layer, const std::vector<long long>& ids);
void Select(platform::StandaloneTable& table, const std::vector<long long>& ids);

}  // namespace statstest
