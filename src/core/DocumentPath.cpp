#include "src/core/DocumentPath.h"

#include "platform/com/ComError.h"
#include "platform/map/Application.h"
#include "src/core/ErrorHandling.h"

namespace tessaly {

std::string GetPath(const platform::Application* application, const char* module) {
    return Guarded(Procedure{"GetPath", module}, std::string{}, [&] {
        if (application == nullptr) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
        const auto templates = application->Templates();
        // The count is not checked: an empty list fails at Item and is reported.
        return templates->Item(templates->Count() - 1);
    });
}

}  // namespace tessaly
