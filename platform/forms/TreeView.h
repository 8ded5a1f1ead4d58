#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform {

class ImageList;
class TreeView;

inline constexpr int tvwFirst = 0;
inline constexpr int tvwLast = 1;
inline constexpr int tvwNext = 2;
inline constexpr int tvwPrevious = 3;
inline constexpr int tvwChild = 4;

// One node. It lives in its tree view's Nodes until they are cleared.
class TreeNode {
public:
    TreeNode(TreeView& tree, std::string key, std::string text, TreeNode* parent, int image, int selectedImage);

    const std::string& Key() const { return key_; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    const std::string& Tag() const { return tag_; }
    void SetTag(const std::string& tag);
    // Picture numbers in the tree's image list; 0 for none.
    int Image() const { return image_; }
    void SetImage(int image);
    int SelectedImage() const { return selectedImage_; }
    void SetSelectedImage(int image);
    // None for a top-level node.
    TreeNode* Parent() const { return parent_; }
    // The children in display order.
    const std::vector<TreeNode*>& Children() const { return children_; }

private:
    friend class TreeNodes;
    TreeView& tree_;
    std::string key_;
    std::string text_;
    std::string tag_;
    TreeNode* parent_;
    int image_;
    int selectedImage_;
    std::vector<TreeNode*> children_;
};

// The nodes of a tree view, numbered from 1 in the order they were added.
class TreeNodes {
public:
    explicit TreeNodes(TreeView& tree) : tree_(tree) {}

    // No relative: a top-level node at the end. With `relative` (a key)
    // and tvwChild: the relative's last child. Other relationships are not
    // offered (error 5). A repeated non-empty key is error 35602; an
    // unknown relative is error 35601.
    TreeNode& Add(const std::string& relative, int relationship, const std::string& key, const std::string& text,
                  int image = 0, int selectedImage = 0);
    int Count();
    // Error 35600 outside 1..Count.
    TreeNode& Item(int index);
    // Error 35601 for an unknown key.
    TreeNode& Item(const std::string& key);
    void Clear();
    // The top-level nodes in display order.
    std::vector<TreeNode*> Roots();

private:
    friend class TreeView;
    TreeNode* Find(const std::string& key);

    TreeView& tree_;
    std::vector<std::unique_ptr<TreeNode>> nodes_;
};

class TreeView : public Control {
public:
    TreeView(Form& form, std::string name);
    std::function<void(TreeNode&)> NodeClick;

    TreeNodes& Nodes();
    platform::ImageList* ImageList();
    void SetImageList(platform::ImageList* images);

    void UserClickNode(TreeNode& node);

protected:
    void ResetState() override;

private:
    friend class TreeNode;
    friend class TreeNodes;
    void NodeChanged() { Changed(); }

    TreeNodes nodes_;
    platform::ImageList* imageList_ = nullptr;
};

}  // namespace platform
