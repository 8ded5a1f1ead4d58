#include <QHeaderView>
#include <QMouseEvent>
#include <QSet>
#include <QTreeWidget>
#include <functional>
#include <map>
#include <vector>

#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

// A tree widget that reports a click on a node's row, after its own handling
// of the click is done (a click handler may rebuild the nodes).
class TreeWidget : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    std::function<void(QTreeWidgetItem*)> onNodeClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        QTreeWidgetItem* pressed = itemAt(at);
        const bool onNode = pressed != nullptr && event->button() == Qt::LeftButton && visualItemRect(pressed).contains(at);
        QTreeWidget::mouseReleaseEvent(event);
        if (onNode) onNodeClick(pressed);
    }
};

class TreeControlView : public ControlView {
public:
    TreeControlView(FormView& form, TreeView& tree, QWidget* parent)
        : ControlView(form, tree), tree_(tree), widget_(new TreeWidget(parent)) {
        widget_->setHeaderHidden(true);
        widget_->setColumnCount(1);
        widget_->setRootIsDecorated(true);
        widget_->onNodeClick = [this](QTreeWidgetItem* item) {
            const auto found = nodes_.find(item);
            if (found == nodes_.end()) return;
            TreeNode* node = found->second;
            User([this, node] { tree_.UserClickNode(*node); });
        };
    }
    QWidget* Widget() const override { return widget_; }
    void ImagesChanged() override { Sync(); }

protected:
    void SyncContent() override {
        std::vector<TreeNode*> order;
        for (TreeNode* root : tree_.Nodes().Roots()) Collect(root, order);
        std::vector<std::pair<TreeNode*, std::string>> shape;
        shape.reserve(order.size());
        for (TreeNode* node : order) shape.emplace_back(node, node->Key());
        if (shape != shape_) Rebuild(order);
        shape_ = std::move(shape);
        for (const auto& [item, node] : nodes_) {
            item->setText(0, ToQString(node->Text()));
            item->setIcon(0, NodeIcon(*node));
        }
    }

private:
    static void Collect(TreeNode* node, std::vector<TreeNode*>& order) {
        order.push_back(node);
        for (TreeNode* child : node->Children()) Collect(child, order);
    }

    // Nodes are rebuilt when they were added or cleared; the rows the user
    // opened stay open by key.
    void Rebuild(const std::vector<TreeNode*>& order) {
        QSet<QString> expanded;
        for (const auto& [item, node] : nodes_) {
            if (item->isExpanded()) expanded.insert(item->data(0, Qt::UserRole).toString());
        }
        widget_->clear();
        nodes_.clear();
        std::map<TreeNode*, QTreeWidgetItem*> items;
        for (TreeNode* node : order) {
            QTreeWidgetItem* item = node->Parent() == nullptr ? new QTreeWidgetItem(widget_)
                                                              : new QTreeWidgetItem(items.at(node->Parent()));
            const QString key = ToQString(node->Key());
            item->setData(0, Qt::UserRole, key);
            items[node] = item;
            nodes_[item] = node;
        }
        for (const auto& [item, node] : nodes_) {
            if (!node->Key().empty() && expanded.contains(ToQString(node->Key()))) item->setExpanded(true);
        }
    }

    QPixmap ListPicture(ImageList* images, int index) {
        if (images == nullptr || index < 1 || index > images->ImageCount()) return {};
        return Form().Pictures().Picture(images->Image(index));
    }

    QIcon NodeIcon(const TreeNode& node) {
        ImageList* images = tree_.ImageList();
        QIcon icon(ListPicture(images, node.Image()));
        const QPixmap selected = ListPicture(images, node.SelectedImage());
        if (!selected.isNull()) icon.addPixmap(selected, QIcon::Selected);
        return icon;
    }

    TreeView& tree_;
    TreeWidget* widget_;
    std::map<QTreeWidgetItem*, TreeNode*> nodes_;
    std::vector<std::pair<TreeNode*, std::string>> shape_;
};

}  // namespace

std::unique_ptr<ControlView> MakeTreeView(FormView& form, TreeView& tree, QWidget* parent) {
    return std::make_unique<TreeControlView>(form, tree, parent);
}

}  // namespace platform::qt
