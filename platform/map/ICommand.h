#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/Unknown.h"
#include "platform/forms/Picture.h"

namespace platform {

class HostObject;

// A command the host shows on its toolbars and menus, implemented by an in-process
// server's class and created by its ProgID.
//
// Every member hands its result through the out parameter and answers S_OK; a
// command reports its own failures and then answers its default (false, "", 0). A
// failure code reaches the host only from a command that leaves its errors to the
// host. No member throws. The host calls OnCreate once, before anything but the
// constant members, and asks Enabled again whenever its toolbars refresh.
class ICommand : public IUnknown {
public:
    static constexpr IID Iid = MakeGuid("{36B06538-4437-11D1-B970-080009EE4E51}");

    virtual HRESULT Enabled(bool* enabled) noexcept = 0;
    virtual HRESULT Checked(bool* checked) noexcept = 0;
    virtual HRESULT Name(std::string* name) noexcept = 0;
    virtual HRESULT Caption(std::string* caption) noexcept = 0;
    virtual HRESULT Tooltip(std::string* tooltip) noexcept = 0;
    virtual HRESULT Message(std::string* message) noexcept = 0;
    virtual HRESULT HelpFile(std::string* helpFile) noexcept = 0;
    virtual HRESULT HelpContextID(std::int32_t* helpContextId) noexcept = 0;
    // The handle of the command's picture (Picture.h), valid while the command lives.
    virtual HRESULT Bitmap(OLE_HANDLE* bitmap) noexcept = 0;
    virtual HRESULT Category(std::string* category) noexcept = 0;
    // `hook` is the host application that creates the command.
    virtual HRESULT OnCreate(const std::shared_ptr<HostObject>& hook) noexcept = 0;
    virtual HRESULT OnClick() noexcept = 0;
};

}  // namespace platform
