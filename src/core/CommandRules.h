#pragma once
#include <memory>

namespace platform {
class ContentsView;
class HostObject;
class MapDocument;
}

// The enabling rules several commands share. Each takes the command's m_pMxDoc
// and throws what the host throws (error 91 for a null document); the command's
// Enabled reports it and answers false.
namespace tessaly {

// The selected-item rule: the document has a selected item, its current contents
// view is named exactly "Display" or "Source", and the item is a feature layer, a
// standalone table or a set of several items. The variations widen or narrow it.
struct SelectedItemKinds {
    // A layer or table must be Valid; a set needs a valid feature-layer member
    // (tables in a set do not count).
    bool validity = false;
    // A set of several items is accepted.
    bool sets = true;
    // A map is accepted too.
    bool maps = false;
};

inline constexpr SelectedItemKinds kSelectedItem{};
inline constexpr SelectedItemKinds kWithValidity{.validity = true};
inline constexpr SelectedItemKinds kWithoutSetsWithValidity{.validity = true, .sets = false};
inline constexpr SelectedItemKinds kMapsToo{.maps = true};

bool SelectedItemRule(const std::shared_ptr<platform::MapDocument>& document,
                      SelectedItemKinds kinds = kSelectedItem);
// The same rule for a given view and item (null: none).
bool SelectedItemRule(const platform::ContentsView& view, const std::shared_ptr<platform::HostObject>& item,
                      SelectedItemKinds kinds = kSelectedItem);

// The graphic variation: the selected item is a valid feature layer, or a set with
// a valid feature-layer member (tables do not count), and the focus map has at
// least one selected graphic element. Both halves are asked every time.
bool SelectedGraphicRule(const std::shared_ptr<platform::MapDocument>& document);

// The focus-map rule: the focus map holds a valid feature layer at any depth or,
// failing that, a valid standalone table. Failures while looking at the layers
// count as no layers; a failure while looking at the tables is thrown.
bool FocusMapRule(const std::shared_ptr<platform::MapDocument>& document);

}  // namespace tessaly
