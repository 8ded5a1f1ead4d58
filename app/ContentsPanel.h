#pragma once
#include <QTabWidget>
#include <functional>
#include <memory>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace platform {
class HostObject;
class Map;
class MapDocument;
}  // namespace platform

namespace desktop {

// The table of contents: one tab per contents view of the document
// ("Display", "Source", "Selection"). The tab shown is the document's current
// view; the items selected in a tab (several with Ctrl or Shift) are that
// view's selection, so its SelectedItem is one item or an ItemSet. A double
// click on a map makes it the focus map.
class ContentsPanel : public QTabWidget {
public:
    explicit ContentsPanel(QWidget* parent = nullptr);

    void SetDocument(std::shared_ptr<platform::MapDocument> document);
    // Builds the three views again from the document, keeping their selections.
    void Rebuild();

    // Called after the user changed a view's selection or the current view.
    std::function<void()> onSelectionChanged;
    // Called after the user made another map the focus map.
    std::function<void()> onFocusMapChanged;

    QTreeWidget* Tree(int view) const;
    // Selects the items of the current view that show `name`, as a click
    // (or a Ctrl+click when `add`) on the first of them would; false when none does.
    bool SelectByName(const QString& name, bool add = false);

private:
    void Fill(int view);
    void AddMap(QTreeWidget* tree, const std::shared_ptr<platform::Map>& map, int view);
    QTreeWidgetItem* AddObject(QTreeWidgetItem* parent, const std::shared_ptr<platform::HostObject>& object,
                               const QString& text);
    void SelectionChangedIn(int view);
    void ItemActivated(QTreeWidgetItem* item);
    // The user's folding is the map's or group's own, kept by the document.
    void Expand(QTreeWidgetItem* item, bool expanded);
    std::shared_ptr<platform::HostObject> ObjectOf(const QTreeWidgetItem* item) const;

    std::shared_ptr<platform::MapDocument> document_;
    std::vector<QTreeWidget*> trees_;
    std::vector<std::shared_ptr<platform::HostObject>> objects_;  // item data index into this
    bool rebuilding_ = false;
};

}  // namespace desktop
