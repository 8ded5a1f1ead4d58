#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A 128-bit identifier of an interface or a class, in the host's field layout.
struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::array<std::uint8_t, 8> Data4{};

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
    friend constexpr auto operator<=>(const GUID&, const GUID&) = default;
};

using IID = GUID;
using CLSID = GUID;

inline constexpr GUID GUID_NULL{};

namespace guid_detail {

constexpr int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of `count` hex digits at `at`, or nothing when one is not a digit.
constexpr std::optional<std::uint32_t> Hex(std::string_view text, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

}  // namespace guid_detail

// Reads the registry form "{8E52B9A5-307B-11D2-94C9-080009EEBECB}": braces, 8-4-4-4-12
// hex digits of either case, nothing before or after. Anything else gives nothing.
constexpr std::optional<GUID> ParseGuid(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-') {
        return std::nullopt;
    }
    const auto d1 = guid_detail::Hex(text, 1, 8);
    const auto d2 = guid_detail::Hex(text, 10, 4);
    const auto d3 = guid_detail::Hex(text, 15, 4);
    if (!d1 || !d2 || !d3) {
        return std::nullopt;
    }
    GUID guid;
    guid.Data1 = *d1;
    guid.Data2 = static_cast<std::uint16_t>(*d2);
    guid.Data3 = static_cast<std::uint16_t>(*d3);
    constexpr std::size_t kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (std::size_t i = 0; i < 8; ++i) {
        const auto byte = guid_detail::Hex(text, kByteAt[i], 2);
        if (!byte) {
            return std::nullopt;
        }
        guid.Data4[i] = static_cast<std::uint8_t>(*byte);
    }
    return guid;
}

// A GUID written in the source as text; malformed text does not compile.
consteval GUID MakeGuid(std::string_view text) {
    const auto guid = ParseGuid(text);
    if (!guid) {
        throw "malformed GUID text";
    }
    return *guid;
}

// The registry form: upper-case hex digits in braces.
std::string ToString(const GUID& guid);

}  // namespace platform

template <>
struct std::hash<platform::GUID> {
    std::size_t operator()(const platform::GUID& guid) const noexcept {
        std::uint64_t high = (std::uint64_t{guid.Data1} << 32) | (std::uint64_t{guid.Data2} << 16) | guid.Data3;
        std::uint64_t low = 0;
        for (std::uint8_t byte : guid.Data4) {
            low = (low << 8) | byte;
        }
        return std::hash<std::uint64_t>{}(high ^ (low * 0x9E3779B97F4A7C15ull));
    }
};
