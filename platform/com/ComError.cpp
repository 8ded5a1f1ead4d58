#include "platform/com/ComError.h"

#include "platform/com/Hresult.h"

namespace platform {

ComError::ComError(std::int32_t number, std::string source, std::string description)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

std::string RuntimeErrorDescription(std::int32_t number) {
    switch (number) {
    case vberr::InvalidCall: return "Invalid procedure call or argument";
    case vberr::Overflow: return "Overflow";
    case vberr::OutOfMemory: return "Out of memory";
    case vberr::SubscriptOutOfRange: return "Subscript out of range";
    case vberr::DivisionByZero: return "Division by zero";
    case vberr::TypeMismatch: return "Type mismatch";
    case vberr::FileNotFound: return "File not found";
    case vberr::InputPastEndOfFile: return "Input past end of file";
    case vberr::PathFileAccess: return "Path/File access error";
    case vberr::PathNotFound: return "Path not found";
    case vberr::ObjectNotSet: return "Object variable or With block variable not set";
    case vberr::InvalidUseOfNull: return "Invalid use of Null";
    case vberr::KeyAlreadyInCollection:
        return "This key is already associated with an element of this collection";
    default: return "Application-defined or object-defined error";
    }
}

ComError RuntimeError(std::int32_t number, std::string source) {
    return ComError(number, std::move(source), RuntimeErrorDescription(number));
}

std::string HresultDescription(std::int32_t hresult) {
    switch (hresult) {
    case E_NOTIMPL: return "Not implemented";
    case E_NOINTERFACE: return "No such interface supported";
    case E_POINTER: return "Invalid pointer";
    case E_FAIL: return "Unspecified error";
    case E_UNEXPECTED: return "Catastrophic failure";
    case E_OUTOFMEMORY: return "Out of memory";
    case E_INVALIDARG: return "The parameter is incorrect.";
    case CLASS_E_NOAGGREGATION: return "Class does not support aggregation";
    case CLASS_E_CLASSNOTAVAILABLE: return "ClassFactory cannot supply requested class";
    case REGDB_E_CLASSNOTREG: return "Class not registered";
    case CO_E_DLLNOTFOUND: return "DLL for class not found";
    case CO_E_ERRORINDLL: return "Error in the DLL";
    case SELFREG_E_CLASS: return "Error registering class";
    default: return "Automation error";
    }
}

ComError HresultError(std::int32_t hresult, std::string source) {
    return ComError(hresult, std::move(source), HresultDescription(hresult));
}

}  // namespace platform
