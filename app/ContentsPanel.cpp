#include "app/ContentsPanel.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <map>

#include "app/LayerStyle.h"
#include "platform/map/ContentsView.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"

namespace desktop {

namespace {
constexpr int ObjectRole = Qt::UserRole + 1;
constexpr int DisplayView = 0;
constexpr int SourceView = 1;
constexpr int SelectionView = 2;

QIcon StandardIcon(QStyle::StandardPixmap which) { return QApplication::style()->standardIcon(which); }

// The folder (or single-file database) a layer's or table's data come from.
QString SourceOf(const std::string& path) {
    const std::filesystem::path source(path);
    if (source.extension() == ".gpkg" || source.extension() == ".sqlite") return QString::fromStdString(path);
    return QString::fromStdString(source.parent_path().generic_string());
}

QString WithSelection(const QString& name, platform::TableSelection& selectable) {
    const auto selection = selectable.SelectionSet();
    const qint64 count = selection ? selection->Count() : 0;
    return QStringLiteral("%1   (%2)").arg(name).arg(count);
}

void Collect(const std::shared_ptr<platform::Layer>& layer, std::vector<std::shared_ptr<platform::FeatureLayer>>& out) {
    if (auto group = std::dynamic_pointer_cast<platform::GroupLayer>(layer)) {
        for (const auto& member : group->Layers()) Collect(member, out);
    } else if (auto feature = std::dynamic_pointer_cast<platform::FeatureLayer>(layer)) {
        out.push_back(std::move(feature));
    }
}
}  // namespace

ContentsPanel::ContentsPanel(QWidget* parent) : QTabWidget(parent) {
    setTabPosition(QTabWidget::South);
    setDocumentMode(true);
    for (const char* name : {"Display", "Source", "Selection"}) {
        auto* tree = new QTreeWidget;
        tree->setHeaderHidden(true);
        tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
        tree->setIconSize(QSize(16, 16));
        const int view = static_cast<int>(trees_.size());
        connect(tree, &QTreeWidget::itemSelectionChanged, this, [this, view] { SelectionChangedIn(view); });
        connect(tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { ItemActivated(item); });
        connect(tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { Expand(item, true); });
        connect(tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) { Expand(item, false); });
        trees_.push_back(tree);
        addTab(tree, QString::fromLatin1(name));
    }
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (rebuilding_ || !document_ || index < 0) return;
        document_->CurrentContentsView(document_->ContentsView(index));
        if (onSelectionChanged) onSelectionChanged();
    });
}

QTreeWidget* ContentsPanel::Tree(int view) const { return trees_.at(static_cast<std::size_t>(view)); }

void ContentsPanel::SetDocument(std::shared_ptr<platform::MapDocument> document) {
    document_ = std::move(document);
    Rebuild();
}

void ContentsPanel::Rebuild() {
    rebuilding_ = true;
    objects_.clear();
    for (int view = 0; view < static_cast<int>(trees_.size()); ++view) Fill(view);
    if (document_) {
        for (int view = 0; view < document_->ContentsViewCount(); ++view)
            if (document_->ContentsView(view) == document_->CurrentContentsView()) setCurrentIndex(view);
    }
    rebuilding_ = false;
}

void ContentsPanel::Fill(int view) {
    QTreeWidget* tree = Tree(view);
    const QSignalBlocker block(tree);
    tree->clear();
    if (!document_) return;
    for (const auto& map : document_->Maps()->All()) AddMap(tree, map, view);

    // The view's own selection, as the document keeps it.
    const auto& selected = document_->ContentsView(view)->SelectedItems();
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const auto object = ObjectOf(*it);
        if (object && std::find(selected.begin(), selected.end(), object) != selected.end()) (*it)->setSelected(true);
    }
}

void ContentsPanel::AddMap(QTreeWidget* tree, const std::shared_ptr<platform::Map>& map, int view) {
    auto* mapItem = new QTreeWidgetItem(tree, {QString::fromStdString(map->Name())});
    objects_.push_back(map);
    mapItem->setData(0, ObjectRole, static_cast<int>(objects_.size() - 1));
    mapItem->setIcon(0, StandardIcon(QStyle::SP_DirHomeIcon));
    QFont font = mapItem->font(0);
    font.setBold(map == document_->FocusMap());
    mapItem->setFont(0, font);

    if (view == DisplayView) {
        std::function<void(QTreeWidgetItem*, const std::shared_ptr<platform::Layer>&)> addLayer =
            [&](QTreeWidgetItem* parent, const std::shared_ptr<platform::Layer>& layer) {
                QTreeWidgetItem* item = AddObject(parent, layer, QString::fromStdString(layer->Name()));
                if (auto group = std::dynamic_pointer_cast<platform::GroupLayer>(layer)) {
                    for (const auto& member : group->Layers()) addLayer(item, member);
                    item->setExpanded(group->Expanded());
                }
            };
        for (const auto& layer : map->TopLayers()) addLayer(mapItem, layer);
    } else {
        std::vector<std::shared_ptr<platform::FeatureLayer>> layers;
        for (const auto& layer : map->TopLayers()) Collect(layer, layers);
        std::vector<std::shared_ptr<platform::StandaloneTable>> tables;
        for (std::int32_t i = 0; i < map->StandaloneTableCount(); ++i) tables.push_back(map->StandaloneTable(i));

        if (view == SourceView) {
            std::map<QString, QTreeWidgetItem*> folders;
            auto folderItem = [&](const std::string& path) {
                QTreeWidgetItem*& folder = folders[SourceOf(path)];
                if (!folder) {
                    folder = new QTreeWidgetItem(mapItem, {SourceOf(path)});
                    folder->setIcon(0, StandardIcon(QStyle::SP_DirIcon));
                    folder->setFlags(Qt::ItemIsEnabled);
                    folder->setExpanded(true);
                }
                return folder;
            };
            for (const auto& layer : layers)
                AddObject(folderItem(layer->DataSourcePath()), layer, QString::fromStdString(layer->Name()));
            for (const auto& table : tables)
                AddObject(folderItem(table->DataSourcePath()), table, QString::fromStdString(table->Name()));
        } else {
            for (const auto& layer : layers)
                AddObject(mapItem, layer,
                          layer->Valid() ? WithSelection(QString::fromStdString(layer->Name()), *layer)
                                         : QString::fromStdString(layer->Name()));
            for (const auto& table : tables)
                AddObject(mapItem, table,
                          table->Valid() ? WithSelection(QString::fromStdString(table->Name()), *table)
                                         : QString::fromStdString(table->Name()));
        }
    }
    mapItem->setExpanded(map->Expanded());
}

QTreeWidgetItem* ContentsPanel::AddObject(QTreeWidgetItem* parent, const std::shared_ptr<platform::HostObject>& object,
                                          const QString& text) {
    auto* item = new QTreeWidgetItem(parent, {text});
    objects_.push_back(object);
    item->setData(0, ObjectRole, static_cast<int>(objects_.size() - 1));
    if (auto feature = std::dynamic_pointer_cast<platform::FeatureLayer>(object)) {
        item->setIcon(0, SwatchIcon(StyleOf(*feature)));
        if (!feature->Valid()) {
            item->setForeground(0, Qt::gray);
            item->setToolTip(0, QString::fromStdString(feature->OpenError()));
        }
    } else if (auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(object)) {
        item->setIcon(0, StandardIcon(QStyle::SP_FileDialogDetailedView));
        if (!table->Valid()) {
            item->setForeground(0, Qt::gray);
            item->setToolTip(0, QString::fromStdString(table->OpenError()));
        }
    } else {
        item->setIcon(0, StandardIcon(QStyle::SP_DirIcon));
    }
    return item;
}

std::shared_ptr<platform::HostObject> ContentsPanel::ObjectOf(const QTreeWidgetItem* item) const {
    const QVariant index = item ? item->data(0, ObjectRole) : QVariant();
    if (!index.isValid()) return nullptr;
    return objects_.at(static_cast<std::size_t>(index.toInt()));
}

void ContentsPanel::SelectionChangedIn(int view) {
    if (rebuilding_ || !document_) return;
    const auto& contents = document_->ContentsView(view);
    contents->SelectedItem(nullptr);
    for (const QModelIndex& index : Tree(view)->selectionModel()->selectedIndexes()) {
        const QVariant entry = index.data(ObjectRole);
        if (entry.isValid()) contents->AddToSelectedItems(objects_.at(static_cast<std::size_t>(entry.toInt())));
    }
    if (onSelectionChanged) onSelectionChanged();
}

void ContentsPanel::ItemActivated(QTreeWidgetItem* item) {
    auto map = std::dynamic_pointer_cast<platform::Map>(ObjectOf(item));
    if (!map || !document_ || map == document_->FocusMap()) return;
    document_->ActiveView(map);
    Rebuild();
    if (onFocusMapChanged) onFocusMapChanged();
}

void ContentsPanel::Expand(QTreeWidgetItem* item, bool expanded) {
    if (rebuilding_) return;
    const auto object = ObjectOf(item);
    if (auto map = std::dynamic_pointer_cast<platform::Map>(object)) map->Expanded(expanded);
    else if (auto group = std::dynamic_pointer_cast<platform::GroupLayer>(object)) group->Expanded(expanded);
}

bool ContentsPanel::SelectByName(const QString& name, bool add) {
    QTreeWidget* tree = Tree(currentIndex());
    const auto found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty()) return false;
    if (!add) tree->clearSelection();
    found.front()->setSelected(true);
    tree->setCurrentItem(found.front(), 0, QItemSelectionModel::NoUpdate);
    return true;
}

}  // namespace desktop
