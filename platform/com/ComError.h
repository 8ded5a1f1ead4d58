#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// The error a failing host operation or runtime statement raises: the
// classic error object's Number, Source and Description. Numbers are
// either HRESULTs (host calls) or the classic runtime's small numbers.
class ComError : public std::runtime_error {
public:
    ComError(std::int32_t number, std::string source, std::string description);

    std::int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

// The classic runtime's error numbers that the system raises itself.
namespace vberr {
inline constexpr std::int32_t InvalidCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t OutOfMemory = 7;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t DivisionByZero = 11;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t FileNotFound = 53;
inline constexpr std::int32_t InputPastEndOfFile = 62;
inline constexpr std::int32_t PathFileAccess = 75;
inline constexpr std::int32_t PathNotFound = 76;
inline constexpr std::int32_t ObjectNotSet = 91;
inline constexpr std::int32_t InvalidUseOfNull = 94;
inline constexpr std::int32_t KeyAlreadyInCollection = 457;
}  // namespace vberr

// The runtime's own text for one of its error numbers ("Subscript out of range").
std::string RuntimeErrorDescription(std::int32_t number);

// A runtime error as the classic runtime raises it: its number, the given
// source and the runtime's text for that number.
ComError RuntimeError(std::int32_t number, std::string source = "TessalyOpenTable");

// A failed host call as the runtime reports it: the HRESULT as the number, the
// given source, and the text the system gives for that HRESULT.
ComError HresultError(std::int32_t hresult, std::string source);

// The system's text for an HRESULT ("Class not registered"), or "Automation error"
// for one it has no text for.
std::string HresultDescription(std::int32_t hresult);

}  // namespace platform
