#include "platform/qt/SummarizeWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/com/ComError.h"
#include "platform/data/Dataset.h"
#include "platform/data/Geoprocessor.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/Workspace.h"
#include "platform/map/Application.h"
#include "platform/map/HostObjectName.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/SummarizeDialog.h"
#include "platform/map/TableFields.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

struct StatisticChoice {
    const char* label;
    const char* keyword;
    bool numbersOnly;
};

constexpr StatisticChoice kStatistics[] = {
    {"Minimum", "Minimum", false}, {"Maximum", "Maximum", false},
    {"Average", "Average", true},  {"Sum", "Sum", true},
    {"Standard Deviation", "StdDev", true}, {"Variance", "Variance", true},
};

bool IsNumber(int type) { return type >= fieldtype::SmallInteger && type <= fieldtype::Double; }

struct Choice {
    QString name;
    QString shown;  // the alias
    int type;
};

// The visible fields that can be summarized (numbers, texts, dates).
std::vector<Choice> Summarizable(const std::shared_ptr<Table>& table) {
    std::vector<Choice> choices;
    const auto presentation = std::dynamic_pointer_cast<TableFields>(table);
    try {
        const auto fields = table->Fields();
        for (int i = 0; i < fields->FieldCount(); ++i) {
            const auto& field = fields->Field(i);
            if (field->Type() < fieldtype::SmallInteger || field->Type() > fieldtype::Date) continue;
            Choice choice{ToQString(field->Name()), ToQString(field->Name()), field->Type()};
            if (presentation && i < presentation->FieldCount()) {
                const auto info = presentation->FieldInfo(i);
                if (!info->Visible()) continue;
                choice.shown = ToQString(info->Alias());
            }
            choices.push_back(std::move(choice));
        }
    } catch (const ComError&) {
        // Data that cannot be read offer no fields; OK then says so.
    }
    return choices;
}

// The data's own folder (a file database's folder), else the home folder.
QString StartFolder(const std::shared_ptr<Table>& table) {
    if (auto dataset = std::dynamic_pointer_cast<Dataset>(table)) {
        try {
            if (auto workspace = dataset->Workspace()) {
                const QFileInfo place(ToQString(workspace->PathName()));
                if (place.isDir()) return place.absoluteFilePath();
                if (place.exists()) return place.absolutePath();
            }
        } catch (const ComError&) {
        }
    }
    return QDir::homePath();
}

QString UnusedPath(const QString& folder, const QString& base) {
    QString path = QDir(folder).filePath(base + QStringLiteral(".dbf"));
    for (int n = 1; QFileInfo::exists(path); ++n) {
        path = QDir(folder).filePath(QStringLiteral("%1_%2.dbf").arg(base).arg(n));
    }
    return path;
}

}  // namespace

SummarizeWindow::SummarizeWindow(const SummarizeDialog& dialog, QWidget* parent)
    : QDialog(parent),
      dialog_(dialog),
      caseField_(new QComboBox(this)),
      statistics_(new QTreeWidget(this)),
      selectedOnly_(new QCheckBox(QStringLiteral("Summarize on selected records only"), this)),
      output_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Summarize"));
    const std::shared_ptr<Table>& table = dialog.Table();
    for (const Choice& choice : Summarizable(table)) caseField_->addItem(choice.shown, choice.name);
    const int proposed = caseField_->findData(ToQString(dialog.FieldName()));
    caseField_->setCurrentIndex(proposed >= 0 ? proposed : 0);

    statistics_->setHeaderHidden(true);
    FillStatistics();

    auto selection = std::dynamic_pointer_cast<TableSelection>(table);
    const auto set = selection ? selection->SelectionSet() : nullptr;
    const bool anySelected = set && set->Count() > 0;
    selectedOnly_->setEnabled(anySelected);
    selectedOnly_->setChecked(anySelected);

    output_->setText(UnusedPath(StartFolder(table), QStringLiteral("Sum_Output")));
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(output_);
    outputRow->addWidget(browse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ToQString("Summarize " + HostObjectName(dialog.TableObject())), this));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("1. Field to summarize on:"), caseField_);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("2. Statistics to include in the output table:"), this));
    layout->addWidget(statistics_);
    layout->addWidget(new QLabel(QStringLiteral("3. Output table:"), this));
    layout->addLayout(outputRow);
    layout->addWidget(selectedOnly_);
    layout->addWidget(buttons);
    resize(420, 480);
}

SummarizeWindow::~SummarizeWindow() = default;

void SummarizeWindow::FillStatistics() {
    statistics_->clear();
    for (const Choice& field : Summarizable(dialog_.Table())) {
        auto* fieldItem = new QTreeWidgetItem(statistics_, {field.shown});
        fieldItem->setData(0, Qt::UserRole, field.name);
        for (const StatisticChoice& choice : kStatistics) {
            if (choice.numbersOnly && !IsNumber(field.type)) continue;
            auto* item = new QTreeWidgetItem(fieldItem, {QString::fromLatin1(choice.label)});
            item->setData(0, Qt::UserRole, QString::fromLatin1(choice.keyword));
            item->setCheckState(0, Qt::Unchecked);
        }
    }
}

std::string SummarizeWindow::Summary() const {
    QStringList tokens;
    for (int f = 0; f < statistics_->topLevelItemCount(); ++f) {
        QTreeWidgetItem* field = statistics_->topLevelItem(f);
        for (int s = 0; s < field->childCount(); ++s) {
            QTreeWidgetItem* statistic = field->child(s);
            if (statistic->checkState(0) != Qt::Checked) continue;
            tokens.append(statistic->data(0, Qt::UserRole).toString() + QLatin1Char('.') +
                          field->data(0, Qt::UserRole).toString());
        }
    }
    return ToStdString(tokens.join(QStringLiteral(", ")));
}

void SummarizeWindow::Browse() {
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Output table"), output_->text(),
                                                        QStringLiteral("dBASE tables (*.dbf)"), nullptr,
                                                        QFileDialog::DontUseNativeDialog);
    if (!chosen.isEmpty()) output_->setText(chosen);
}

void SummarizeWindow::Fail(const QString& text) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

void SummarizeWindow::AddToFocusMap(const std::string& name) {
    const auto& application = dialog_.Application();
    if (!application) return;
    const auto& document = application->Document();
    auto added = std::make_shared<StandaloneTable>();
    added->Table(result_);
    added->Name(name);
    document->FocusMap()->AddStandaloneTable(added);
    document->UpdateContents();
}

void SummarizeWindow::accept() {
    const std::string summary = Summary();
    if (summary.empty()) {
        Fail(QStringLiteral("Choose at least one statistic for the output table."));
        return;
    }
    QFileInfo target(output_->text().trimmed());
    if (target.fileName().isEmpty() || !target.absoluteDir().exists()) {
        Fail(QStringLiteral("Choose an output table in an existing folder."));
        return;
    }
    if (target.suffix().compare(QStringLiteral("dbf"), Qt::CaseInsensitive) != 0) {
        target = QFileInfo(target.absoluteFilePath() + QStringLiteral(".dbf"));
    }
    if (target.exists()) {
        Fail(QStringLiteral("The output table %1 already exists.").arg(target.absoluteFilePath()));
        return;
    }
    try {
        auto workspace = FolderWorkspaceFactory().OpenFromFile(ToStdString(target.absolutePath()), 0);
        auto name = std::make_shared<TableName>();
        name->Name(ToStdString(target.fileName()));
        name->WorkspaceName(std::dynamic_pointer_cast<WorkspaceName>(workspace->FullName()));
        result_ = Geoprocessor().Dissolve(dialog_.Table(), selectedOnly_->isChecked(),
                                          ToStdString(caseField_->currentData().toString()), summary, name);
    } catch (const ComError& error) {
        Fail(QStringLiteral("The summary could not be written: %1").arg(ToQString(error.Description())));
        return;
    }
    try {
        AddToFocusMap(ToStdString(target.completeBaseName()));
    } catch (const ComError& error) {
        Fail(QStringLiteral("The summary was written but not added to the map: %1")
                 .arg(ToQString(error.Description())));
    }
    QDialog::accept();
}

}  // namespace platform::qt
