#pragma once
#include <ctime>
#include <string>

// Times and dates for report texts, in the user's locale (LC_ALL, LC_TIME or
// LANG; the C locale when that cannot be had).
namespace tessaly {

// The locale's time with seconds ("14:05:09", "02:05:09 PM").
std::string LongTimeText(std::time_t when);
// The locale's long date ("Tuesday, March 5, 2024" in en_US, "Dienstag, 5. März 2024"
// in de_DE); in the C locale "Tuesday, 5 March 2024".
std::string LongDateText(std::time_t when);

}  // namespace tessaly
