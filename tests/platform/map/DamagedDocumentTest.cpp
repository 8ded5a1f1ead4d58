#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "MapTestSupport.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/LayerFile.h"
#include "platform/map/MapDocument.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

class DamagedDocumentTest : public maptest::MapTest {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = folder_.File(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // A document whose one map holds `layers` (JSON text).
    static std::string DocumentWith(const std::string& layers) {
        return R"({"format": "tessaly-map-document", "maps": [{"layers": [)" + layers + "]}]}";
    }
    // `depth` group layers, each inside the one before.
    static std::string NestedGroups(int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += R"({"type": "group", "name": "g", "layers": [)";
        for (int i = 0; i < depth; ++i) text += "]}";
        return text;
    }
};

TEST_F(DamagedDocumentTest, MembersOfTheWrongTypeMakeAFileThatIsNotADocumentOrLayerFile) {
    struct Case {
        const char* name;
        const char* text;
        const char* what;
    };
    const Case cases[] = {
        {"format.tmd", R"({"format": 1})", "map document"},
        {"layers.tmd", R"({"format": "tessaly-map-document", "maps": [{"layers": "x"}]})", "map document"},
        {"layer.tmd", R"({"format": "tessaly-map-document", "maps": [{"layers": [5]}]})", "map document"},
        {"maps.tmd", R"({"format": "tessaly-map-document", "maps": {"a": 1}})", "map document"},
        {"focus.tmd", R"({"format": "tessaly-map-document", "focusMap": 1e300})", "map document"},
        {"title.tmd", R"({"format": "tessaly-map-document", "title": ["x"]})", "map document"},
        {"extent.tmd", R"({"format": "tessaly-map-document", "maps": [{"extent": [0, 0, "1", 1]}]})",
         "map document"},
        {"field.tmd", R"({"format": "tessaly-map-document", "maps": [{"layers": [{"fields": [{"name": 3}]}]}]})",
         "map document"},
        {"format.tlyr", R"({"format": ["tessaly-layer-file"]})", "layer file"},
        {"number.tlyr", R"({"format": "tessaly-layer-file", "layer": 7})", "layer file"},
        {"name.tlyr", R"({"format": "tessaly-layer-file", "layer": {"name": false}})", "layer file"},
        {"nolayer.tlyr", R"({"format": "tessaly-layer-file"})", "layer file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string path = Write(c.name, c.text);
        const auto error = maptest::ExpectComError([&] {
            if (std::string(c.what) == "layer file")
                LoadLayerFile(path);
            else
                MapDocument::Load(path);
        });
        EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80004005u);
        EXPECT_NE(error.Description().find("is not a " + std::string(c.what)), std::string::npos)
            << error.Description();
    }
}

TEST_F(DamagedDocumentTest, AHundredThousandCharacterDataSourceLoadsAsAnInvalidLayer) {
    const std::string source(100000, 'a');
    const std::string path =
        Write("long.tmd", DocumentWith(R"({"name": "Long", "dataSource": ")" + source + "\"}"));
    auto document = MapDocument::Load(path);
    auto layer = std::dynamic_pointer_cast<FeatureLayer>(document->FocusMap()->Layer(0));
    ASSERT_TRUE(layer);
    EXPECT_FALSE(layer->Valid());
    EXPECT_EQ(layer->DataSourcePath(), folder_.File(source));
}

TEST_F(DamagedDocumentTest, GroupsNestPastTheLimitAreRefusedWithAMessage) {
    const std::string deep = Write("deep.tmd", DocumentWith(NestedGroups(100000)));
    const auto error = maptest::ExpectComError([&] { MapDocument::Load(deep); });
    EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80004005u);
    EXPECT_NE(error.Description().find("nested deeper than 256 levels"), std::string::npos) << error.Description();

    auto document = MapDocument::Load(Write("limit.tmd", DocumentWith(NestedGroups(256))));
    auto group = std::dynamic_pointer_cast<GroupLayer>(document->FocusMap()->Layer(0));
    int levels = 0;
    for (; group; ++levels)
        group = group->Layers().empty() ? nullptr : std::dynamic_pointer_cast<GroupLayer>(group->Layers()[0]);
    EXPECT_EQ(levels, 256);
}

TEST_F(DamagedDocumentTest, SavingReplacesTheFileWithoutFollowingAPlantedTemporaryLink) {
    const std::string path = folder_.File("lesson.tmd");
    auto document = std::make_shared<MapDocument>();
    document->Title("First");
    document->Save(path);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const std::string victim = Write("victim.txt", "keep me");
    fs::create_symlink(victim, path + ".tmp");

    document->Title("Second");
    document->Save(path);

    EXPECT_EQ(Contents(victim), "keep me");
    EXPECT_EQ(MapDocument::Load(path)->Title(), "Second");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.Path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"data", "lesson.tmd", "lesson.tmd.tmp", "victim.txt"}));
}

TEST_F(DamagedDocumentTest, ATextThatIsNotUtf8FailsTheSaveWithAComErrorAndKeepsTheFile) {
    const std::string path = folder_.File("lesson.tmd");
    auto document = std::make_shared<MapDocument>();
    document->Title("Saved");
    document->Save(path);
    const std::string before = Contents(path);

    document->FocusMap()->AddLayer(FeatureLayer::Open("Z\xFCrich", Cities()));
    const auto error = maptest::ExpectComError([&] { document->Save(path); });
    EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80004005u);
    EXPECT_NE(error.Description().find("not valid UTF-8"), std::string::npos) << error.Description();
    EXPECT_EQ(Contents(path), before);
}

}  // namespace
