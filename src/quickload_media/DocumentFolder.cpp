#include "src/quickload_media/DocumentFolder.h"

#include "src/core/DocumentPath.h"
#include "src/core/aml_func_mod.h"

namespace tessaly {

std::string DocumentFolder(const platform::Application* application, const char* module) {
    return ReturnDir(GetFullFileString(GetPath(application, module)));
}

}  // namespace tessaly
