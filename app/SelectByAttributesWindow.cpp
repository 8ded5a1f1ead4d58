#include "app/SelectByAttributesWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <set>

#include "platform/data/QueryFilter.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/TableView.h"
#include "platform/data/Variant.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableFields.h"

namespace desktop {

namespace {
constexpr int MaxUniqueValues = 500;

QString ValueText(const platform::Variant& value) {
    if (value.IsString()) return QStringLiteral("'%1'").arg(QString::fromStdString(value.AsString()).replace("'", "''"));
    if (value.IsDate()) return QStringLiteral("'%1'").arg(QString::fromStdString(value.ToText()));
    return QString::fromStdString(value.ToText());
}
}  // namespace

SelectByAttributesWindow::SelectByAttributesWindow(std::shared_ptr<platform::Application> application,
                                                   QWidget* parent)
    : QDialog(parent), application_(std::move(application)) {
    setWindowTitle(tr("Select By Attributes"));
    layers_ = new QComboBox;
    method_ = new QComboBox;
    method_->addItems({tr("Create a new selection"), tr("Add to current selection"),
                       tr("Remove from current selection"), tr("Select from current selection")});
    fields_ = new QListWidget;
    values_ = new QListWidget;
    selectFrom_ = new QLabel;
    clause_ = new QPlainTextEdit;
    clause_->setMaximumHeight(80);

    auto* operators = new QGridLayout;
    const char* const symbols[] = {"=", "<>", "LIKE", ">", ">=", "AND", "<", "<=", "OR", "%", "()", "NOT"};
    for (int i = 0; i < 12; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(symbols[i]));
        button->setMaximumWidth(48);
        const QString symbol = QString::fromLatin1(symbols[i]);
        connect(button, &QPushButton::clicked, this, [this, symbol] { Insert(" " + symbol + " "); });
        operators->addWidget(button, i / 3, i % 3);
    }
    auto* uniqueValues = new QPushButton(tr("Get Unique Values"));

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(tr("Layer:")), 0, 0);
    form->addWidget(layers_, 0, 1);
    form->addWidget(new QLabel(tr("Method:")), 1, 0);
    form->addWidget(method_, 1, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(operators);
    auto* valueColumn = new QVBoxLayout;
    valueColumn->addWidget(values_);
    valueColumn->addWidget(uniqueValues);
    middle->addLayout(valueColumn);

    auto* buttons = new QDialogButtonBox;
    auto* clear = buttons->addButton(tr("Clear"), QDialogButtonBox::ResetRole);
    auto* ok = buttons->addButton(QDialogButtonBox::Ok);
    auto* apply = buttons->addButton(QDialogButtonBox::Apply);
    auto* close = buttons->addButton(QDialogButtonBox::Close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(fields_);
    layout->addLayout(middle);
    layout->addWidget(selectFrom_);
    layout->addWidget(clause_);
    layout->addWidget(buttons);

    connect(layers_, &QComboBox::currentIndexChanged, this, [this] { FillFields(); });
    connect(fields_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Insert(Current()->QuotedField(item->data(Qt::UserRole).toString())); });
    connect(fields_, &QListWidget::currentRowChanged, values_, &QListWidget::clear);
    connect(values_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { Insert(item->text()); });
    connect(uniqueValues, &QPushButton::clicked, this, [this] { FillUniqueValues(); });
    connect(clear, &QPushButton::clicked, clause_, &QPlainTextEdit::clear);
    connect(apply, &QPushButton::clicked, this, [this] { Apply(); });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (Apply()) hide();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

void SelectByAttributesWindow::Open() {
    const auto document = application_->Document();
    tables_ = TablesOf(*document->FocusMap());
    const QSignalBlocker block(layers_);
    layers_->clear();
    int preferred = tables_.empty() ? -1 : 0;
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        layers_->addItem(tables_[i].name);
        if (tables_[i].object == document->SelectedItem()) preferred = static_cast<int>(i);
    }
    layers_->setCurrentIndex(preferred);
    FillFields();
    show();
    raise();
    activateWindow();
}

const MapTable* SelectByAttributesWindow::Current() const {
    const int index = layers_->currentIndex();
    return index < 0 ? nullptr : &tables_[static_cast<std::size_t>(index)];
}

void SelectByAttributesWindow::FillFields() {
    fields_->clear();
    values_->clear();
    const MapTable* table = Current();
    selectFrom_->setText(table ? tr("SELECT * FROM %1 WHERE:").arg(table->name) : QString());
    if (!table) return;
    for (int i = 0; i < table->fields->FieldCount(); ++i) {
        const auto& field = table->fields->Field(i);
        if (field->Type() == platform::fieldtype::Geometry || field->Type() == platform::fieldtype::Blob ||
            !table->fields->FieldInfo(i)->Visible())
            continue;
        auto* item = new QListWidgetItem(table->FieldLabel(i), fields_);
        item->setData(Qt::UserRole, QString::fromStdString(field->Name()));
    }
}

void SelectByAttributesWindow::FillUniqueValues() {
    values_->clear();
    const MapTable* table = Current();
    if (!table || !fields_->currentItem()) return;
    const std::string field = fields_->currentItem()->data(Qt::UserRole).toString().toStdString();
    try {
        platform::QueryFilter filter;
        filter.SubFields(field);
        const auto cursor = table->table->Search(&filter, true);
        const int column = cursor->FindField(field);
        std::set<platform::Variant> unique;
        for (auto row = cursor->NextRow(); row && unique.size() < MaxUniqueValues; row = cursor->NextRow())
            if (!row->Value(column).IsNull()) unique.insert(row->Value(column));
        const auto standalone = std::dynamic_pointer_cast<platform::StandaloneTable>(table->object);
        const auto view = table->layer ? table->layer->View() : standalone ? standalone->View() : nullptr;
        const auto literal = view ? view->Source()->WhereLiteralWriter(field) : nullptr;
        std::vector<std::string> lines;
        for (const auto& value : unique)
            if (literal)
                literal(value, lines);
            else
                lines.push_back(ValueText(value).toStdString());
        for (const std::string& line : lines) values_->addItem(QString::fromStdString(line));
    } catch (const std::exception& error) {
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8(error.what()));
    }
}

void SelectByAttributesWindow::Insert(const QString& text) {
    clause_->insertPlainText(text);
    clause_->setFocus();
}

bool SelectByAttributesWindow::Apply() {
    const MapTable* table = Current();
    if (!table) return false;
    platform::QueryFilter filter;
    filter.WhereClause(clause_->toPlainText().trimmed().toStdString());
    try {
        table->selection->SelectRows(&filter, method_->currentIndex(), false);
    } catch (const std::exception& error) {
        QMessageBox::warning(this, windowTitle(),
                             tr("The expression could not be applied:\n%1").arg(QString::fromUtf8(error.what())));
        return false;
    }
    AnnounceSelection(*table);
    return true;
}

}  // namespace desktop
