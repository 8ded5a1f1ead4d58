#pragma once
#include <string_view>

namespace tessaly::pixelfont {

// The library's own small bitmap font for text drawn into its pictures: a
// 5 by 7 pixel capital in a cell 5 wide and 9 high (two rows below the base
// line for descenders). Printable ASCII only; any other byte draws as "?".
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 9;
inline constexpr int kAdvance = 6;
inline constexpr int kLineHeight = 12;

// Whether the pixel (x, y) of the cell of `letter` is set; false outside the cell.
bool Ink(char letter, int x, int y);

}  // namespace tessaly::pixelfont
