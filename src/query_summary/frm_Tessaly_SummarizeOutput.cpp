// The summarize dialog's output: the summary table written by the host's
// dissolve, added to the map and opened; and the browse for its file.
#include "platform/com/ComError.h"
#include "platform/data/Field.h"
#include "platform/data/Geoprocessor.h"
#include "platform/data/Names.h"
#include "platform/data/Workspace.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "platform/map/CatalogDialog.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableFields.h"
#include "platform/map/TableWindow.h"
#include "src/core/ErrorHandling.h"
#include "src/core/ObjectRequired.h"
#include "src/core/aml_func_mod.h"
#include "src/query_summary/SummaryOutputFolder.h"
#include "src/query_summary/SummaryStatistics.h"
#include "src/query_summary/ThemeViews.h"
#include "src/query_summary/frm_Tessaly_Summarize.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "frm_Tessaly_Summarize";
constexpr int kTicked = 2;
// A field node's key is this prefix and the field's index.
constexpr std::size_t kKeyPrefixLength = 4;

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

std::string FieldNameAt(const platform::TableFields& fields, std::int32_t index) {
    return ObjectRequired(fields.Field(index)).Name();
}

// The index a field node's key ("key_7") carries.
std::int32_t FieldIndexOfKey(const std::string& key) {
    try {
        std::size_t used = 0;
        const int index = std::stoi(key.substr(kKeyPrefixLength), &used);
        if (used == key.size() - kKeyPrefixLength) return index;
    } catch (const std::exception&) {
    }
    throw platform::RuntimeError(platform::vberr::TypeMismatch);
}

}  // namespace

std::string frm_Tessaly_Summarize::SummaryString(const std::string& caseField) {
    const platform::TableFields& fields = ObjectRequired(fields_);
    std::vector<std::string> tokens;
    platform::TreeNodes& nodes = treeFields.Nodes();
    for (int i = 1; i <= nodes.Count(); ++i) {
        platform::TreeNode& node = nodes.Item(i);
        if (node.Image() != kTicked) continue;
        const platform::TreeNode* parent = node.Parent();
        if (parent == nullptr) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
        tokens.push_back(SummaryKeyword(node.Text()) + "." + FieldNameAt(fields, FieldIndexOfKey(parent->Key())));
    }
    return SummaryStatisticsString(caseField, tokens);
}

void frm_Tessaly_Summarize::cmdOK_Click() {
    Guarded(In("cmdOK_Click"), [&] {
        const std::int32_t caseIndex = CaseFieldIndex();
        if (caseIndex < 0) throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
        const std::string caseField = FieldNameAt(ObjectRequired(fields_), caseIndex);
        const std::string summary = SummaryString(caseField);

        const auto document = ObjectRequired(application_).Document();
        const auto map = ObjectRequired(document).FocusMap();
        const auto input = ThemeTable(selectedLayer_);

        const std::string path = txtOutput.Text();
        const std::string folder = ReturnDir(path);
        const std::string tableName = ReturnFilename(path);
        // The dissolve writes "<name>.dbf" and "<name>.cpg" whatever the case of the typed ending.
        if (SummaryPathTaken(path)) {
            platform::MsgBox("Unable to save output to " + path + ".\r\nTable already exists!\r\n\r\nBailing out...",
                             platform::vbOKOnly);
            return;
        }
        const auto factory = std::make_shared<platform::FolderWorkspaceFactory>();
        const auto workspace = factory->OpenFromFile(folder, 0);
        if (!ObjectRequired(workspace).Exists()) {
            platform::MsgBox("Unable to save output to " + folder + ".  Bailing out...", platform::vbOKOnly);
            return;
        }
        auto outputName = std::make_shared<platform::TableName>();
        outputName->Name(tableName);
        auto workspaceName = std::dynamic_pointer_cast<platform::WorkspaceName>(workspace->FullName());
        if (!workspaceName) throw platform::RuntimeError(platform::vberr::TypeMismatch);
        outputName->WorkspaceName(workspaceName);

        const bool selectedOnly = chkSumSelected.Value() == platform::vbChecked;
        platform::Geoprocessor geoprocessor;
        const auto summaryTable = geoprocessor.Dissolve(input, selectedOnly, caseField, summary, outputName);

        auto standalone = std::make_shared<platform::StandaloneTable>();
        standalone->Table(summaryTable);
        ObjectRequired(map).AddStandaloneTable(standalone);
        document->UpdateContents();

        Hide();

        // A new table has no window yet: no search for an open one.
        auto window = std::make_shared<platform::TableWindow>();
        window->StandaloneTable(standalone);
        window->Application(application_);
        window->Option(2);
        window->Flag(true);
        window->Flag2(false);
        window->Show(true);
    });
}

std::string frm_Tessaly_Summarize::DocumentPath() const {
    // The document's path comes after the normal template; a document without a file has none.
    const auto templates = ObjectRequired(application_).Templates();
    return templates && templates->Count() > 1 ? templates->Item(templates->Count() - 1) : std::string();
}

void frm_Tessaly_Summarize::cmdGetFile_Click() {
    Guarded(In("cmdGetFile_Click"), [&] {
        std::string proposed;
        std::string start;
        if (!txtOutput.Text().empty()) {
            proposed = FreeSummaryPath(txtOutput.Text());
            start = ReturnDir(proposed);
        } else {
            start = SummaryBrowseFolder(DocumentPath());
            proposed = FreeSummaryPath(start + "summary.dbf");
        }
        if (!start.ends_with('/')) start += '/';

        platform::CatalogDialog dialog;
        dialog.AllowMultiSelect(false);
        dialog.StartingLocation(start);
        dialog.Title(kSummarySaveTitle);
        dialog.ObjectFilter(std::make_shared<platform::OutputTableFilter>());
        dialog.Name(ReturnFilename(proposed));
        if (!dialog.DoModalSave(ObjectRequired(application_).hWnd())) return;

        std::string path = ObjectRequired(dialog.FinalLocation()).Path() + "/" + dialog.Name();
        if (SummaryPathTaken(path)) {
            path = FreeSummaryPath(path);
            platform::MsgBox("Unable to overwrite the file '" + dialog.Name() + "'.  The new file will be saved to " +
                                 path + "...",
                             platform::vbOKOnly);
        }
        txtOutput.SetText(path);
    });
}

}  // namespace tessaly
