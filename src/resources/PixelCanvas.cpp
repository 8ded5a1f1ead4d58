#include "src/resources/PixelCanvas.h"

#include <algorithm>
#include <cmath>

#include "src/resources/PixelFont.h"

namespace tessaly {

PixelCanvas::PixelCanvas(int width, int height, Rgba background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background) {}

Rgba PixelCanvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kClear;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void PixelCanvas::Set(int x, int y, Rgba colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = colour;
}

void PixelCanvas::Fill(int x, int y, int width, int height, Rgba colour) {
    for (int row = std::max(y, 0); row < std::min(y + height, height_); ++row) {
        for (int column = std::max(x, 0); column < std::min(x + width, width_); ++column) Set(column, row, colour);
    }
}

void PixelCanvas::Outline(int x, int y, int width, int height, Rgba colour) {
    if (width <= 0 || height <= 0) return;
    Fill(x, y, width, 1, colour);
    Fill(x, y + height - 1, width, 1, colour);
    Fill(x, y, 1, height, colour);
    Fill(x + width - 1, y, 1, height, colour);
}

void PixelCanvas::FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2, Rgba colour) {
    // Which side of the edge from (ax, ay) to (bx, by) the point (px, py) lies on.
    const auto side = [](double ax, double ay, double bx, double by, double px, double py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    const int left = static_cast<int>(std::floor(std::min({x0, x1, x2})));
    const int right = static_cast<int>(std::ceil(std::max({x0, x1, x2})));
    const int top = static_cast<int>(std::floor(std::min({y0, y1, y2})));
    const int bottom = static_cast<int>(std::ceil(std::max({y0, y1, y2})));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            const double d0 = side(x0, y0, x1, y1, px, py);
            const double d1 = side(x1, y1, x2, y2, px, py);
            const double d2 = side(x2, y2, x0, y0, px, py);
            const bool hasNegative = d0 < 0 || d1 < 0 || d2 < 0;
            const bool hasPositive = d0 > 0 || d1 > 0 || d2 > 0;
            if (!(hasNegative && hasPositive)) Set(x, y, colour);
        }
    }
}

void PixelCanvas::Draw(int x, int y, std::initializer_list<std::string_view> rows, std::initializer_list<Ink> inks) {
    int row = y;
    for (std::string_view line : rows) {
        int column = x;
        for (char letter : line) {
            for (const Ink& ink : inks) {
                if (ink.letter == letter) Set(column, row, ink.colour);
            }
            ++column;
        }
        ++row;
    }
}

void PixelCanvas::Text(int x, int y, std::string_view text, Rgba colour, int scale, bool bold) {
    int cell = x;
    for (char letter : text) {
        for (int gy = 0; gy < pixelfont::kGlyphHeight; ++gy) {
            for (int gx = 0; gx < pixelfont::kGlyphWidth; ++gx) {
                if (!pixelfont::Ink(letter, gx, gy)) continue;
                Fill(cell + gx * scale, y + gy * scale, bold ? 2 * scale : scale, scale, colour);
            }
        }
        cell += (pixelfont::kAdvance + (bold ? 1 : 0)) * scale;
    }
}

platform::Bitmap PixelCanvas::ToBitmap() const {
    platform::Bitmap bitmap{width_, height_, {}, {}};
    bitmap.rgb.reserve(pixels_.size() * 3);
    const bool opaque = std::all_of(pixels_.begin(), pixels_.end(), [](Rgba p) { return p.a == 255; });
    if (!opaque) bitmap.alpha.reserve(pixels_.size());
    for (Rgba pixel : pixels_) {
        bitmap.rgb.insert(bitmap.rgb.end(), {pixel.r, pixel.g, pixel.b});
        if (!opaque) bitmap.alpha.push_back(pixel.a);
    }
    return bitmap;
}

int TextWidth(std::string_view text, int scale, bool bold) {
    if (text.empty()) return 0;
    const int advance = pixelfont::kAdvance + (bold ? 1 : 0);
    // The last cell has no gap after it, but a bold stroke reaches one pixel further.
    return (static_cast<int>(text.size()) * advance - (advance - pixelfont::kGlyphWidth) + (bold ? 1 : 0)) * scale;
}

}  // namespace tessaly
