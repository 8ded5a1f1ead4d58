#include "platform/com/ComError.h"

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

}  // namespace platform
