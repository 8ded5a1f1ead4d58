#pragma once
#include <span>

#include "platform/com/InprocServer.h"

namespace tessaly {

// The library's 21 creatable classes, the toolbar first and then the commands in
// bitmap order, each with its CLSID, ProgID and class factory.
std::span<const platform::ClassEntry> ServerClasses();

}  // namespace tessaly
