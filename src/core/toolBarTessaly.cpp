#include "src/core/toolBarTessaly.h"

#include <array>

#include "platform/com/EntryGuard.h"
#include "platform/map/ItemDef.h"
#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "toolBarTessaly";

struct Item {
    const ClassInfo* command;
    bool beginsGroup;
};

// Open Table, Media Viewer, Statistics, Summarize, QuickLoad | the three selection
// tools | Clear and Switch | Delete Layers | About.
constexpr std::array<Item, 12> kItems{{
    {&info::OpenTable, false},
    {&info::cmdMediaViewer, false},
    {&info::cmdStats, false},
    {&info::cmdSumTessaly, false},
    {&info::cmdQuickLoad, false},
    {&info::cmdSelByAttTessaly, true},
    {&info::cmdSelByLocation, false},
    {&info::cmdSelByGraphic, false},
    {&info::cmdSelectNone, true},
    {&info::cmdSelectSwitch, false},
    {&info::cmdDeleteSelLayers, true},
    {&info::cmdAbout, true},
}};

template <class T, class Body>
platform::HRESULT Answer(T* out, const char* member, T fallback, Body&& body) noexcept {
    if (out == nullptr) return platform::E_POINTER;
    *out = fallback;
    return platform::GuardedCall([&] {
        *out = Guarded(Procedure{member, kModule}, fallback, body);
        return platform::S_OK;
    });
}

}  // namespace

platform::HRESULT toolBarTessaly::ItemCount(std::int32_t* count) noexcept {
    return Answer(count, "IToolBarDef_ItemCount", std::int32_t{0},
                  [] { return static_cast<std::int32_t>(kItems.size()); });
}

platform::HRESULT toolBarTessaly::GetItemInfo(std::int32_t pos, platform::ItemDef& itemDef) noexcept {
    return platform::GuardedCall([&] {
        Guarded(Procedure{"IToolBarDef_GetItemInfo", kModule}, [&] {
            // Compared unsigned, so a negative position is outside too.
            const auto index = static_cast<std::uint32_t>(pos);
            if (index >= kItems.size()) return;
            itemDef.ID(kItems[index].command->progId);
            if (kItems[index].beginsGroup) itemDef.Group(true);
        });
        return platform::S_OK;
    });
}

platform::HRESULT toolBarTessaly::Name(std::string* name) noexcept {
    return Answer(name, "IToolBarDef_Name", std::string{}, [] { return std::string(info::toolBarTessaly.name); });
}

platform::HRESULT toolBarTessaly::Caption(std::string* caption) noexcept {
    return Answer(caption, "IToolBarDef_Caption", std::string{},
                  [] { return std::string(info::toolBarTessaly.caption); });
}

}  // namespace tessaly
