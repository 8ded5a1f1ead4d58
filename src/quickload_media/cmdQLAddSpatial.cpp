#include "src/quickload_media/cmdQLAddSpatial.h"

#include <memory>

#include "platform/com/ComError.h"
#include "platform/data/Envelope.h"
#include "platform/forms/MessageBox.h"
#include "src/quickload_media/DocumentFolder.h"
#include "src/quickload_media/QuickLoadEntry.h"
#include "src/quickload_media/QuickLoadFileQuestion.h"
#include "src/quickload_media/QuickLoadMessages.h"
#include "src/quickload_media/frm_InputSpatialBookmark.h"

namespace tessaly {

void cmdQLAddSpatial::Click() {
    if (!m_pMxDoc) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    const auto view = m_pMxDoc->ActiveView();
    const std::string file = DocumentFolder(m_pApp.get(), info::cmdQLAddSpatial.module) + kQuickLoadFileName;
    if (!MayWriteQuickLoadFile(file)) return;

    // The rectangle shown now, before the name is asked.
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    view->Extent().QueryCoords(xmin, ymin, xmax, ymax);

    auto form = std::make_shared<frm_InputSpatialBookmark>();
    form->Show(platform::vbModal);
    const bool cancelled = form->Cancelled();
    const std::string name = form->theModalResult();
    form.reset();
    if (cancelled) return;

    AppendQuickLoadEntries(file, {BookmarkEntry(name, xmin, ymin, xmax, ymax)});
    platform::MsgBox(qlmsg::Saved(name));
}

}  // namespace tessaly
