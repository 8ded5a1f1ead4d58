#pragma once
// Every command that reads a layer or table, clicked by the headless user on
// one theme, each giving back what it read or that it reported a data problem;
// and what the data hold now, read by GDAL on a connection of its own (the
// oracle). For the "data change under you" tests of file and PostGIS data.
//
// The theme has the attribute fields NAME (text) and VAL (real), with small
// values, so that a statistics total prints as a plain number.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"
#include "platform/data/Row.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/WhereClause.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/ICommand.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/ClassInfo.h"
#include "src/core/CommandTable.h"
#include "src/core/frmReport.h"
#include "src/query_summary/frm_Tessaly_Summarize.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"
#include "tests/support/ModelessCapturingBackend.h"

namespace datachange {

// What a theme holds: per object ID, its NAME and its VAL as text.
struct Holding {
    std::map<long long, std::pair<std::string, double>> rows;
    bool operator==(const Holding&) const = default;
};

// The rows of `layerName` of the source at `path` (a file or a connection
// string), read afresh; nullopt when GDAL cannot read NAME and VAL there.
inline std::optional<Holding> Oracle(const std::string& path, const std::string& layerName) {
    GDALAllRegister();
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset) return std::nullopt;
    OGRLayer* layer = dataset->GetLayerByName(layerName.c_str());
    if (!layer) return std::nullopt;
    const int name = layer->GetLayerDefn()->GetFieldIndex("NAME");
    const int val = layer->GetLayerDefn()->GetFieldIndex("VAL");
    if (name < 0 || val < 0) return std::nullopt;
    Holding holding;
    for (const auto& feature : *layer)
        holding.rows[feature->GetFID()] = {feature->GetFieldAsString(name), feature->GetFieldAsDouble(val)};
    return holding;
}

inline bool IsDataProblem(const std::string& report) {
    return report.find(std::to_string(static_cast<std::int32_t>(platform::E_DATAUNREADABLE))) != std::string::npos;
}

// One command's result: what it read, as text to compare with the oracle's,
// or the data problem it reported.
struct Outcome {
    std::string read;
    bool dataProblem = false;
    std::vector<std::string> reports;
};

using Ids = std::set<long long>;

inline std::string Text(const Ids& ids) {
    std::ostringstream out;
    for (long long id : ids) out << id << ' ';
    return out.str();
}

inline std::string Number(double value) {
    std::ostringstream out;
    out.precision(10);
    out << value;
    return out.str();
}

// What each command should read from `holding`, named as the commands are.
inline std::map<std::string, std::string> Expected(const Holding& holding) {
    Ids all, above2, allButFirst;
    std::set<std::string> names;
    std::map<std::string, double> sums;
    double total = 0;
    for (const auto& [id, row] : holding.rows) {
        all.insert(id);
        if (row.second > 2) above2.insert(id);
        if (id != holding.rows.begin()->first) allButFirst.insert(id);
        names.insert("'" + row.first + "'");
        sums[row.first] += row.second;
        total += row.second;
    }
    std::string rows, values, summary;
    for (const auto& [id, row] : holding.rows) rows += std::to_string(id) + " " + row.first + " " + Number(row.second) + "\n";
    for (const auto& name : names) values += name + " ";
    for (const auto& [name, sum] : sums) summary += name + "=" + Number(sum) + " ";
    return {{"Open Table", rows},
            {"Calculate Statistics", std::to_string(holding.rows.size()) + " values, total " + Number(total)},
            {"Update Values", values},
            {"New Set", Text(above2)},
            {"Summarize", summary},
            {"Select All", Text(all)},
            {"Switch Selection", Text(allButFirst)}};
}

// Clicks the commands on one theme of the focus map.
class CommandRunner {
public:
    using MakeCommand = std::function<platform::ComPtr<platform::ICommand>(const tessaly::ClassInfo&)>;

    CommandRunner(std::shared_ptr<testsupport::ModelessCapturingBackend> ui, std::shared_ptr<platform::Application> app,
                  MakeCommand make, std::string outputFolder)
        : ui_(std::move(ui)), app_(std::move(app)), make_(std::move(make)), outputFolder_(std::move(outputFolder)) {}

    static std::vector<std::string> Names() {
        return {"Open Table", "Calculate Statistics", "Update Values", "New Set", "Summarize", "Select All",
                "Switch Selection"};
    }

    // Runs the command `name` on the theme (a feature layer or standalone table named `theme`).
    Outcome Run(const std::string& name, const std::shared_ptr<platform::HostObject>& item, const std::string& theme) {
        const std::size_t reportsBefore = ui_->ErrorReports().size();
        const std::size_t boxesBefore = ui_->MessageBoxes().size();
        Outcome outcome;
        Selection(item)->Clear();
        try {
            if (name == "Open Table") outcome.read = OpenTable(item);
            if (name == "Calculate Statistics") outcome.read = Statistics(theme);
            if (name == "Update Values" || name == "New Set") outcome.read = Query(name, item, theme);
            if (name == "Summarize") outcome.read = Summarize(theme);
            if (name == "Select All" || name == "Switch Selection") outcome.read = Selection(name, item);
        } catch (const platform::ComError& error) {
            outcome.reports.push_back(std::to_string(error.Number()) + " " + error.Description());
        }
        for (std::size_t i = reportsBefore; i < ui_->ErrorReports().size(); ++i)
            outcome.reports.push_back(ui_->ErrorReports()[i]);
        for (std::size_t i = boxesBefore; i < ui_->MessageBoxes().size(); ++i)
            outcome.reports.push_back(ui_->MessageBoxes()[i].text);
        for (const auto& report : outcome.reports) outcome.dataProblem |= IsDataProblem(report);
        return outcome;
    }

private:
    static std::shared_ptr<platform::SelectionSet> Selection(const std::shared_ptr<platform::HostObject>& item) {
        if (auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(item)) return layer->SelectionSet();
        return std::dynamic_pointer_cast<platform::StandaloneTable>(item)->SelectionSet();
    }

    static Ids SelectedIds(const std::shared_ptr<platform::HostObject>& item) {
        Ids ids;
        for (const auto id : Selection(item)->IDs()) ids.insert(id);
        return ids;
    }

    static std::shared_ptr<platform::Table> Rows(const std::shared_ptr<platform::HostObject>& item) {
        if (auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(item)) return layer;
        return std::dynamic_pointer_cast<platform::StandaloneTable>(item)->Table();
    }

    // The command stays alive until the next click, as its report window does.
    void Click(const tessaly::ClassInfo& info) {
        clicked_ = make_(info);
        EXPECT_EQ(clicked_->OnClick(), platform::S_OK) << info.progId;
    }

    // The table window's rows, read as the desktop's window reads them.
    std::string OpenTable(const std::shared_ptr<platform::HostObject>& item) {
        app_->Document()->CurrentContentsView()->SelectedItem(item);
        const std::size_t before = ui_->ErrorReports().size() + ui_->MessageBoxes().size();
        Click(tessaly::info::OpenTable);
        if (ui_->ErrorReports().size() + ui_->MessageBoxes().size() != before) return "";
        auto table = Rows(item);
        const int name = table->FindField("NAME");
        const int val = table->FindField("VAL");
        std::string rows;
        auto cursor = table->Search(nullptr, false);
        while (auto row = cursor->NextRow())
            rows += std::to_string(row->OID()) + " " + row->Value(name).ToText() + " " +
                    Number(row->Value(val).ToDouble()) + "\n";
        return rows;
    }

    std::string Statistics(const std::string& theme) {
        std::string read;
        ui_->WhenModal("tessaly_ThemeIDDialog", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form);
            dialog.lbxTheme.UserClick(Line(dialog.lbxTheme, theme));
            dialog.lbxField.UserClick(Line(dialog.lbxField, "VAL"));
            dialog.optAll.UserClick();
            dialog.cmdOK.UserClick();
        });
        const std::size_t shown = ui_->Shown().size();
        Click(tessaly::info::cmdStats);
        std::string report;
        for (std::size_t i = shown; i < ui_->Shown().size(); ++i)
            if (auto* window = dynamic_cast<tessaly::frmReport*>(ui_->Shown()[i].form.lock().get()))
                report = window->txtReport.Text();
        if (report.empty()) return "";
        return ReportValue(report, "  Number of Records: ") + " values, total " +
               Number(std::stod(ReportValue(report, "  Total: ")));
    }

    std::string Query(const std::string& name, const std::shared_ptr<platform::HostObject>& item,
                      const std::string& theme) {
        std::string read;
        ui_->WhenModal("tessaly_ModQueryDialog", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<tessaly::tessaly_ModQueryDialog&>(form);
            dialog.lbxThemes.UserClick(Line(dialog.lbxThemes, theme));
            if (name == "Update Values") {
                dialog.lbxFields.UserClick(Line(dialog.lbxFields, "NAME"));
                dialog.cmdUpdate.UserClick();
                std::vector<std::string> values;
                for (int i = 0; i < dialog.lbxValues.ListCount(); ++i) values.push_back(dialog.lbxValues.List(i));
                std::sort(values.begin(), values.end());
                for (const auto& value : values) read += value + " ";
            } else {
                dialog.cmdClearQuery.UserClick();
                dialog.lbxFields.UserDoubleClick(Line(dialog.lbxFields, "VAL"));
                std::string text = dialog.txtQuery.Text();
                text = text.substr(0, text.find_last_not_of(" ") + 1) + " > 2";
                dialog.txtQuery.UserSelect(0, static_cast<int>(dialog.txtQuery.Text().size()));
                dialog.txtQuery.UserType(text);
                const std::size_t before = ui_->ErrorReports().size() + ui_->MessageBoxes().size();
                dialog.cmdNewSet.UserClick();
                if (ui_->ErrorReports().size() + ui_->MessageBoxes().size() == before) read = Text(SelectedIds(item));
            }
            if (dialog.IsVisible()) dialog.cmdCancel.UserClick();
        });
        Click(tessaly::info::cmdSelByAttTessaly);
        return read;
    }

    std::string Summarize(const std::string& theme) {
        const std::string output = outputFolder_ + "/summary" + std::to_string(++summaries_) + ".dbf";
        ui_->WhenModal("frm_Tessaly_Summarize", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<tessaly::frm_Tessaly_Summarize&>(form);
            dialog.cbxLayer.UserSelect(Line(dialog.cbxLayer, theme));
            dialog.cbxFieldName.UserSelect(Line(dialog.cbxFieldName, "NAME"));
            for (platform::TreeNode* node : dialog.treeFields.Nodes().Roots())
                if (node->Text() == "VAL")
                    for (platform::TreeNode* statistic : node->Children())
                        if (statistic->Text() == "Sum") dialog.treeFields.UserClickNode(*statistic);
            dialog.txtOutput.SetText(output);
            dialog.cmdOK.UserClick();
            if (dialog.IsVisible()) dialog.cmdCancel.UserClick();
        });
        Click(tessaly::info::cmdSumTessaly);
        GDALDatasetUniquePtr dataset(GDALDataset::Open(output.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
        if (!dataset) return "";
        std::map<std::string, double> sums;
        const int sum = dataset->GetLayer(0)->GetLayerDefn()->GetFieldIndex("Sum_VAL");
        for (const auto& feature : *dataset->GetLayer(0))
            sums[feature->GetFieldAsString(0)] = feature->GetFieldAsDouble(sum);
        std::string read;
        for (const auto& [name, sum] : sums) read += name + "=" + Number(sum) + " ";
        return read;
    }

    std::string Selection(const std::string& name, const std::shared_ptr<platform::HostObject>& item) {
        app_->Document()->CurrentContentsView()->SelectedItem(item);
        const std::size_t before = ui_->ErrorReports().size() + ui_->MessageBoxes().size();
        if (name == "Switch Selection") {
            Click(tessaly::info::cmdSelectNone);
            auto selection = Rows(item)->Search(nullptr, false)->NextRow();
            if (!selection) return "";
            Selection(item)->Add(selection->OID());
            Click(tessaly::info::cmdSelectSwitch);
        } else {
            Click(tessaly::info::cmdSelectAll);
        }
        if (ui_->ErrorReports().size() + ui_->MessageBoxes().size() != before) return "";
        return Text(SelectedIds(item));
    }

    template <class List>
    static int Line(List& list, const std::string& text) {
        for (int i = 0; i < list.ListCount(); ++i)
            if (list.List(i) == text) return i;
        throw platform::ComError(static_cast<platform::HRESULT>(0x80004005), "test", "no line " + text);
    }

    static std::string ReportValue(const std::string& report, const std::string& label) {
        const auto at = report.find(label);
        if (at == std::string::npos) return "";
        const auto start = at + label.size();
        return report.substr(start, report.find("\r\n", start) - start);
    }

    std::shared_ptr<testsupport::ModelessCapturingBackend> ui_;
    std::shared_ptr<platform::Application> app_;
    MakeCommand make_;
    std::string outputFolder_;
    int summaries_ = 0;
    platform::ComPtr<platform::ICommand> clicked_;
};

// What a command may do after a change: read the current data, or either
// that or report a data problem, or report one.
enum class Expect { Current, CurrentOrProblem, Problem };

// Clicks every command on the theme and checks each against the data as
// they are now (`now`: nullopt when GDAL cannot read them).
inline void ExpectEachCommand(CommandRunner& runner, const std::shared_ptr<platform::HostObject>& item,
                              const std::string& theme, const std::optional<Holding>& now, Expect expect) {
    for (const std::string& command : CommandRunner::Names()) {
        const Outcome outcome = runner.Run(command, item, theme);
        const std::string said = outcome.reports.empty() ? "" : outcome.reports.front();
        if (outcome.dataProblem) {
            EXPECT_NE(expect, Expect::Current) << command << " reported " << said;
            // Each handler of a dialog reports what failed in it; the
            // statistics run then finds no layer chosen (error 91).
            for (const std::string& report : outcome.reports)
                EXPECT_TRUE(IsDataProblem(report) ||
                            (command == "Calculate Statistics" && report.find("\t91\r\n") != std::string::npos))
                    << command << ": " << report;
        } else {
            EXPECT_NE(expect, Expect::Problem) << command << " read " << outcome.read;
            EXPECT_TRUE(outcome.reports.empty()) << command << ": " << said;
            ASSERT_TRUE(now) << command;
            EXPECT_EQ(outcome.read, Expected(*now).at(command)) << command;
        }
    }
}

}  // namespace datachange
