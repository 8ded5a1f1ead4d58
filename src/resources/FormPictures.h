#pragma once
#include <string_view>
#include <vector>

namespace tessaly {

// The resource names by which the library's forms name their pictures:
//   "cornerbars"        the resize grip in a resizable window's lower right corner
//   "tessalylogo"       the product's logo on the About box
//   "makerlogo"         the maker's logo on the About box (a link)
//   "handcursor"        the pointer over the About box's links
//   "sumhelp"           the summarize help page, 622 by 435 pixels
//   "stat_unticked", "stat_ticked", "field_text", "field_numeric", "field_oid",
//   "field_date"        the summarize tree's image list, in its order
//   "browse", "opentable", "statistics", "switchselection"
//                       the summarize dialog's picture buttons
//   "op_equals", "op_notequal", "op_less", "op_lessequal", "op_greater",
//   "op_greaterequal", "op_and", "op_or", "op_not", "op_parentheses"
//                       the query builder's ten operator buttons
std::vector<std::string_view> FormPictureNames();

// Hands every picture above to the platform's picture registry, drawing them
// the first time it is called; later calls do nothing. Nothing runs when the
// library is loaded: the first resource the library loads (a command's
// bitmap, at the command's creation) calls this, so the pictures are there
// before any of its forms can be shown.
void RegisterFormPictures();

}  // namespace tessaly
