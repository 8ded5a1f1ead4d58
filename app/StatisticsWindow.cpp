#include "app/StatisticsWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/data/QueryFilter.h"
#include "platform/data/SelectionSet.h"
#include "platform/map/Application.h"
#include "platform/map/MapDocument.h"
#include "platform/map/TableFields.h"

namespace desktop {

namespace {
QString Number(double value) { return QLocale().toString(value, 'g', 12); }
}  // namespace

StatisticsWindow::StatisticsWindow(std::shared_ptr<platform::Application> application, QWidget* parent)
    : QDialog(parent), application_(std::move(application)) {
    setWindowTitle(tr("Statistics"));
    layers_ = new QComboBox;
    fields_ = new QComboBox;
    scope_ = new QLabel;
    report_ = new QPlainTextEdit;
    report_->setReadOnly(true);
    report_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    report_->setMinimumSize(300, 150);

    auto* form = new QFormLayout;
    form->addRow(tr("Layer:"), layers_);
    form->addRow(tr("Field:"), fields_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(scope_);
    layout->addWidget(report_);
    layout->addWidget(buttons);

    connect(layers_, &QComboBox::currentIndexChanged, this, [this] { FillFields(); });
    connect(fields_, &QComboBox::currentIndexChanged, this, [this] { Compute(); });
}

void StatisticsWindow::Open() {
    const auto document = application_->Document();
    tables_ = TablesOf(*document->FocusMap());
    const QSignalBlocker block(layers_);
    layers_->clear();
    int preferred = -1;
    const auto selected = document->SelectedItem();
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        layers_->addItem(tables_[i].name);
        if (tables_[i].object == selected) preferred = static_cast<int>(i);
        else if (preferred < 0 && tables_[i].SelectedCount() > 0) preferred = static_cast<int>(i);
    }
    layers_->setCurrentIndex(std::max(preferred, tables_.empty() ? -1 : 0));
    FillFields();
    show();
    raise();
    activateWindow();
}

void StatisticsWindow::FillFields() {
    const QSignalBlocker block(fields_);
    fields_->clear();
    const int index = layers_->currentIndex();
    if (index >= 0) {
        const MapTable& table = tables_[static_cast<std::size_t>(index)];
        for (int i = 0; i < table.fields->FieldCount(); ++i) {
            if (IsNumericField(*table.fields->Field(i)) && table.fields->FieldInfo(i)->Visible())
                fields_->addItem(table.FieldLabel(i), QString::fromStdString(table.fields->Field(i)->Name()));
        }
    }
    Compute();
}

void StatisticsWindow::Compute() {
    report_->clear();
    scope_->clear();
    const int index = layers_->currentIndex();
    if (index < 0 || fields_->currentIndex() < 0) return;
    const MapTable& table = tables_[static_cast<std::size_t>(index)];
    const std::string field = fields_->currentData().toString().toStdString();
    try {
        platform::QueryFilter filter;
        filter.SubFields(field);
        const bool selectedOnly = table.SelectedCount() > 0;
        const auto cursor =
            selectedOnly ? table.selection->SelectionSet()->Search(&filter, true) : table.table->Search(&filter, true);
        const int column = cursor->FindField(field);
        std::int64_t count = 0, nulls = 0;
        double sum = 0, squares = 0;
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) {
            const platform::Variant& value = row->Value(column);
            if (value.IsNull() || value.IsEmpty()) {
                ++nulls;
                continue;
            }
            const double number = value.ToDouble();
            ++count;
            sum += number;
            squares += number * number;
            low = std::min(low, number);
            high = std::max(high, number);
        }
        scope_->setText(selectedOnly ? tr("Statistics of the %1 selected records").arg(table.SelectedCount())
                                     : tr("Statistics of all records"));
        QStringList lines;
        lines << tr("Count:               %1").arg(count);
        if (count > 0) {
            const double mean = sum / static_cast<double>(count);
            const double variance = std::max(0.0, squares / static_cast<double>(count) - mean * mean);
            lines << tr("Minimum:             %1").arg(Number(low)) << tr("Maximum:             %1").arg(Number(high))
                  << tr("Sum:                 %1").arg(Number(sum)) << tr("Mean:                %1").arg(Number(mean))
                  << tr("Standard Deviation:  %1").arg(Number(std::sqrt(variance)));
        }
        if (nulls > 0) lines << tr("Null values:         %1").arg(nulls);
        report_->setPlainText(lines.join('\n'));
    } catch (const std::exception& error) {
        report_->setPlainText(QString::fromUtf8(error.what()));
    }
}

QString StatisticsWindow::ReportText() const { return report_->toPlainText(); }

}  // namespace desktop
