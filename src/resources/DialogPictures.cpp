#include <string>

#include "src/resources/Bitmaps.h"
#include "src/resources/PictureMakers.h"
#include "src/resources/PixelCanvas.h"

namespace tessaly::pictures {
namespace {

constexpr Rgba kBlack{0, 0, 0};
constexpr Rgba kWhite{255, 255, 255};
constexpr Rgba kBorder{112, 112, 112};
constexpr int kListSize = 16;

// A rounded tag with a short label: the tree's pictures of field kinds.
platform::Bitmap Tag(std::string_view label, Rgba ink, Rgba fill) {
    PixelCanvas canvas(kListSize, kListSize);
    canvas.Fill(0, 3, kListSize, 11, fill);
    canvas.Outline(0, 3, kListSize, 11, ink);
    for (int x : {0, kListSize - 1}) {
        for (int y : {3, 13}) canvas.Set(x, y, kClear);
    }
    canvas.Text((kListSize - TextWidth(label) + 1) / 2, 5, label, ink);
    return canvas.ToBitmap();
}

}  // namespace

// A check box as a list shows it: empty, or with a tick.
platform::Bitmap StatisticBox(bool ticked) {
    PixelCanvas canvas(kListSize, kListSize);
    canvas.Fill(1, 1, 13, 13, kWhite);
    canvas.Outline(1, 1, 13, 13, kBorder);
    if (ticked) {
        canvas.Draw(3, 4,
                    {
                        ".......k.",
                        "......kk.",
                        ".....kkk.",
                        "k...kkk..",
                        "kk.kkk...",
                        "kkkkk....",
                        ".kkk.....",
                        "..k......",
                    },
                    {{'k', kBlack}});
    }
    return canvas.ToBitmap();
}

platform::Bitmap FieldPicture(FieldKind kind) {
    switch (kind) {
    case FieldKind::Text: return Tag("ab", {0, 70, 170}, {232, 240, 255});
    case FieldKind::Numeric: return Tag("12", {0, 120, 40}, {232, 248, 232});
    case FieldKind::ObjectId: return Tag("ID", {100, 100, 100}, {240, 240, 240});
    case FieldKind::Date: break;
    }
    // A calendar leaf: red binding, white days.
    PixelCanvas canvas(kListSize, kListSize);
    canvas.Draw(0, 0,
                {
                    "................",
                    "...k.......k....",
                    ".kkkkkkkkkkkkkk.",
                    ".krrrrrrrrrrrrk.",
                    ".krrrrrrrrrrrrk.",
                    ".kkkkkkkkkkkkkk.",
                    ".kwwwwwwwwwwwwk.",
                    ".kwgwwgwwgwwgwk.",
                    ".kwwwwwwwwwwwwk.",
                    ".kwgwwgwwrwwgwk.",
                    ".kwwwwwwwwwwwwk.",
                    ".kwgwwgwwgwwgwk.",
                    ".kwwwwwwwwwwwwk.",
                    ".kkkkkkkkkkkkkk.",
                    "................",
                    "................",
                },
                {{'k', {64, 64, 64}}, {'r', {200, 30, 30}}, {'w', kWhite}, {'g', {120, 120, 120}}});
    return canvas.ToBitmap();
}

// An open folder, for choosing where a file goes.
platform::Bitmap BrowseFolder() {
    PixelCanvas canvas(kListSize, kListSize);
    canvas.Draw(0, 0,
                {
                    "................",
                    "................",
                    "................",
                    ".kkkk...........",
                    "kyyyyk..........",
                    "kyyyyykkkkkkk...",
                    "kyyyyyyyyyyyyk..",
                    "kyyykkkkkkkkkkkk",
                    "kyykYYYYYYYYYYk.",
                    "kykYYYYYYYYYYk..",
                    "kkYYYYYYYYYYk...",
                    "kYYYYYYYYYYk....",
                    "kkkkkkkkkkk.....",
                },
                {{'k', kBlack}, {'y', {232, 184, 64}}, {'Y', {255, 224, 128}}});
    return canvas.ToBitmap();
}

platform::Bitmap CommandPicture(std::int32_t bitmapId) {
    // The toolbar's face colour, behind every command picture.
    constexpr std::uint8_t kFace = 192;
    platform::Bitmap pixels = ResourceBitmap(bitmapId);
    const std::size_t count = pixels.rgb.size() / 3;
    pixels.alpha.assign(count, 255);
    for (std::size_t i = 0; i < count; ++i) {
        const auto* rgb = &pixels.rgb[i * 3];
        if (rgb[0] == kFace && rgb[1] == kFace && rgb[2] == kFace) pixels.alpha[i] = 0;
    }
    return pixels;
}

// The operator's own text, as a button caption would show it.
platform::Bitmap OperatorPicture(std::string_view label) {
    constexpr int kWidth = 24;
    constexpr int kHeight = 12;
    PixelCanvas canvas(kWidth, kHeight);
    canvas.Text((kWidth - TextWidth(label, 1, true)) / 2, 2, label, kBlack, 1, true);
    return canvas.ToBitmap();
}

}  // namespace tessaly::pictures
