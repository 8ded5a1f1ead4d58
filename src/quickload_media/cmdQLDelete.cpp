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

    std::vector<QuickLoadEntry> entries = ReadQuickLoadFile(file);
    std::vector<std::string> labels;
    for (const QuickLoadEntry& entry : entries) labels.push_back(Label(entry));

    auto form = std::make_shared<frm_QLDelete>();
    for (const std::string& label : labels) form->lbxReferences.AddItem(label);
    form->Show(platform::vbModal);
    if (!form->ShouldContinue()) return;

    std::string report = "The following references were deleted from the QuickLoad.txt file:\r\n" +
                         std::string(46, '-') + "\r\n";
    std::vector<QuickLoadEntry> kept;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (form->lbxReferences.Selected(static_cast<int>(i))) {
            report += "  --> " + labels[i] + "\r\n";
        } else {
            kept.push_back(entries[i]);
        }
    }
    form.reset();

    RewriteQuickLoadFile(file, kept);

    ShowQuickLoadReport("QuickLoad Edit Report:", report);
}

}  // namespace tessaly
