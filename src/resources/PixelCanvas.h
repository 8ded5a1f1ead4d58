#pragma once
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "platform/forms/Picture.h"

namespace tessaly {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

inline constexpr Rgba kClear{0, 0, 0, 0};

// One letter of pixel art and the colour it stands for.
struct Ink {
    char letter;
    Rgba colour;
};

// A small drawing surface for the library's pictures. Drawing outside it is
// clipped; a colour replaces what is under it (no blending).
class PixelCanvas {
public:
    PixelCanvas(int width, int height, Rgba background = kClear);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgba At(int x, int y) const;

    void Set(int x, int y, Rgba colour);
    void Fill(int x, int y, int width, int height, Rgba colour);
    // A one-pixel border just inside the rectangle.
    void Outline(int x, int y, int width, int height, Rgba colour);
    // Every pixel whose centre lies inside the triangle (or on its edge).
    void FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2, Rgba colour);
    // Pixel art with its top-left corner at (x, y): one letter per pixel, each
    // row a string; a letter not in `inks` leaves the pixel as it is.
    void Draw(int x, int y, std::initializer_list<std::string_view> rows, std::initializer_list<Ink> inks);
    // Text of the library's pixel font with the top of its cells at `y`, each
    // font pixel `scale` by `scale`; bold doubles every stroke to the right.
    void Text(int x, int y, std::string_view text, Rgba colour, int scale = 1, bool bold = false);

    // The pixels; the alpha plane only when some pixel is not opaque.
    platform::Bitmap ToBitmap() const;

private:
    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};

// The width in pixels that Text takes for `text`.
int TextWidth(std::string_view text, int scale = 1, bool bold = false);

}  // namespace tessaly
