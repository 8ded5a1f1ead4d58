#pragma once
#include <string>

namespace platform {

class HostObject;

// The name a layer, standalone table or map shows; "" for null and other objects.
std::string HostObjectName(const HostObject* object);

}  // namespace platform
