#include "src/statistics/ReportClock.h"

#include <locale.h>

namespace tessaly {
namespace {

// Formats in the user's time locale without touching the process's own
// locale, which a host may have set otherwise.
std::string Format(std::time_t when, const char* format) {
    std::tm local{};
    localtime_r(&when, &local);
    locale_t user = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) user = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    char buffer[256];
    const std::size_t length = strftime_l(buffer, sizeof buffer, format, &local, user);
    freelocale(user);
    return std::string(buffer, length);
}

}  // namespace

std::string LongTimeText(std::time_t when) { return Format(when, "%X"); }

std::string LongDateText(std::time_t when) { return Format(when, "%A, %-d %B %Y"); }

}  // namespace tessaly
