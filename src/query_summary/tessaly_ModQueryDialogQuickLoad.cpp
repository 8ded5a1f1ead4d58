// The query builder's "QuickLoad Query": a saved query from QuickLoad.txt.
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "src/core/ErrorHandling.h"
#include "src/core/ObjectRequired.h"
#include "src/core/aml_func_mod.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"
#include "src/quickload_media/QuickLoadEntry.h"
#include "src/quickload_media/QuickLoadLists.h"
#include "src/quickload_media/QuickLoadMessages.h"
#include "src/quickload_media/tessaly_QuickJumpDialog.h"

namespace tessaly {

// The chosen query replaces the whole query text; it is neither verified nor applied.
void tessaly_ModQueryDialog::cmdLoadQJQuery_Click() {
    Guarded(Procedure{"cmdLoadQJQuery_Click", "tessaly_ModQueryDialog"}, [&] {
        const std::string file = ReturnDir(GetFullFileString(GetPath())) + kQuickLoadFileName;
        if (!ExistFileDir(file)) {
            platform::MsgBox(qlmsg::kNoFileText, platform::vbInformation, qlmsg::kNoFileTitle);
            return;
        }
        const auto& document = ObjectRequired(application_).Document();
        const QuickLoadLists lists = MakeQuickLoadLists(ReadQuickLoadFile(file), ObjectRequired(document));

        auto picker = std::make_shared<tessaly_QuickJumpDialog>();
        picker->strMapFrames(lists.mapFrames);
        picker->strBookmarks(lists.bookmarks);
        picker->strQueries(lists.queries);
        picker->strLayers(lists.layers);
        picker->optQueries.SetValue(true);
        picker->optExtents.SetEnabled(false);
        picker->optLayers.SetEnabled(false);
        picker->optViews.SetEnabled(false);
        picker->optQueries_Click();
        picker->Show(platform::vbModal);

        if (!picker->booShouldContinue() || !picker->optQueries.Value()) return;
        // A double click below the last line confirms no line at all.
        const int line = picker->lbxList.ListIndex();
        if (line < 0 || line >= lists.queryTexts->Count()) return;
        txtQuery.SetText(lists.queryTexts->Element(line));
    });
}

}  // namespace tessaly
