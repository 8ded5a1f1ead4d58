#pragma once
#include <cstdint>
#include <string>

#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/Unknown.h"

namespace platform {

class ItemDef;

// A toolbar an in-process server offers: its items by position, each named by the
// ProgID of a command. Results come back as with ICommand: through the out
// parameter, S_OK, and no member throws.
class IToolBarDef : public IUnknown {
public:
    static constexpr IID Iid = MakeGuid("{61B318F0-CDA0-11D1-B9A8-080009EE4E51}");

    virtual HRESULT ItemCount(std::int32_t* count) noexcept = 0;
    // Fills `itemDef` for position `pos` (0 to ItemCount - 1). A position outside
    // that range leaves it untouched and is no failure.
    virtual HRESULT GetItemInfo(std::int32_t pos, ItemDef& itemDef) noexcept = 0;
    virtual HRESULT Name(std::string* name) noexcept = 0;
    virtual HRESULT Caption(std::string* caption) noexcept = 0;
};

}  // namespace platform
