#pragma once
#include <cstdint>
#include <string>
#include <vector>

// In-place ascending sorts of arr[lo..hi], both ends included; the elements
// outside that range are not touched. Equal elements come out in no defined
// order. A range reaching outside the array is reported as a subscript error and
// nothing is sorted; lo > hi sorts nothing. Errors are reported, never thrown.
namespace tessaly {

void LongAscending(std::vector<std::int32_t>& arr, std::int32_t lo, std::int32_t hi);
void DoubleAscending(std::vector<double>& arr, std::int32_t lo, std::int32_t hi);

// By the user's locale, ignoring letter case: "apple" < "Banana" < "cherry", and
// "abc" equals "ABC".
void StringsAscending(std::vector<std::string>& arr, std::int32_t lo, std::int32_t hi);

// Dates (days since 30 December 1899, the time of day as the fraction) by calendar
// day only; each value keeps its time of day.
void DatesAscending(std::vector<double>& arr, std::int32_t lo, std::int32_t hi);

// The calendar day of a date: its whole-day part (1 January 1900 00:00 and 23:59
// both give 2). Passes its error on to the caller (a date out of range is an overflow).
std::int32_t DateToJulian(double date);

}  // namespace tessaly
