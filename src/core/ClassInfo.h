#pragma once
#include <cstdint>
#include <string>

#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/Unknown.h"

namespace tessaly {

// How a command's members deal with their own errors.
enum class Failures {
    // Every member: the top-level error report under its own name, then its default.
    Reported,
    // As Reported, but a failing click shows the plain click box instead.
    ClickBox,
    // Enabled and OnClick report nothing: their failure code goes to the host.
    LeftToHost,
};

// Everything fixed about one of the library's classes: its identity and, for a
// command, the constants its members return. One row per class in CommandTable.h.
struct ClassInfo {
    const char* module;      // the module's source identifier in error locations
    const char* progId;      // "TessalyOpenTable." + the class name
    platform::CLSID clsid;
    platform::IID iid;       // of the class's default interface
    std::int32_t bitmap = 0; // resource id of its bitmap; 0 for the toolbar
    const char* name = "";
    const char* caption = "";
    const char* tooltip = "";
    const char* message = "";
    const char* category = "";
    Failures failures = Failures::Reported;
};

// A class's own default interface, "_" + the class name: empty but for its identifier.
template <const ClassInfo& Info>
class DefaultInterface : public platform::IUnknown {
public:
    static constexpr platform::IID Iid = Info.iid;
};

// What the default interface of the six classes that tell the map document's
// path has in common, so a host can ask any of them through one type.
class DocumentPathInterface : public platform::IUnknown {
public:
    // The full path of the application's current map document, "" when the host
    // cannot tell (the failure is reported). Never throws.
    virtual platform::HRESULT GetPath(std::string* path) noexcept = 0;
};

// The default interface of one of those six classes, under its own identifier.
template <const ClassInfo& Info>
class PathInterface : public DocumentPathInterface {
public:
    static constexpr platform::IID Iid = Info.iid;
};

}  // namespace tessaly
