#include "src/resources/Bitmaps.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/com/ComError.h"
#include "src/resources/FormPictures.h"

namespace tessaly {
namespace {

constexpr int kSize = 16;

struct Rgb {
    std::uint8_t r, g, b;
};

// One letter per colour; '.' is the toolbar's face colour.
constexpr bool Colour(char letter, Rgb& out) {
    switch (letter) {
        case '.': out = {192, 192, 192}; return true;
        case 'k': out = {0, 0, 0}; return true;
        case 'w': out = {255, 255, 255}; return true;
        case 'g': out = {128, 128, 128}; return true;
        case 'b': out = {0, 0, 160}; return true;
        case 'l': out = {96, 160, 255}; return true;
        case 'c': out = {0, 255, 255}; return true;
        case 'r': out = {220, 0, 0}; return true;
        case 'n': out = {0, 150, 0}; return true;
        case 'o': out = {255, 140, 0}; return true;
        case 'y': out = {255, 230, 0}; return true;
        default: return false;
    }
}

struct Icon {
    std::int32_t id;
    std::array<std::string_view, kSize> rows;
};

// The twenty command pictures, drawn one letter per pixel.
constexpr Icon kIcons[] = {
    {101,  // OpenTable
     {
         "................",
         ".kkkkkkkkkkkkkk.",
         ".kbbbbbbbbbbbbk.",
         ".kbbbbbbbbbbbbk.",
         ".kkkkkkkkkkkkkk.",
         ".kwwwkwwwwkwwwk.",
         ".kwwwkwwwwkwwwk.",
         ".kkkkkkkkkkkkkk.",
         ".kwwwkwwwwkwwwk.",
         ".kwwwkwwwwkwwwk.",
         ".kkkkkkkkkkkkkk.",
         ".kwwwkwwwwkwwwk.",
         ".kwwwkwwwwkwwwk.",
         ".kkkkkkkkkkkkkk.",
         "................",
         "................",
     }},
    {102,  // cmdMediaViewer
     {
         "................",
         ".kkkkkkkkkkkkkk.",
         ".kllllllllllllk.",
         ".kllllwlllllllk.",
         ".kllllwwllllllk.",
         ".kllllwwwlllllk.",
         ".kllllwwwwllllk.",
         ".kllllwwwlllllk.",
         ".kllllwwllllllk.",
         ".kllllwlllllllk.",
         ".kllllllllllllk.",
         ".kkkkkkkkkkkkkk.",
         "......kggk......",
         ".....kggggk.....",
         "....kkkkkkkk....",
         "................",
     }},
    {103,  // cmdStats
     {
         "................",
         "..bbbbbbbbbbb...",
         "..bb.......bb...",
         "...bb.......b...",
         "....bb..........",
         ".....bb.........",
         "......bb........",
         ".......bb.......",
         "......bb........",
         ".....bb.........",
         "....bb..........",
         "...bb.......b...",
         "..bb.......bb...",
         "..bbbbbbbbbbb...",
         "................",
         "................",
     }},
    {104,  // cmdHistogramStats
     {
         "................",
         "k...............",
         "k......ll.......",
         "k......ll.......",
         "k....bbll.......",
         "k....bbllbb.....",
         "k....bbllbb.....",
         "k..llbbllbb.....",
         "k..llbbllbbll...",
         "k..llbbllbbll...",
         "k.bllbbllbbllb..",
         "k.bllbbllbbllb..",
         "k.bllbbllbbllb..",
         "kkkkkkkkkkkkkkkk",
         "................",
         "................",
     }},
    {105,  // cmdSelectNone
     {
         "................",
         ".kkkkkkkk.......",
         ".kcccccck.......",
         ".kcccccck.......",
         ".kcccccck.......",
         ".kcccccck.......",
         ".kcccccck.......",
         ".kkkkkkkk.......",
         "........rr....rr",
         ".........rr..rr.",
         "..........rrrr..",
         "...........rr...",
         "..........rrrr..",
         ".........rr..rr.",
         "........rr....rr",
         "................",
     }},
    {106,  // cmdSelectSwitch
     {
         "................",
         ".kkkkkk.........",
         ".kcccck.........",
         ".kcccck...k.....",
         ".kcccck...kk....",
         ".kkkkkk.kkkkk...",
         "..........kk....",
         "..........k.....",
         ".....k..........",
         "....kk..........",
         "...kkkkk.kkkkkk.",
         "....kk...kwwwwk.",
         ".....k...kwwwwk.",
         ".........kwwwwk.",
         ".........kkkkkk.",
         "................",
     }},
    {107,  // cmdSelectAll
     {
         "................",
         ".kkkkkk..kkkkkk.",
         ".kcccck..kcccck.",
         ".kcccck..kcccck.",
         ".kcccck..kcccck.",
         ".kcccck..kcccck.",
         ".kkkkkk..kkkkkk.",
         "................",
         "................",
         ".kkkkkk..kkkkkk.",
         ".kcccck..kcccck.",
         ".kcccck..kcccck.",
         ".kcccck..kcccck.",
         ".kcccck..kcccck.",
         ".kkkkkk..kkkkkk.",
         "................",
     }},
    {108,  // cmdSelByAttributes
     {
         "................",
         ".kkkkkkkkkkkkkk.",
         ".kggggggggggggk.",
         ".kkkkkkkkkkkkkk.",
         ".kwwwwwwwwwwwwk.",
         ".kkkkkkkkkkkkkk.",
         ".kcccccccccccck.",
         ".kkkkkkkkkkkkkk.",
         ".kwwwwwwwwwwwwk.",
         ".kkkkkkkkkkkkkk.",
         ".kcccccccccccck.",
         ".kkkkkkkkkkkkkk.",
         ".kwwwwwwwwwwwwk.",
         ".kkkkkkkkkkkkkk.",
         "................",
         "................",
     }},
    {109,  // cmdSelByLocation
     {
         "................",
         "................",
         ".kkkkkkkk.......",
         ".knnnnnnk.......",
         ".knnnnnnk.......",
         ".knnnnnnk.......",
         ".knnnnkkkkkkkk..",
         ".knnnnkcccccck..",
         ".kkkkkkcccccck..",
         "......kcccccck..",
         "......kcccccck..",
         "......kcccccck..",
         "......kkkkkkkk..",
         "................",
         "................",
         "................",
     }},
    {110,  // cmdSumTessaly
     {
         "................",
         ".nnnnnnnnnn.....",
         ".nn......nn.....",
         "..nn......n.....",
         "...nn...........",
         "....nn..........",
         ".....nn..kkkkkk.",
         "....nn...kwwwwk.",
         "...nn....kkkkkk.",
         "..nn.....kwwwwk.",
         ".nn......kkkkkk.",
         ".nn......nkwwwwk",
         ".nnnnnnnnnkkkkkk",
         "................",
         "................",
         "................",
     }},
    {111,  // cmdSelByAttTessaly
     {
         "................",
         ".kkkkkkkkkk.....",
         ".kggggggggk.....",
         ".kkkkkkkkkk.....",
         ".kcccccccck.....",
         ".kkkkkkkkkk.....",
         ".kwwwwkkkkk.....",
         ".kkkkkkwwwwk....",
         ".kcccckwllwwk...",
         ".kkkkkwwlwwwwk..",
         "......kwwwwwwk..",
         "......kwwwwwwk..",
         ".......kwwwwkkk.",
         "........kkkk.kkk",
         "..............kk",
         "................",
     }},
    {112,  // cmdQuickLoad
     {
         "................",
         ".........ooo....",
         "........ooo.....",
         ".......ooo......",
         "......ooo.......",
         ".....ooo........",
         "....ooooooooo...",
         ".......ooooo....",
         ".........ooo....",
         "........ooo.....",
         ".......ooo......",
         "......ooo.......",
         ".....oo.........",
         "....oo..........",
         "....o...........",
         "................",
     }},
    {113,  // cmdQLAddSpatial
     {
         "................",
         "..bbbbbbbb......",
         "..bllllllb......",
         "..bllllllb......",
         "..bllllllb......",
         "..bllllllb......",
         "..bllllllb......",
         "..bllllllb...nn.",
         "..bllbbllb...nn.",
         "..blb..blb.nnnnn",
         "..bb....bb.nnnnn",
         "..b......b...nn.",
         ".............nn.",
         "................",
         "................",
         "................",
     }},
    {114,  // cmdQLAddQuery
     {
         "................",
         "....bbbbbb......",
         "...bb....bb.....",
         "...bb....bb.....",
         ".........bb.....",
         "........bb......",
         ".......bb.......",
         "......bb.....nn.",
         "......bb.....nn.",
         "...........nnnnn",
         "......bb...nnnnn",
         "......bb.....nn.",
         ".............nn.",
         "................",
         "................",
         "................",
     }},
    {115,  // cmdQLAddLayer
     {
         "................",
         ".......k........",
         ".....kkykk......",
         "...kkyyyyykk....",
         ".kkyyyyyyyyykk..",
         "...kkyyyyykk....",
         ".....kkykk......",
         "...kkk.k.kkk....",
         ".kkllkk.kkllkk..",
         "...kkllllk...nn.",
         ".....kkkk....nn.",
         "...........nnnnn",
         "...........nnnnn",
         ".............nn.",
         ".............nn.",
         "................",
     }},
    {116,  // cmdQLDelete
     {
         "................",
         "..kkkkkkkk......",
         "..kwwwwwwkk.....",
         "..kwkkkkwwkk....",
         "..kwwwwwwwwk....",
         "..kwkkkkkkwk....",
         "..kwwwwwwwwk....",
         "..kwkkkkkkwk....",
         "..kwwwwwwwwk....",
         "..kwkkkkkkwk....",
         "..kwwwwwwwwk....",
         "..kwkkkkk.......",
         "..kwwwwww.rrrrrr",
         "..kkkkkkk.rrrrrr",
         "................",
         "................",
     }},
    {117,  // cmdDeleteSelLayers
     {
         "................",
         ".......k........",
         ".....kkykk......",
         "...kkyyyyykk....",
         ".kkyyyyyyyyykk..",
         "...kkyyyyykk....",
         ".....kkykk......",
         "...kkk.k.kkk....",
         ".kkllkk.kkllkk..",
         "...kkllllkk.....",
         ".....kkkk.......",
         ".........rr...rr",
         "..........rr.rr.",
         "...........rrr..",
         "..........rr.rr.",
         ".........rr...rr",
     }},
    {118,  // cmdSummarize
     {
         "................",
         "..kkkkkkkkkkk...",
         "..kk.......kk...",
         "...kk.......k...",
         "....kk..........",
         ".....kk.........",
         "......kk........",
         ".......kk.......",
         "......kk........",
         ".....kk.........",
         "....kk..........",
         "...kk.......k...",
         "..kk.......kk...",
         "..kkkkkkkkkkk...",
         "................",
         "................",
     }},
    {119,  // cmdSelByGraphic
     {
         "................",
         ".rr.rr.rr.rr.rr.",
         ".r............r.",
         "................",
         ".r..nnnnnnn...r.",
         ".r..nnnnnnn...r.",
         "....nnnnnnn.....",
         ".r..nnnnnnn...r.",
         ".r..nnnnnnn.k.r.",
         "............kk..",
         ".r..........kwk.",
         ".r..........kwwk",
         ".rr.rr.rr.rrkwkk",
         "............kk..",
         "............k...",
         "................",
     }},
    {120,  // cmdAbout
     {
         "................",
         ".....bbbbbb.....",
         "...bbbbbbbbbb...",
         "..bbbbbwwbbbbb..",
         "..bbbbbwwbbbbb..",
         ".bbbbbbbbbbbbbb.",
         ".bbbbbwwwbbbbbb.",
         ".bbbbbbwwbbbbbb.",
         ".bbbbbbwwbbbbbb.",
         ".bbbbbbwwbbbbbb.",
         ".bbbbbbwwbbbbbb.",
         "..bbbbwwwwbbbb..",
         "..bbbbbbbbbbbb..",
         "...bbbbbbbbbb...",
         ".....bbbbbb.....",
         "................",
     }},
};

constexpr bool WellFormed(const Icon& icon) {
    for (std::string_view row : icon.rows) {
        if (row.size() != kSize) return false;
        for (char letter : row) {
            Rgb unused{};
            if (!Colour(letter, unused)) return false;
        }
    }
    return true;
}

constexpr bool AllWellFormed() {
    for (const Icon& icon : kIcons) {
        if (!WellFormed(icon)) return false;
    }
    return true;
}
static_assert(AllWellFormed(), "every picture is 16 by 16 known colours");

platform::Bitmap Pixels(const Icon& icon) {
    platform::Bitmap bitmap{kSize, kSize, {}, {}};
    bitmap.rgb.reserve(kSize * kSize * 3);
    for (std::string_view row : icon.rows) {
        for (char letter : row) {
            Rgb colour{};
            Colour(letter, colour);
            bitmap.rgb.insert(bitmap.rgb.end(), {colour.r, colour.g, colour.b});
        }
    }
    return bitmap;
}

}  // namespace

std::unique_ptr<platform::StdPicture> LoadResPicture(std::int32_t id) {
    RegisterFormPictures();
    return std::make_unique<platform::StdPicture>(ResourceBitmap(id));
}

platform::Bitmap ResourceBitmap(std::int32_t id) {
    for (const Icon& icon : kIcons) {
        if (icon.id == id) return Pixels(icon);
    }
    throw platform::ComError(326, "TessalyOpenTable",
                             "Resource with identifier '" + std::to_string(id) + "' not found");
}

}  // namespace tessaly
