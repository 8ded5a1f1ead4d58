#include "src/quickload_media/cmdQLAddQuery.h"

#include <memory>

#include "platform/forms/MessageBox.h"
#include "src/quickload_media/DocumentFolder.h"
#include "src/quickload_media/QuickLoadEntry.h"
#include "src/quickload_media/QuickLoadFileQuestion.h"
#include "src/quickload_media/QuickLoadMessages.h"
#include "src/quickload_media/frm_InputQuery.h"

namespace tessaly {

void cmdQLAddQuery::Click() {
    const std::string file = DocumentFolder(m_pApp.get(), info::cmdQLAddQuery.module) + kQuickLoadFileName;
    if (!MayWriteQuickLoadFile(file)) return;

    auto form = std::make_shared<frm_InputQuery>();
    form->Show(platform::vbModal);
    if (form->Cancelled()) return;
    const std::string name = form->theName();
    const std::string text = form->theString();
    form.reset();

    // A query typed on several lines is stored on one: its line breaks become
    // blanks, which a where clause reads alike.
    AppendQuickLoadEntries(file, {QueryEntry(name, text)});
    platform::MsgBox(qlmsg::Saved(name));
}

}  // namespace tessaly
