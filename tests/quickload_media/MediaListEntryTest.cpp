#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/com/ComError.h"
#include "src/quickload_media/MediaListEntry.h"

namespace qltest {
namespace {

using tessaly::MediaKind;
using tessaly::MediaListEntry;

struct Parsed {
    std::string title;
    std::string path;
    int kindCode;
};

TEST(MediaListEntryTest, LinesSplitIntoTitlePathAndKind) {
    struct Case {
        const char* line;
        Parsed parsed;
    };
    const Case cases[] = {
        {"Lake photo:photos/lake.jpg,1", {"Lake photo", "photos/lake.jpg", 1}},
        {"  Lake photo:photos/lake.jpg,1  ", {"Lake photo", "photos/lake.jpg", 1}},
        {"Lake : photos\\lake.jpg,1", {"Lake ", " photos\\lake.jpg", 1}},
        {"USGS:https://www.usgs.gov/water,3", {"USGS", "https://www.usgs.gov/water", 3}},
        {"Drive:C\xC3\x9F/maps/a.pdf,6", {"Drive", "C:/maps/a.pdf", 6}},
        {"Code with blanks:a.pdf, 6", {"Code with blanks", "a.pdf", 6}},
        {"Rounded:a.pdf,6.5", {"Rounded", "a.pdf", 6}},
        {"Out of range:a.pdf,12", {"Out of range", "a.pdf", 12}},
    };
    for (const Case& c : cases) {
        const auto entry = tessaly::ParseMediaLine(c.line);
        ASSERT_TRUE(entry.has_value()) << c.line;
        EXPECT_EQ(entry->title, c.parsed.title) << c.line;
        EXPECT_EQ(entry->path, c.parsed.path) << c.line;
        EXPECT_EQ(entry->kindCode, c.parsed.kindCode) << c.line;
    }
}

TEST(MediaListEntryTest, LinesWithoutColonOrCommaAreSkipped) {
    for (const char* line : {"", "   ", "just a note", "Title only:no comma here", "a,b,c", "# comment, not one"})
        EXPECT_FALSE(tessaly::ParseMediaLine(line).has_value()) << line;
}

TEST(MediaListEntryTest, BadLinesFailWithTheRuntimesErrors) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"x,y:z.doc", platform::vberr::InvalidCall},  // the only comma before the colon
        {"Word:a.doc,five", platform::vberr::TypeMismatch},
        {"Word:a.doc,", platform::vberr::TypeMismatch},
        {"Two commas:a,b.doc,5", platform::vberr::TypeMismatch},
        {"Huge:a.doc,99999999999", platform::vberr::Overflow},
    };
    for (const auto& [line, number] : cases) {
        try {
            tessaly::ParseMediaLine(line);
            ADD_FAILURE() << "parsed " << line;
        } catch (const platform::ComError& error) {
            EXPECT_EQ(error.Number(), number) << line;
        }
    }
}

TEST(MediaListEntryTest, FullPathsLieBelowTheDocumentFolderExceptWebAddresses) {
    struct Case {
        MediaListEntry entry;
        const char* full;
    };
    const Case cases[] = {
        {{"Lake photo", "photos/lake.jpg", 1}, "/maps/lake/photos/lake.jpg"},
        {{"Lake photo", "photos\\sub\\lake.jpg", 1}, "/maps/lake/photos/sub/lake.jpg"},
        {{"USGS", "https://www.usgs.gov/water", 3}, "https://www.usgs.gov/water"},
        {{"Shortcut", "links\\usgs.url", 3}, "/maps/lake/links/usgs.url"},
        {{"Shouting", "links\\USGS.URL", 3}, "links\\USGS.URL"},
        {{"Not a website", "https://x.org/a.url", 1}, "/maps/lake/https://x.org/a.url"},
    };
    for (const Case& c : cases) EXPECT_EQ(tessaly::MediaFullPath(c.entry, "/maps/lake/"), c.full) << c.entry.title;
}

TEST(MediaListEntryTest, EachKindHasItsTypeTexts) {
    struct Case {
        int code;
        const char* inAll;
        const char* inOwnList;
    };
    const Case cases[] = {
        {0, "Google Earth File", "Text File"}, {1, "Image", "Image File"},
        {2, "Movie", "Movie"},                 {3, "Website", "Website"},
        {4, "Excel File", "Excel File"},       {5, "Word File", "Word File"},
        {6, "PDF File", "PDF File"},           {7, "PowerPoint File", "PowerPoint Presentation"},
    };
    for (const Case& c : cases) {
        const auto kind = tessaly::MediaKindOfCode(c.code);
        ASSERT_TRUE(kind.has_value()) << c.code;
        EXPECT_STREQ(tessaly::TypeTextInAll(*kind), c.inAll);
        EXPECT_STREQ(tessaly::TypeTextInOwnList(*kind), c.inOwnList);
    }
    EXPECT_FALSE(tessaly::MediaKindOfCode(-1).has_value());
    EXPECT_FALSE(tessaly::MediaKindOfCode(8).has_value());
}

}  // namespace
}  // namespace qltest
