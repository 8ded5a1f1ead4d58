#include "app/SelectByLocationWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <set>

#include "platform/data/QueryFilter.h"
#include "platform/data/SelectionSet.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/MapDocument.h"
#include "platform/map/TableFields.h"
#include "platform/map/StatusBar.h"

namespace desktop {

SelectByLocationWindow::SelectByLocationWindow(std::shared_ptr<platform::Application> application, QWidget* parent)
    : QDialog(parent), application_(std::move(application)) {
    setWindowTitle(tr("Select By Location"));
    method_ = new QComboBox;
    method_->addItems({tr("select features from"), tr("add to the currently selected features in"),
                       tr("remove from the currently selected features in"),
                       tr("select from the currently selected features in")});
    targets_ = new QListWidget;
    source_ = new QComboBox;
    selectedOnly_ = new QCheckBox;

    auto* buttons = new QDialogButtonBox;
    auto* ok = buttons->addButton(QDialogButtonBox::Ok);
    auto* apply = buttons->addButton(QDialogButtonBox::Apply);
    auto* close = buttons->addButton(QDialogButtonBox::Close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("I want to:")));
    layout->addWidget(method_);
    layout->addWidget(new QLabel(tr("the following layer(s):")));
    layout->addWidget(targets_);
    layout->addWidget(new QLabel(tr("that intersect the features in this layer:")));
    layout->addWidget(source_);
    layout->addWidget(selectedOnly_);
    layout->addWidget(buttons);

    connect(source_, &QComboBox::currentIndexChanged, this, [this] { SourceChanged(); });
    connect(apply, &QPushButton::clicked, this, [this] { Apply(); });
    connect(ok, &QPushButton::clicked, this, [this] {
        Apply();
        hide();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

void SelectByLocationWindow::Open() {
    const auto document = application_->Document();
    layers_ = TablesOf(*document->FocusMap(), true);
    targets_->clear();
    const QSignalBlocker block(source_);
    source_->clear();
    for (const auto& layer : layers_) {
        auto* item = new QListWidgetItem(layer.name, targets_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(layer.object == document->SelectedItem() ? Qt::Checked : Qt::Unchecked);
        source_->addItem(layer.name);
    }
    SourceChanged();
    show();
    raise();
    activateWindow();
}

void SelectByLocationWindow::SourceChanged() {
    const int index = source_->currentIndex();
    const std::int64_t selected = index < 0 ? 0 : layers_[static_cast<std::size_t>(index)].SelectedCount();
    selectedOnly_->setText(tr("Use selected features  (%1 features selected)").arg(selected));
    selectedOnly_->setEnabled(selected > 0);
    selectedOnly_->setChecked(selected > 0);
}

void SelectByLocationWindow::Apply() {
    const int sourceIndex = source_->currentIndex();
    if (sourceIndex < 0) return;
    const MapTable& source = layers_[static_cast<std::size_t>(sourceIndex)];
    const auto& statusBar = application_->StatusBar();
    try {
        // The source shapes first: a target may be the source layer itself.
        std::vector<platform::Geometry> shapes;
        const auto cursor = selectedOnly_->isChecked() ? source.selection->SelectionSet()->Search(nullptr, true)
                                                       : source.table->Search(nullptr, true);
        for (auto row = cursor->NextRow(); row; row = cursor->NextRow())
            if (!row->Shape().IsEmpty()) shapes.push_back(row->Shape());

        for (int i = 0; i < targets_->count(); ++i) {
            if (targets_->item(i)->checkState() != Qt::Checked) continue;
            const MapTable& target = layers_[static_cast<std::size_t>(i)];
            statusBar->ShowProgressBar("Selecting features of " + target.name.toStdString() + "...", 1,
                                       static_cast<std::int32_t>(shapes.size()), 1, true);
            std::set<platform::ObjectId> found;
            for (const auto& shape : shapes) {
                platform::SpatialFilter filter;
                filter.Geometry(shape);
                filter.GeometryField("Shape");
                filter.SpatialRel(platform::spatialrel::Intersects);
                filter.SubFields(target.table->OIDFieldName());
                const auto matches = target.table->Search(&filter, true);
                for (auto row = matches->NextRow(); row; row = matches->NextRow()) found.insert(row->OID());
                statusBar->StepProgressBar();
            }
            statusBar->HideProgressBar();
            target.selection->SelectionSet()->Combine({found.begin(), found.end()}, method_->currentIndex());
            AnnounceSelection(target);
        }
    } catch (const std::exception& error) {
        statusBar->HideProgressBar();
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8(error.what()));
    }
    SourceChanged();
}

}  // namespace desktop
