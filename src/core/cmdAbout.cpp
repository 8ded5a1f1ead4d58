#include "src/core/cmdAbout.h"

#include "src/core/frmAbout.h"

namespace tessaly {

void cmdAbout::Click() {
    TheAboutBox()->Show(platform::vbModal);
}

}  // namespace tessaly
