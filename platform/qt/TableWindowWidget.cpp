#include "platform/qt/TableWindowWidget.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/com/ComError.h"
#include "platform/data/SelectionSet.h"
#include "platform/map/HostObject.h"
#include "platform/map/HostObjectName.h"
#include "platform/map/TableDefinition.h"
#include "platform/map/TableFields.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TableRowsModel.h"

namespace platform::qt {
namespace {

std::shared_ptr<SelectionSet> SelectionOf(const std::shared_ptr<HostObject>& target) {
    auto selection = std::dynamic_pointer_cast<TableSelection>(target);
    return selection ? selection->SelectionSet() : nullptr;
}

}  // namespace

std::string TableWindowCaption(const HostObject& target) { return "Attributes of " + HostObjectName(&target); }

TableWindowWidget::TableWindowWidget(std::shared_ptr<HostObject> target, QWidget* parent)
    : QWidget(parent, Qt::Window),
      target_(std::move(target)),
      view_(new QTableView(this)),
      count_(new QLabel(this)),
      rows_(new TableRowsModel(std::dynamic_pointer_cast<Table>(target_),
                               std::dynamic_pointer_cast<TableFields>(target_), this)) {
    setWindowTitle(ToQString(TableWindowCaption(*target_)));
    view_->setModel(rows_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    // Each column at least as wide as its heading, which names the field whole.
    for (int column = 0; column < rows_->columnCount(); ++column) {
        QHeaderView* header = view_->horizontalHeader();
        header->resizeSection(column, std::max(header->sectionSize(column), header->sectionSizeHint(column)));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(view_);
    layout->addWidget(count_);
    readExpression_ = Expression();
    CountRows();
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UserSelected(); });
    // Rows read later show their selection too.
    connect(rows_, &QAbstractItemModel::rowsInserted, this, [this] { ShowSelection(); });
    rows_->fetchMore({});
    ShowSelection();
    resize(640, 360);
}

TableWindowWidget::~TableWindowWidget() = default;

std::string TableWindowWidget::Expression() const {
    auto definition = std::dynamic_pointer_cast<TableDefinition>(target_);
    return definition ? definition->DefinitionExpression() : std::string();
}

void TableWindowWidget::Reload(bool force) {
    const std::string expression = Expression();
    if (!force && expression == readExpression_) return;
    readExpression_ = expression;
    showing_ = true;
    rows_->Reload();
    showing_ = false;
    CountRows();
    rows_->fetchMore({});
    ShowSelection();
}

void TableWindowWidget::ShowSelection() {
    const auto selection = SelectionOf(target_);
    QItemSelection shown;
    if (selection) {
        for (const ObjectId id : selection->IDs()) {
            const int row = rows_->RowOf(id);
            if (row >= 0) shown.select(rows_->index(row, 0), rows_->index(row, std::max(0, rows_->columnCount() - 1)));
        }
    }
    showing_ = true;
    view_->selectionModel()->select(shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    showing_ = false;
    ShowCount();
}

void TableWindowWidget::UserSelected() {
    if (showing_) return;
    auto tableSelection = std::dynamic_pointer_cast<TableSelection>(target_);
    const auto selection = SelectionOf(target_);
    if (!tableSelection || !selection) return;
    // Rows not read yet keep their state; the rows read take the view's.
    std::set<ObjectId> ids(selection->IDs().begin(), selection->IDs().end());
    for (const ObjectId id : rows_->ReadIds()) ids.erase(id);
    for (const QModelIndex& row : view_->selectionModel()->selectedRows()) ids.insert(rows_->OidAt(row.row()));
    try {
        selection->Combine({ids.begin(), ids.end()}, selectionresult::New);
        tableSelection->SelectionChanged();
    } catch (const ComError& error) {
        qWarning("Table window: %s", error.Description().c_str());
    }
    ShowCount();
}

void TableWindowWidget::CountRows() {
    total_ = 0;
    try {
        if (auto table = std::dynamic_pointer_cast<Table>(target_)) total_ = table->RowCount(nullptr);
    } catch (const ComError&) {
        total_ = 0;  // a table that cannot be read has no rows to show
    }
}

void TableWindowWidget::ShowCount() {
    const auto selection = SelectionOf(target_);
    const qint64 selected = selection ? selection->Count() : 0;
    count_->setText(QStringLiteral("(%1 out of %2 Selected)").arg(selected).arg(total_));
}

void TableWindowWidget::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClosed_) onClosed_();
}

}  // namespace platform::qt
