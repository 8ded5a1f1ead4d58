#include "src/quickload_media/NumberText.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "platform/com/ComError.h"

namespace tessaly {
namespace {

std::optional<double> Read(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    // "nan" and "inf" read as numbers here but are no place on a map.
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::string NumberText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

double TextToNumber(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    const std::string trimmed = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    if (auto value = Read(trimmed)) return *value;
    const auto comma = trimmed.find(',');
    if (comma != std::string::npos && trimmed.find('.') == std::string::npos) {
        std::string dotted = trimmed;
        dotted[comma] = '.';
        if (auto value = Read(dotted)) return *value;
    }
    throw platform::RuntimeError(platform::vberr::TypeMismatch);
}

}  // namespace tessaly
