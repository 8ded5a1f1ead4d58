#pragma once
#include <cstddef>
#include <string>

namespace tessaly {

// The report text as it goes to the printer: every line (text between
// CR LF pairs) longer than `width` characters is broken after the last
// blank or "-" among its first `width` characters, or after the
// `width`-th when there is none; the rest is wrapped the same way.
// Existing line breaks stay.
std::string WrapForPrinting(const std::string& text, std::size_t width = 70);

}  // namespace tessaly
