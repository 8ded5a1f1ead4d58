// Numbers as typed or stored: bookmark coordinates and ignore values. What is
// read must write out and read back as the same number.
#include <cmath>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "platform/com/ComError.h"
#include "src/quickload_media/NumberText.h"
#include "src/statistics/IgnoreValues.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const double number = tessaly::TextToNumber(text);
        if (std::isfinite(number)) {
            // Writing keeps 15 digits, so the first round trip may round; later ones must not drift.
            const double once = tessaly::TextToNumber(tessaly::NumberText(number));
            if (std::isfinite(once) && tessaly::TextToNumber(tessaly::NumberText(once)) != once) std::abort();
        }
    } catch (const platform::ComError&) {
    }
    tessaly::IsNumericText(text);
    for (const platform::Variant& value : tessaly::ReadIgnoreValues(text).values) {
        tessaly::GeneralNumberText(value.ToDouble());
        // An integer goes into a where clause as typed: its text reads back as the same integer.
        if (value.IsLongLong() && std::stoll(value.ToText()) != value.AsLongLong()) std::abort();
    }
    return 0;
}
