#pragma once
#include <cstdint>

#include "platform/com/ComError.h"

namespace platform {

// Error numbers the form runtime raises, with the classic runtime's texts.
namespace formerr {
inline constexpr std::int32_t InvalidPropertyValue = 380;        // "Invalid property value"
inline constexpr std::int32_t InvalidPropertyArrayIndex = 381;   // "Invalid property array index"
inline constexpr std::int32_t TextPropertyReadOnly = 383;        // "'Text' property is read-only"
inline constexpr std::int32_t FormAlreadyDisplayed = 400;        // "Form already displayed; can't show modally"
inline constexpr std::int32_t CannotCreateObject = 429;          // "ActiveX component can't create object"
inline constexpr std::int32_t PrinterError = 482;                // "Printer error"
inline constexpr std::int32_t IndexOutOfBounds = 35600;          // "Index out of bounds"
inline constexpr std::int32_t ElementNotFound = 35601;           // "Element not found"
inline constexpr std::int32_t KeyNotUnique = 35602;              // "Key is not unique in collection"
}  // namespace formerr

// The error with the runtime's own text for its number; numbers the form
// runtime does not know are passed to RuntimeError.
ComError FormError(std::int32_t number);

}  // namespace platform
