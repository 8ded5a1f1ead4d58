#pragma once
#include <cstdint>
#include <string>

#include "platform/com/ClassFactory.h"
#include "platform/com/ComObject.h"
#include "platform/map/IToolBarDef.h"
#include "src/core/ClassInfo.h"
#include "src/core/CommandTable.h"

namespace tessaly {

// The "Tessaly Tools" toolbar: twelve commands in five groups. It has no state.
class toolBarTessaly final : public platform::ComObject<platform::IToolBarDef, DefaultInterface<info::toolBarTessaly>> {
public:
    platform::HRESULT ItemCount(std::int32_t* count) noexcept override;
    platform::HRESULT GetItemInfo(std::int32_t pos, platform::ItemDef& itemDef) noexcept override;
    platform::HRESULT Name(std::string* name) noexcept override;
    platform::HRESULT Caption(std::string* caption) noexcept override;

private:
    friend platform::ClassFactory<toolBarTessaly>;
    toolBarTessaly() = default;
};

}  // namespace tessaly
