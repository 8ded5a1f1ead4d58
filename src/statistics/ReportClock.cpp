#include "src/statistics/ReportClock.h"

#include <locale.h>
#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <memory>
#include <optional>

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

// The locale that decides how times read (LC_ALL, then LC_TIME, then LANG),
// without its code set or modifier; none for the C locale.
std::optional<std::string> UserTimeLocale() {
    std::string name;
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            name = value;
            break;
        }
    }
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return std::nullopt;
    return name;
}

// The locale's own long date form ("Tuesday, March 5, 2024", "Dienstag, 5. März
// 2024"); none where the locale's data do not know the language.
std::optional<std::string> LocaleLongDate(std::time_t when, const std::string& localeName) {
    const icu::Locale locale(localeName.c_str());
    if (locale.isBogus()) return std::nullopt;
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateInstance(icu::DateFormat::kFull, locale));
    if (!format) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale used = format->getLocale(ULOC_ACTUAL_LOCALE, status);
    if (U_FAILURE(status) || std::string(used.getLanguage()).empty()) return std::nullopt;
    // The calendar day is taken here, in the process's time zone as the time
    // text takes it, and handed over as that day in UTC.
    std::tm local{};
    localtime_r(&when, &local);
    local.tm_hour = 12;
    local.tm_min = local.tm_sec = 0;
    format->setTimeZone(*icu::TimeZone::getGMT());
    icu::UnicodeString text;
    format->format(static_cast<UDate>(timegm(&local)) * 1000.0, text);
    std::string utf8;
    return text.toUTF8String(utf8);
}

}  // namespace

std::string LongTimeText(std::time_t when) { return Format(when, "%X"); }

std::string LongDateText(std::time_t when) {
    if (const auto localeName = UserTimeLocale()) {
        if (auto text = LocaleLongDate(when, *localeName)) return *text;
    }
    return Format(when, "%A, %-d %B %Y");
}

}  // namespace tessaly
