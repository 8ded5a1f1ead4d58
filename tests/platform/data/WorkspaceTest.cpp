#include "platform/data/Workspace.h"

#include "DataTestSupport.h"
#include "platform/com/Hresult.h"

using namespace testdata;

TEST(WorkspaceFactory, DescribesEachKindSingularAndPlural) {
    struct Case {
        platform::WorkspaceKind kind;
        const char* singular;
        const char* plural;
    };
    const Case cases[] = {
        {platform::WorkspaceKind::Folder, "Shapefiles", "Shapefiles"},
        {platform::WorkspaceKind::GeoPackage, "Personal Geodatabase", "Personal Geodatabases"},
        {platform::WorkspaceKind::PostgreSQL, "SDE Database", "SDE Databases"},
        {platform::WorkspaceKind::Other, "Comma Separated Value (.csv)", "Comma Separated Value (.csv)"},
    };
    for (const auto& c : cases) {
        platform::WorkspaceFactory factory(c.kind, "Comma Separated Value (.csv)");
        EXPECT_EQ(factory.WorkspaceDescription(false), c.singular);
        EXPECT_EQ(factory.WorkspaceDescription(true), c.plural);
    }
}

TEST(FolderWorkspaceFactory, AcceptsExistingFoldersOnly) {
    platform::FolderWorkspaceFactory factory;
    struct Case {
        std::string path;
        bool workspace;
    };
    const Case cases[] = {
        {Data().Path().string(), true},
        {Data().Path().string() + "/", true},
        {Data().Shapefile(), false},
        {Data().File("missing"), false},
        {"c:\\Users\\someone\\Documents\\", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(factory.IsWorkspace(c.path), c.workspace) << c.path;
}

TEST(FolderWorkspaceFactory, OpensAnyPathAndExistsTellsWhetherItIsThere) {
    platform::FolderWorkspaceFactory factory;
    auto there = factory.OpenFromFile(Data().Path().string() + "/", 0);
    EXPECT_TRUE(there->Exists());
    EXPECT_EQ(there->Name(), Data().Path().filename().string());
    auto name = std::dynamic_pointer_cast<platform::WorkspaceName>(there->FullName());
    ASSERT_TRUE(name);
    EXPECT_EQ(name->PathName(), Data().Path().string() + "/");
    EXPECT_EQ(name->WorkspaceFactory()->WorkspaceDescription(false), "Shapefiles");

    EXPECT_FALSE(factory.OpenFromFile(Data().File("missing/"), 0)->Exists());
}

TEST(WorkspaceFactory, OtherKindsOpenOnlyTheirOwnSources) {
    platform::WorkspaceFactory geopackages(platform::WorkspaceKind::GeoPackage);
    EXPECT_TRUE(geopackages.IsWorkspace(Data().GeoPackage()));
    EXPECT_FALSE(geopackages.IsWorkspace(Data().Shapefile()));
    EXPECT_TRUE(geopackages.OpenFromFile(Data().GeoPackage(), 0)->Exists());
    EXPECT_EQ(ExpectComError([&] { geopackages.OpenFromFile(Data().Csv(), 0); }).Number(), platform::E_FAIL);
}
