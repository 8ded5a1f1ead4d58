#pragma once
// The "data change under you" checks: every command that reads a layer or
// table, clicked by the headless user on one theme of the focus map, gives
// what it read, compared with what GDAL reads afresh on a connection of its
// own, or reports a data problem. The theme has the fields NAME (text) and VAL
// (real, small values: a statistics total prints as a plain number).
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <cstdio>
#include <sstream>
#include <utility>
#include <string>

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include "platform/com/ComError.h"
#include "platform/data/Row.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/WhereClause.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/ICommand.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/CommandTable.h"
#include "src/core/frmReport.h"
#include "src/query_summary/frm_Tessaly_Summarize.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"
#include "tests/support/ModelessCapturingBackend.h"

namespace datachange {

using Commands = std::map<std::string, std::string>;  // command -> what it read, as text
const char* const kCommands[] = {"Open Table", "Calculate Statistics", "Update Values", "New Set",
                                 "Summarize",  "Select All",           "Switch Selection"};

inline std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}
template <class Items>
std::string Text(const Items& items) {
    std::ostringstream text;
    for (const auto& item : items) text << item << " ";
    return text.str();
}
inline std::string Sums(const std::map<std::string, double>& sums) {
    std::string text;
    for (const auto& [name, sum] : sums) text += name + "=" + Number(sum) + " ";
    return text;
}

// What each command should read from `layerName` of the source at `path` as
// it is now; nullopt when GDAL reads no NAME and VAL there.
inline std::optional<Commands> Oracle(const std::string& path, const std::string& layerName) {
    GDALAllRegister();
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    OGRLayer* layer = dataset ? dataset->GetLayerByName(layerName.c_str()) : nullptr;
    if (!layer || layer->GetLayerDefn()->GetFieldIndex("NAME") < 0 || layer->GetLayerDefn()->GetFieldIndex("VAL") < 0)
        return std::nullopt;
    std::set<long long> all, above2;
    std::set<std::string> names;
    std::map<std::string, double> sums;
    std::string rows;
    double total = 0;
    for (const auto& feature : *layer) {
        const std::string name = feature->GetFieldAsString("NAME");
        const double val = feature->GetFieldAsDouble("VAL");
        all.insert(feature->GetFID());
        if (val > 2) above2.insert(feature->GetFID());
        names.insert("'" + name + "'");
        sums[name] += val;
        total += val;
        rows += std::to_string(feature->GetFID()) + " " + name + " " + Number(val) + "\n";
    }
    const std::set<long long> allButFirst(all.empty() ? all.end() : std::next(all.begin()), all.end());
    return Commands{{"Open Table", rows},
                    {"Calculate Statistics", std::to_string(all.size()) + " values, total " + Number(total)},
                    {"Update Values", Text(names)},
                    {"New Set", Text(above2)},
                    {"Summarize", Sums(sums)},
                    {"Select All", Text(all)},
                    {"Switch Selection", Text(allButFirst)}};
}

inline bool IsDataProblem(const std::string& report) {
    return report.find(std::to_string(static_cast<std::int32_t>(platform::E_DATAUNREADABLE))) != std::string::npos;
}

// A theme of the focus map: a feature layer or standalone table, its name in
// the lists, its layer in the source.
struct Theme {
    std::shared_ptr<platform::HostObject> item;
    std::string name, layer;
};

class CommandRunner {
public:
    using MakeCommand = std::function<platform::ComPtr<platform::ICommand>(const tessaly::ClassInfo&)>;

    CommandRunner(std::shared_ptr<testsupport::ModelessCapturingBackend> ui, std::shared_ptr<platform::Application> app,
                  MakeCommand make, std::string outputFolder)
        : ui_(std::move(ui)), app_(std::move(app)), make_(std::move(make)), outputFolder_(std::move(outputFolder)) {}

    // What the command read, and what it reported.
    std::pair<std::string, std::vector<std::string>> Run(const std::string& command, const Theme& theme) {
        const std::size_t reports = ui_->ErrorReports().size(), boxes = ui_->MessageBoxes().size();
        theme_ = theme.name;
        if (auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(theme.item))
            rows_ = layer, selection_ = layer->SelectionSet();
        else if (auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(theme.item))
            rows_ = table->Table(), selection_ = table->SelectionSet();
        selection_->Clear();
        app_->Document()->CurrentContentsView()->SelectedItem(theme.item);
        std::string read;
        std::vector<std::string> said;
        try {
            const std::map<std::string, std::function<std::string()>> clicks = {
                {"Open Table", [&] { return OpenTable(); }},
                {"Calculate Statistics", [&] { return Statistics(); }},
                {"Update Values", [&] { return Query(true); }},
                {"New Set", [&] { return Query(false); }},
                {"Summarize", [&] { return Summarize(); }},
                {"Select All", [&] { return Click(tessaly::info::cmdSelectAll) ? Text(Selected()) : ""; }},
                {"Switch Selection", [&] { return SwitchSelection(); }}};
            read = clicks.at(command)();
        } catch (const platform::ComError& error) {
            said.push_back(std::to_string(error.Number()) + " " + error.Description());
        }
        said.insert(said.end(), ui_->ErrorReports().begin() + reports, ui_->ErrorReports().end());
        for (std::size_t i = boxes; i < ui_->MessageBoxes().size(); ++i) said.push_back(ui_->MessageBoxes()[i].text);
        return {read, said};
    }

private:
    std::set<long long> Selected() const { return {selection_->IDs().begin(), selection_->IDs().end()}; }
    std::size_t Said() const { return ui_->ErrorReports().size() + ui_->MessageBoxes().size(); }

    // False when the click reported something. The command stays alive until
    // the next click, as its report window does.
    bool Click(const tessaly::ClassInfo& info) {
        const std::size_t before = Said();
        clicked_ = make_(info);
        EXPECT_EQ(clicked_->OnClick(), platform::S_OK) << info.progId;
        return Said() == before;
    }

    // The table window's rows, read as the desktop's window reads them.
    std::string OpenTable() {
        if (!Click(tessaly::info::OpenTable)) return "";
        const int name = rows_->FindField("NAME"), val = rows_->FindField("VAL");
        std::string rows;
        auto cursor = rows_->Search(nullptr, false);
        while (auto row = cursor->NextRow())
            rows += std::to_string(row->OID()) + " " + row->Value(name).ToText() + " " +
                    Number(row->Value(val).ToDouble()) + "\n";
        return rows;
    }

    std::string Statistics() {
        ui_->WhenModal("tessaly_ThemeIDDialog", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form);
            dialog.lbxTheme.UserClick(Line(dialog.lbxTheme, theme_));
            dialog.lbxField.UserClick(Line(dialog.lbxField, "VAL"));
            dialog.cmdOK.UserClick();
        });
        const std::size_t shown = ui_->Shown().size();
        Click(tessaly::info::cmdStats);
        std::string report;
        for (std::size_t i = shown; i < ui_->Shown().size(); ++i)
            if (auto* window = dynamic_cast<tessaly::frmReport*>(ui_->Shown()[i].form.lock().get()))
                report = window->txtReport.Text();
        if (report.empty()) return "";
        const auto value = [&](const std::string& label) {
            const auto start = report.find(label) + label.size();
            return report.substr(start, report.find("\r\n", start) - start);
        };
        return value("  Number of Records: ") + " values, total " + Number(std::stod(value("  Total: ")));
    }

    // Update Values on NAME, or New Set with VAL > 2.
    std::string Query(bool updateValues) {
        std::string read;
        ui_->WhenModal("tessaly_ModQueryDialog", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<tessaly::tessaly_ModQueryDialog&>(form);
            dialog.lbxThemes.UserClick(Line(dialog.lbxThemes, theme_));
            if (updateValues) {
                dialog.lbxFields.UserClick(Line(dialog.lbxFields, "NAME"));
                dialog.cmdUpdate.UserClick();
                std::set<std::string> values;
                for (int i = 0; i < dialog.lbxValues.ListCount(); ++i) values.insert(dialog.lbxValues.List(i));
                read = Text(values);
            } else {
                dialog.cmdClearQuery.UserClick();
                dialog.lbxFields.UserDoubleClick(Line(dialog.lbxFields, "VAL"));
                dialog.cmdGreater.UserClick();
                dialog.txtQuery.UserType("2");
                const std::size_t before = Said();
                dialog.cmdNewSet.UserClick();
                if (Said() == before) read = Text(Selected());
            }
            if (dialog.IsVisible()) dialog.cmdCancel.UserClick();
        });
        Click(tessaly::info::cmdSelByAttTessaly);
        return read;
    }

    // Sum of VAL by NAME, read back from the summary table.
    std::string Summarize() {
        const std::string output = outputFolder_ + "/summary" + std::to_string(++summaries_) + ".dbf";
        ui_->WhenModal("frm_Tessaly_Summarize", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<tessaly::frm_Tessaly_Summarize&>(form);
            dialog.cbxLayer.UserSelect(Line(dialog.cbxLayer, theme_));
            dialog.cbxFieldName.UserSelect(Line(dialog.cbxFieldName, "NAME"));
            for (platform::TreeNode* node : dialog.treeFields.Nodes().Roots())
                for (platform::TreeNode* statistic : node->Children())
                    if (node->Text() == "VAL" && statistic->Text() == "Sum") dialog.treeFields.UserClickNode(*statistic);
            dialog.txtOutput.SetText(output);
            dialog.cmdOK.UserClick();
            if (dialog.IsVisible()) dialog.cmdCancel.UserClick();
        });
        Click(tessaly::info::cmdSumTessaly);
        GDALDatasetUniquePtr dataset(GDALDataset::Open(output.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
        if (!dataset) return "";
        std::map<std::string, double> sums;
        for (const auto& feature : *dataset->GetLayer(0))
            sums[feature->GetFieldAsString(0)] = feature->GetFieldAsDouble("Sum_VAL");
        return Sums(sums);
    }

    // The first row selected, then the selection switched.
    std::string SwitchSelection() {
        auto first = rows_->Search(nullptr, false)->NextRow();
        if (!first) return "";
        selection_->Add(first->OID());
        return Click(tessaly::info::cmdSelectSwitch) ? Text(Selected()) : "";
    }

    template <class List>
    static int Line(List& list, const std::string& text) {
        for (int i = 0; i < list.ListCount(); ++i)
            if (list.List(i) == text) return i;
        throw platform::ComError(static_cast<platform::HRESULT>(0x80004005), "test", "no line " + text);
    }

    std::shared_ptr<testsupport::ModelessCapturingBackend> ui_;
    std::shared_ptr<platform::Application> app_;
    MakeCommand make_;
    std::string outputFolder_;
    int summaries_ = 0;
    std::string theme_;
    std::shared_ptr<platform::Table> rows_;
    std::shared_ptr<platform::SelectionSet> selection_;
    platform::ComPtr<platform::ICommand> clicked_;
};

// What a command may do after a change: read the current data, or either
// that or report a data problem, or report one.
enum class Expect { Current, CurrentOrProblem, Problem };
// A command may find a changed column a data problem.
inline Expect ExpectAfter(const std::string& change) {
    return change.starts_with("Column") ? Expect::CurrentOrProblem : Expect::Current;
}

// Reads the theme once (so the source has idle handles), makes the change
// (which gives the theme to check when it added one), then clicks every
// command and checks each against what GDAL reads from `source` now.
inline void ExpectEachCommandAfter(CommandRunner& runner, const std::string& source, Theme theme,
                                   const std::function<std::optional<Theme>()>& change, Expect expect) {
    const auto before = Oracle(source, theme.layer);
    ASSERT_TRUE(before);
    ASSERT_EQ(runner.Run("Select All", theme).first, before->at("Select All"));
    std::optional<Theme> added;
    ASSERT_NO_FATAL_FAILURE(added = change());
    if (added) theme = *added;
    const auto now = Oracle(source, theme.layer);
    if (expect == Expect::Current) {
        ASSERT_TRUE(now) << "GDAL reads the changed data";
        ASSERT_NE(*now, *before) << "the change shows to a new reader";
    }
    for (const std::string command : kCommands) {
        const auto [read, reports] = runner.Run(command, theme);
        const std::string said = reports.empty() ? "" : reports.front();
        if (std::any_of(reports.begin(), reports.end(), IsDataProblem)) {
            EXPECT_NE(expect, Expect::Current) << command << " reported " << said;
            // Each handler of a dialog reports what failed in it; the
            // statistics run then finds no layer chosen (error 91).
            for (const std::string& report : reports)
                EXPECT_TRUE(IsDataProblem(report) ||
                            (command == "Calculate Statistics" && report.find("\t91\r\n") != std::string::npos))
                    << command << ": " << report;
        } else {
            EXPECT_NE(expect, Expect::Problem) << command << " read " << read;
            EXPECT_TRUE(reports.empty()) << command << ": " << said;
            ASSERT_TRUE(now) << command;
            EXPECT_EQ(read, now->at(command)) << command;
        }
    }
}

}  // namespace datachange
