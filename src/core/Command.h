#pragma once
#include <memory>
#include <string>
#include <utility>

#include "platform/com/ClassFactory.h"
#include "platform/com/ComObject.h"
#include "platform/com/EntryGuard.h"
#include "platform/com/Hresult.h"
#include "platform/forms/Picture.h"
#include "platform/map/Application.h"
#include "platform/map/HostObject.h"
#include "platform/map/ICommand.h"
#include "platform/map/MapDocument.h"
#include "src/core/ClassInfo.h"
#include "src/core/CommandTable.h"
#include "src/core/DocumentPath.h"
#include "src/core/ErrorHandling.h"
#include "src/resources/Bitmaps.h"

// The command pattern. A command is one declarative block: its row of constants
// in CommandTable.h (name, caption, tooltip, message, category, bitmap id, how it
// deals with failures), its Enabled rule and its click:
//
//   class cmdSelectAll final : public Command<cmdSelectAll, info::cmdSelectAll> {
//       friend Command;                                  // asks the rule, runs the click
//       friend platform::ClassFactory<cmdSelectAll>;     // the only way to make one
//       cmdSelectAll() = default;
//
//       bool IsEnabled() { return SelectedItemRule(m_pMxDoc, kWithValidity); }
//       void Click();                                    // in cmdSelectAll.cpp
//   };
//
// The base implements every ICommand member from the row and guards each one: an
// error is reported under the member's name ("ICommand_Enabled <module> ") and the
// member answers its default (false, "", 0). A ClickBox row's click shows the plain
// click box instead; a LeftToHost row's Enabled and click report nothing and hand
// the failure code to the host. So IsEnabled and Click just throw (any exception;
// platform::ComError keeps its number) and never catch for reporting's sake.
//
// Life: created by its class factory, the command loads its bitmap (a failure is
// reported as "Class_Initialize"). OnCreate keeps the hook as m_pApp and its
// Document as m_pMxDoc, then calls the block's Created() if it declares one (a
// command that keeps a form makes it there). Both stay as they are for the life of
// the command, also when the user opens another document; before OnCreate they are
// null, and a rule or click that uses them fails with error 91.
//
// The six commands whose default interface tells the document's path derive from
// PathCommand instead; their GetPath is the shared one of DocumentPath.h.
//
// A command's row lives in CommandTable.h, its block in <class>.h (the click in
// <class>.cpp), and its class factory in ServerClasses.cpp. Tests create commands
// through the library's factory (DllGetClassObject), never by constructing them.
namespace tessaly {

// The hook handed to OnCreate as the host application: error 91 for none, 13 for
// an object that is not one.
std::shared_ptr<platform::Application> HookAsApplication(const std::shared_ptr<platform::HostObject>& hook);

template <class Derived, const ClassInfo& Info, class Default = DefaultInterface<Info>>
class Command : public platform::ComObject<platform::ICommand, Default> {
public:
    platform::HRESULT Enabled(bool* enabled) noexcept final {
        return Answer(enabled, "ICommand_Enabled", false, kLeftToHost, [this] { return self().IsEnabled(); });
    }
    platform::HRESULT Checked(bool* checked) noexcept final {
        return Answer(checked, "ICommand_Checked", false, false, [] { return false; });
    }
    platform::HRESULT Name(std::string* name) noexcept final { return Text(name, "ICommand_Name", Info.name); }
    platform::HRESULT Caption(std::string* caption) noexcept final {
        return Text(caption, "ICommand_Caption", Info.caption);
    }
    platform::HRESULT Tooltip(std::string* tooltip) noexcept final {
        return Text(tooltip, "ICommand_Tooltip", Info.tooltip);
    }
    platform::HRESULT Message(std::string* message) noexcept final {
        return Text(message, "ICommand_Message", Info.message);
    }
    platform::HRESULT HelpFile(std::string* helpFile) noexcept final {
        return Text(helpFile, "ICommand_HelpFile", "");
    }
    platform::HRESULT HelpContextID(std::int32_t* helpContextId) noexcept final {
        return Answer(helpContextId, "ICommand_HelpContextID", std::int32_t{0}, false, [] { return std::int32_t{0}; });
    }
    platform::HRESULT Bitmap(platform::OLE_HANDLE* bitmap) noexcept final {
        return Answer(bitmap, "ICommand_Bitmap", platform::OLE_HANDLE{0}, false,
                      [this] { return bitmap_ ? bitmap_->Handle() : platform::OLE_HANDLE{0}; });
    }
    platform::HRESULT Category(std::string* category) noexcept final {
        return Text(category, "ICommand_Category", Info.category);
    }
    platform::HRESULT OnCreate(const std::shared_ptr<platform::HostObject>& hook) noexcept final {
        return platform::GuardedCall([&] {
            Guarded(Procedure{"ICommand_OnCreate", Info.module}, [&] {
                m_pApp = HookAsApplication(hook);
                m_pMxDoc = m_pApp->Document();
                self().Created();
            });
            return platform::S_OK;
        });
    }
    platform::HRESULT OnClick() noexcept final {
        return platform::GuardedCall([this] {
            auto click = [this] { self().Click(); };
            if constexpr (Info.failures == Failures::LeftToHost) {
                click();
            } else if constexpr (Info.failures == Failures::ClickBox) {
                GuardedClick(Info.module, click);
            } else {
                Guarded(Procedure{"ICommand_OnClick", Info.module}, click);
            }
            return platform::S_OK;
        });
    }

protected:
    Command() {
        Guarded(Procedure{"Class_Initialize", Info.module}, [this] { bitmap_ = LoadResPicture(Info.bitmap); });
    }

    // Called at the end of OnCreate; a block hides it to do more there.
    void Created() {}

    std::shared_ptr<platform::Application> m_pApp;
    std::shared_ptr<platform::MapDocument> m_pMxDoc;

private:
    static constexpr bool kLeftToHost = Info.failures == Failures::LeftToHost;

    Derived& self() { return static_cast<Derived&>(*this); }

    // Runs `body` for an out value. Reported: a failure is reported under `member`
    // and `fallback` is answered with S_OK. Left to the host: the failure code is
    // returned, with `fallback` in *out.
    template <class T, class Body>
    platform::HRESULT Answer(T* out, const char* member, T fallback, bool leftToHost, Body&& body) noexcept {
        if (out == nullptr) return platform::E_POINTER;
        *out = fallback;
        return platform::GuardedCall([&] {
            *out = leftToHost ? body() : Guarded(Procedure{member, Info.module}, fallback, body);
            return platform::S_OK;
        });
    }

    platform::HRESULT Text(std::string* out, const char* member, const char* text) noexcept {
        return Answer(out, member, std::string{}, false, [text] { return std::string(text); });
    }

    std::unique_ptr<platform::StdPicture> bitmap_;
};

// A command whose default interface carries GetPath.
template <class Derived, const ClassInfo& Info>
class PathCommand : public Command<Derived, Info, PathInterface<Info>> {
public:
    platform::HRESULT GetPath(std::string* path) noexcept final {
        if (path == nullptr) return platform::E_POINTER;
        return platform::GuardedCall([&] {
            *path = tessaly::GetPath(this->m_pApp.get(), Info.module);
            return platform::S_OK;
        });
    }
};

}  // namespace tessaly
