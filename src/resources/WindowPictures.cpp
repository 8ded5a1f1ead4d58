#include <algorithm>
#include <cmath>
#include <numbers>

#include "src/resources/PictureMakers.h"
#include "src/resources/PixelCanvas.h"

namespace tessaly::pictures {
namespace {

constexpr Rgba kBlack{0, 0, 0};
constexpr Rgba kWhite{255, 255, 255};
constexpr Rgba kShadow{128, 128, 128};
constexpr Rgba kNavy{24, 58, 112};
constexpr Rgba kGrey{96, 96, 96};

// The product's mark: a hexagon of six triangular tiles in three alternating
// tones, with a thin gap between the tiles.
void DrawMark(PixelCanvas& canvas, double centreX, double centreY, double radius) {
    constexpr Rgba kTones[] = {{24, 58, 112}, {38, 112, 186}, {34, 156, 150}};
    const double gap = std::max(1.0, radius / 18.0);
    for (int tile = 0; tile < 6; ++tile) {
        const double a0 = (-90.0 + 60.0 * tile) * std::numbers::pi / 180.0;
        const double a1 = (-30.0 + 60.0 * tile) * std::numbers::pi / 180.0;
        double xs[3] = {centreX, centreX + radius * std::cos(a0), centreX + radius * std::cos(a1)};
        double ys[3] = {centreY, centreY + radius * std::sin(a0), centreY + radius * std::sin(a1)};
        // Pull each corner towards the tile's middle to open the gaps.
        const double midX = (xs[0] + xs[1] + xs[2]) / 3.0;
        const double midY = (ys[0] + ys[1] + ys[2]) / 3.0;
        for (int i = 0; i < 3; ++i) {
            const double dx = xs[i] - midX;
            const double dy = ys[i] - midY;
            const double length = std::hypot(dx, dy);
            xs[i] -= dx / length * gap;
            ys[i] -= dy / length * gap;
        }
        canvas.FillTriangle(xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], kTones[tile % 3]);
    }
}

}  // namespace

// The classic diagonal grip: three grooves, each a light line over a shadow.
platform::Bitmap CornerBars() {
    constexpr int kSize = 15;
    PixelCanvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int fromCorner = (kSize - 1 - x) + (kSize - 1 - y);
            if (fromCorner < 1 || fromCorner > 11) continue;
            const int inGroove = fromCorner % 4;
            if (inGroove == 1 || inGroove == 2) canvas.Set(x, y, kShadow);
            if (inGroove == 3) canvas.Set(x, y, kWhite);
        }
    }
    return canvas.ToBitmap();
}

// A pointing hand, its finger tip the topmost pixel (where it points).
platform::Bitmap HandCursor() {
    PixelCanvas canvas(32, 32);
    canvas.Draw(0, 0,
                {
                    ".....kk..........",
                    "....kwwk.........",
                    "....kwwk.........",
                    "....kwwk.........",
                    "....kwwk.........",
                    "....kwwkkk.......",
                    "....kwwkwwkkk....",
                    "....kwwkwwkwwkk..",
                    ".kk.kwwkwwkwwkwk.",
                    "kwwkkwwwwwwwwkwwk",
                    "kwwwkwwwwwwwwwwwk",
                    ".kwwwwwwwwwwwwwwk",
                    "..kwwwwwwwwwwwwwk",
                    "..kwwwwwwwwwwwwwk",
                    "...kwwwwwwwwwwwwk",
                    "...kwwwwwwwwwwwk.",
                    "....kwwwwwwwwwwk.",
                    "....kwwwwwwwwwk..",
                    ".....kwwwwwwwwk..",
                    ".....kwwwwwwwwk..",
                    ".....kkkkkkkkkk..",
                },
                {{'k', kBlack}, {'w', kWhite}});
    return canvas.ToBitmap();
}

// 96 by 96: the mark over the product's name, on no background.
platform::Bitmap TessalyLogo() {
    PixelCanvas canvas(96, 96);
    DrawMark(canvas, 48.0, 38.0, 32.0);
    const int width = TextWidth("TESSALY", 2);
    canvas.Text((96 - width) / 2, 78, "TESSALY", kNavy, 2);
    return canvas.ToBitmap();
}

// 96 by 48 on white: the mark beside the maker's name.
platform::Bitmap MakerLogo() {
    PixelCanvas canvas(96, 48, kWhite);
    DrawMark(canvas, 22.0, 24.0, 17.0);
    canvas.Text(44, 13, "TESSALY", kNavy, 1, true);
    canvas.Fill(44, 24, TextWidth("TESSALY", 1, true), 1, kGrey);
    canvas.Text(44, 28, "GIS LAB", kGrey);
    return canvas.ToBitmap();
}

}  // namespace tessaly::pictures
