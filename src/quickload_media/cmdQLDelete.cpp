#include "src/quickload_media/cmdQLDelete.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/com/ComError.h"
#include "platform/forms/MessageBox.h"
#include "src/core/aml_func_mod.h"
#include "src/quickload_media/DocumentFolder.h"
#include "src/quickload_media/QuickLoadEntry.h"
#include "src/quickload_media/QuickLoadMessages.h"
#include "src/quickload_media/QuickLoadReport.h"
#include "src/quickload_media/TextFilePicker.h"
#include "src/quickload_media/frm_QLDelete.h"

namespace tessaly {
namespace {

std::string Label(const QuickLoadEntry& entry) {
    switch (entry.kind) {
    case QuickLoadKind::Layer: return entry.name + "  [Layer File]";
    case QuickLoadKind::Query: return entry.name + "  [Saved Query]";
    case QuickLoadKind::Bookmark: return entry.name + "  [Spatial Bookmark]";
    }
    return entry.name;
}

}  // namespace

void cmdQLDelete::Click() {
    if (!m_pApp) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    std::string file = DocumentFolder(m_pApp.get(), info::cmdQLDelete.module) + kQuickLoadFileName;
    if (!ExistFileDir(file)) {
        const auto picked = PickTextFile(*m_pApp, file, "Please identify the Tessaly 'QuickLoad.txt' file:");
        if (!picked) {
            platform::MsgBox(qlmsg::kDeleteNoFileText, platform::vbInformation, qlmsg::kNoFileTitle);
            return;
        }
        file = *picked;
    }

    const std::vector<QuickLoadEntry> entries = ReadQuickLoadFile(file);
    std::vector<std::string> labels;
    for (const QuickLoadEntry& entry : entries) labels.push_back(Label(entry));

    auto form = std::make_shared<frm_QLDelete>();
    for (const std::string& label : labels) form->lbxReferences.AddItem(label);
    form->Show(platform::vbModal);
    if (!form->ShouldContinue()) return;

    std::vector<bool> marked;
    for (std::size_t i = 0; i < entries.size(); ++i) marked.push_back(form->lbxReferences.Selected(static_cast<int>(i)));
    form.reset();

    // The file is read again now: what another program added while the form
    // was open stays, and so does every line that is no marked entry.
    std::string report = "The following references were deleted from the QuickLoad.txt file:\r\n" +
                         std::string(46, '-') + "\r\n";
    for (const std::size_t i : RemoveQuickLoadEntries(file, entries, marked)) report += "  --> " + labels[i] + "\r\n";

    ShowQuickLoadReport("QuickLoad Edit Report:", report);
}

}  // namespace tessaly
