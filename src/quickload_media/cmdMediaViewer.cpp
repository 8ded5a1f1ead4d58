#include "src/quickload_media/cmdMediaViewer.h"

#include <memory>

#include "platform/com/ComError.h"
#include "platform/forms/MessageBox.h"
#include "src/core/aml_func_mod.h"
#include "src/quickload_media/DocumentFolder.h"
#include "src/quickload_media/TextFilePicker.h"
#include "src/quickload_media/tessaly_MediaDialog.h"

namespace tessaly {

void cmdMediaViewer::Click() {
    auto dialog = std::make_shared<tessaly_MediaDialog>();
    dialog->ArcApplication(m_pApp);
    const std::string folder = DocumentFolder(m_pApp.get(), info::cmdMediaViewer.module);
    const std::string expected = folder + "media_list.txt";

    MediaListFiles files{expected, folder};
    if (!ExistFileDir(expected)) {
        if (!m_pApp) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
        const auto picked = PickTextFile(*m_pApp, expected, "Please identify the Tessaly 'media_list.txt' file:");
        if (!picked) {
            platform::MsgBox("Unable to find Tessaly 'Media_list.txt' file.  Bailing out...", platform::vbInformation,
                             "Media Viewer Cancelled:");
            return;
        }
        // Paths in the list stay relative to the document's folder, wherever the list lies.
        files.Filename = *picked;
    }
    dialog->MediaFilename(files);
    dialog->Show(platform::vbModal);
}

}  // namespace tessaly
