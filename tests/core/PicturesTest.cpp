#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/forms/PictureRegistry.h"
#include "src/resources/Bitmaps.h"
#include "src/resources/FormPictures.h"
#include "src/resources/PixelCanvas.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

struct Uses {
    std::set<std::string> names;
    std::vector<std::string> unreadable;  // calls whose name the scan cannot tell
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void AddLiterals(const std::string& text, std::set<std::string>& names) {
    static const std::regex literal("\"([^\"]*)\"");
    for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it) names.insert((*it)[1]);
}

// The literals a range-for binding `variable` runs over: an inline list, or
// the list an array of that name is initialised with.
bool AddLoopLiterals(const std::string& text, const std::string& variable, std::set<std::string>& names) {
    const std::regex loop("for\\s*\\([^;{}]*\\b" + variable +
                          "\\b[^;{}]*?:\\s*(\\{[^}]*\\}|[A-Za-z_]\\w*)\\s*\\)");
    bool found = false;
    for (std::sregex_iterator it(text.begin(), text.end(), loop), end; it != end; ++it) {
        const std::string range = (*it)[1];
        if (range.front() == '{') {
            AddLiterals(range, names);
            found = true;
            continue;
        }
        const std::regex array("\\b" + range + "\\s*(?:\\[\\s*\\])?\\s*=\\s*\\{([^;]*)\\};");
        std::smatch list;
        if (std::regex_search(text, list, array)) {
            AddLiterals(list[1], names);
            found = true;
        }
    }
    return found;
}

// Every picture name the library's sources hand to a picture, pointer icon or
// image list: a literal argument, or the variable of a range-for over literals.
Uses PictureNamesInSources() {
    static const std::regex call(R"(\b(SetPicture|SetMouseIcon|AddImage)\s*\(([^)]*)\))");
    static const std::regex literalArgument(R"re(^\s*"([^"]*)"\s*$)re");
    static const std::regex identifier(R"(^\s*([A-Za-z_]\w*)\s*$)");
    Uses uses;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(TESSALY_TEST_DATA_DIR) / ".." / ".." / "src")) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h") continue;
        const std::string text = ReadAll(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) {
            const std::string argument = (*it)[2];
            std::smatch match;
            if (std::regex_match(argument, match, literalArgument)) {
                uses.names.insert(match[1]);
            } else if (!std::regex_match(argument, match, identifier) ||
                       !AddLoopLiterals(text.substr(0, static_cast<std::size_t>(it->position())), match[1], uses.names)) {
                uses.unreadable.push_back(entry.path().filename().string() + ": " + it->str());
            }
        }
    }
    return uses;
}

bool HasInk(const platform::Bitmap& pixels) {
    if (pixels.alpha.empty()) return !pixels.rgb.empty();
    return std::any_of(pixels.alpha.begin(), pixels.alpha.end(), [](std::uint8_t a) { return a != 0; });
}

// The library's first resource load (a command's bitmap) brings its form pictures along.
TEST(FormPictures, EveryPictureNameInTheFormsResolvesOnceACommandBitmapIsLoaded) {
    ASSERT_NE(LoadResPicture(101), nullptr);
    const Uses uses = PictureNamesInSources();
    EXPECT_TRUE(uses.unreadable.empty()) << "picture names the scan cannot read: " << ::testing::PrintToString(uses.unreadable);
    // The scan finds what the About box and the report windows are known to use.
    for (const char* known : {"cornerbars", "tessalylogo", "makerlogo", "handcursor"}) EXPECT_TRUE(uses.names.count(known)) << known;
    for (const std::string& name : uses.names) {
        const auto picture = platform::FindPicture(name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_TRUE(HasInk(picture->Pixels())) << name;
    }
}

// Sizes that fit the controls showing them: the media dialog's 15-pixel corner,
// the help window's page, the tree's 16-pixel rows.
TEST(FormPictures, EveryListedPictureIsRegisteredWithTheSizeItsControlExpects) {
    RegisterFormPictures();
    struct Size {
        const char* name;
        int width, height;
    };
    const Size sizes[] = {
        {"cornerbars", 15, 15},     {"handcursor", 32, 32},   {"tessalylogo", 96, 96},  {"makerlogo", 96, 48},
        {"sumhelp", 622, 435},      {"stat_unticked", 16, 16}, {"stat_ticked", 16, 16},  {"field_text", 16, 16},
        {"field_numeric", 16, 16},  {"field_oid", 16, 16},    {"field_date", 16, 16},   {"browse", 16, 16},
        {"opentable", 16, 16},      {"statistics", 16, 16},   {"switchselection", 16, 16},
    };
    for (const Size& size : sizes) {
        const auto picture = platform::FindPicture(size.name);
        ASSERT_NE(picture, nullptr) << size.name;
        EXPECT_EQ(picture->Pixels().width, size.width) << size.name;
        EXPECT_EQ(picture->Pixels().height, size.height) << size.name;
    }
    std::set<std::vector<std::uint8_t>> operators;
    for (std::string_view name : FormPictureNames()) {
        const auto picture = platform::FindPicture(std::string(name));
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_TRUE(HasInk(picture->Pixels())) << name;
        if (name.starts_with("op_")) operators.insert(picture->Pixels().alpha);
    }
    EXPECT_EQ(operators.size(), 10U) << "each operator button shows its own picture";
}

TEST(FormPictures, TheTickedStatisticDiffersFromTheUntickedOne) {
    RegisterFormPictures();
    EXPECT_NE(platform::FindPicture("stat_ticked")->Pixels().rgb, platform::FindPicture("stat_unticked")->Pixels().rgb);
}

// Pictures drawn over a window's own face leave it showing around their lines.
TEST(FormPictures, GripCursorAndButtonPicturesAreClearAroundTheirInk) {
    RegisterFormPictures();
    for (const char* name : {"cornerbars", "handcursor", "opentable", "op_and"}) {
        const platform::Bitmap& pixels = platform::FindPicture(name)->Pixels();
        ASSERT_EQ(pixels.alpha.size(), static_cast<std::size_t>(pixels.width * pixels.height)) << name;
        EXPECT_EQ(pixels.alpha.front(), 0) << name << ": top-left corner";
    }
    // The grip's lines run into the lower right corner.
    const platform::Bitmap& grip = platform::FindPicture("cornerbars")->Pixels();
    EXPECT_NE(grip.alpha[static_cast<std::size_t>(14 * grip.width + 13)], 0);
}

TEST(FormPictures, CommandBitmapsStayOpaque) {
    const auto picture = LoadResPicture(120);
    EXPECT_TRUE(picture->Pixels().alpha.empty());
    EXPECT_EQ(picture->Pixels().rgb.size(), 16U * 16U * 3U);
}

struct TextCase {
    const char* text;
    int scale;
    bool bold;
    int width;
};

TEST(PixelCanvas, TextWidthCountsCellsWithoutTheLastGap) {
    const TextCase cases[] = {
        {"", 1, false, 0}, {"A", 1, false, 5}, {"AB", 1, false, 11}, {"AB", 2, false, 22},
        {"A", 1, true, 6}, {"AB", 1, true, 13}, {"TESSALY", 2, false, 82},
    };
    for (const TextCase& c : cases) EXPECT_EQ(TextWidth(c.text, c.scale, c.bold), c.width) << c.text << " x" << c.scale;
}

TEST(PixelCanvas, DrawingPastTheEdgesIsClipped) {
    PixelCanvas canvas(4, 3);
    canvas.Fill(-10, -10, 100, 100, Rgba{1, 2, 3});
    canvas.Text(-3, -4, "W\xC3\xA9", Rgba{9, 9, 9}, 3, true);
    canvas.FillTriangle(-5, -5, 20, 0, 0, 20, Rgba{4, 5, 6});
    const platform::Bitmap pixels = canvas.ToBitmap();
    EXPECT_EQ(pixels.rgb.size(), 4U * 3U * 3U);
    EXPECT_TRUE(pixels.alpha.empty()) << "every pixel was painted opaque";
    EXPECT_EQ(canvas.At(-1, 0).a, 0) << "outside reads as clear";
}

TEST(PixelCanvas, ABitmapHasAnAlphaPlaneOnlyWhenSomethingIsClear) {
    PixelCanvas canvas(2, 1);
    EXPECT_EQ(canvas.ToBitmap().alpha, (std::vector<std::uint8_t>{0, 0}));
    canvas.Set(0, 0, Rgba{10, 20, 30});
    const platform::Bitmap partly = canvas.ToBitmap();
    EXPECT_EQ(partly.alpha, (std::vector<std::uint8_t>{255, 0}));
    EXPECT_EQ(partly.rgb, (std::vector<std::uint8_t>{10, 20, 30, 0, 0, 0}));
}

TEST(PixelCanvas, ALetterOutsideTheFontDrawsAsAQuestionMark) {
    PixelCanvas unknown(5, 9);
    PixelCanvas question(5, 9);
    unknown.Text(0, 0, "\xE9", Rgba{});
    question.Text(0, 0, "?", Rgba{});
    EXPECT_EQ(unknown.ToBitmap().alpha, question.ToBitmap().alpha);
}

}  // namespace
}  // namespace tessaly
