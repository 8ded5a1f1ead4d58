#include "src/quickload_media/QuickLoadFileQuestion.h"

#include "platform/forms/MessageBox.h"
#include "src/core/aml_func_mod.h"
#include "src/quickload_media/QuickLoadMessages.h"

namespace tessaly {

bool MayWriteQuickLoadFile(const std::string& fileName) {
    if (ExistFileDir(fileName)) return true;
    return platform::MsgBox(qlmsg::CreateFile(fileName), platform::vbYesNo, qlmsg::kCreateFileTitle) == platform::vbYes;
}

}  // namespace tessaly
