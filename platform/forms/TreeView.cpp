#include "platform/forms/TreeView.h"

#include "platform/forms/FormsError.h"
#include "platform/forms/ImageList.h"

namespace platform {

void ImageList::AddImage(const std::string& resource) {
    Touch();
    images_.push_back(resource);
    Changed();
}

int ImageList::ImageCount() {
    Touch();
    return static_cast<int>(images_.size());
}

std::string ImageList::Image(int index) {
    Touch();
    if (index < 1 || index > static_cast<int>(images_.size())) throw FormError(formerr::IndexOutOfBounds);
    return images_[static_cast<std::size_t>(index - 1)];
}

TreeNode::TreeNode(TreeView& tree, std::string key, std::string text, TreeNode* parent, int image,
                   int selectedImage)
    : tree_(tree),
      key_(std::move(key)),
      text_(std::move(text)),
      parent_(parent),
      image_(image),
      selectedImage_(selectedImage) {}

void TreeNode::SetText(const std::string& text) {
    text_ = text;
    tree_.NodeChanged();
}

void TreeNode::SetTag(const std::string& tag) { tag_ = tag; }

void TreeNode::SetImage(int image) {
    image_ = image;
    tree_.NodeChanged();
}

void TreeNode::SetSelectedImage(int image) {
    selectedImage_ = image;
    tree_.NodeChanged();
}

TreeNode* TreeNodes::Find(const std::string& key) {
    for (const auto& node : nodes_) {
        if (node->Key() == key) return node.get();
    }
    return nullptr;
}

TreeNode& TreeNodes::Add(const std::string& relative, int relationship, const std::string& key,
                         const std::string& text, int image, int selectedImage) {
    tree_.Touch();
    TreeNode* parent = nullptr;
    if (!relative.empty()) {
        if (relationship != tvwChild) throw RuntimeError(vberr::InvalidCall);
        parent = Find(relative);
        if (parent == nullptr) throw FormError(formerr::ElementNotFound);
    }
    if (!key.empty() && Find(key) != nullptr) throw FormError(formerr::KeyNotUnique);
    nodes_.push_back(std::make_unique<TreeNode>(tree_, key, text, parent, image, selectedImage));
    TreeNode& node = *nodes_.back();
    if (parent != nullptr) parent->children_.push_back(&node);
    tree_.NodeChanged();
    return node;
}

int TreeNodes::Count() {
    tree_.Touch();
    return static_cast<int>(nodes_.size());
}

TreeNode& TreeNodes::Item(int index) {
    tree_.Touch();
    if (index < 1 || index > static_cast<int>(nodes_.size())) throw FormError(formerr::IndexOutOfBounds);
    return *nodes_[static_cast<std::size_t>(index - 1)];
}

TreeNode& TreeNodes::Item(const std::string& key) {
    tree_.Touch();
    TreeNode* node = key.empty() ? nullptr : Find(key);
    if (node == nullptr) throw FormError(formerr::ElementNotFound);
    return *node;
}

void TreeNodes::Clear() {
    tree_.Touch();
    nodes_.clear();
    tree_.NodeChanged();
}

std::vector<TreeNode*> TreeNodes::Roots() {
    tree_.Touch();
    std::vector<TreeNode*> roots;
    for (const auto& node : nodes_) {
        if (node->Parent() == nullptr) roots.push_back(node.get());
    }
    return roots;
}

TreeView::TreeView(Form& form, std::string name) : Control(form, std::move(name)), nodes_(*this) {}

void TreeView::ResetState() {
    nodes_.nodes_.clear();
    imageList_ = nullptr;
}

TreeNodes& TreeView::Nodes() {
    Touch();
    return nodes_;
}

platform::ImageList* TreeView::ImageList() {
    Touch();
    return imageList_;
}

void TreeView::SetImageList(platform::ImageList* images) {
    Touch();
    imageList_ = images;
    Changed();
}

void TreeView::UserClickNode(TreeNode& node) {
    if (AcceptsUserInput() && NodeClick && EventsOn()) NodeClick(node);
}

}  // namespace platform
