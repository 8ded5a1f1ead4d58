#pragma once
#include <string>

#include "platform/com/Guid.h"

namespace platform {

// The host's description of one toolbar item, handed to IToolBarDef::GetItemInfo
// for the toolbar to fill in. The host owns it; the toolbar only sets it during the
// call. A setter may raise ComError, as any host operation can.
class ItemDef {
public:
    static constexpr IID Iid = MakeGuid("{857336BF-E12B-11D1-9495-080009EEBECB}");

    virtual ~ItemDef() = default;

    // The ProgID of the command shown at this position.
    virtual void ID(const std::string& progId) = 0;
    // True: the item begins a new group (a separator before it).
    virtual void Group(bool beginsGroup) = 0;
};

}  // namespace platform
