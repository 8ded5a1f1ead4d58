#include "platform/forms/FormsError.h"

namespace platform {

ComError FormError(std::int32_t number) {
    const char* text = nullptr;
    switch (number) {
    case formerr::InvalidPropertyValue: text = "Invalid property value"; break;
    case formerr::InvalidPropertyArrayIndex: text = "Invalid property array index"; break;
    case formerr::TextPropertyReadOnly: text = "'Text' property is read-only"; break;
    case formerr::FormAlreadyDisplayed: text = "Form already displayed; can't show modally"; break;
    case formerr::CannotCreateObject: text = "ActiveX component can't create object"; break;
    case formerr::PrinterError: text = "Printer error"; break;
    case formerr::IndexOutOfBounds: text = "Index out of bounds"; break;
    case formerr::ElementNotFound: text = "Element not found"; break;
    case formerr::KeyNotUnique: text = "Key is not unique in collection"; break;
    default: return RuntimeError(number);
    }
    return ComError(number, "TessalyOpenTable", text);
}

}  // namespace platform
