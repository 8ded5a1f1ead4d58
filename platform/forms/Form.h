#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Container.h"
#include "platform/forms/Signal.h"

namespace platform {

class Control;
class ModelessFrame;

inline constexpr int vbModeless = 0;
inline constexpr int vbModal = 1;

// Size of a window's frame and caption around its client area, in twips.
inline constexpr int kWindowChromeWidth = 120;
inline constexpr int kWindowChromeHeight = 510;

// Twips per screen pixel.
inline constexpr int kTwipsPerPixel = 15;

// A form: a class deriving from Form holds its controls as members and its
// event handlers as methods, wired to the controls in its constructor.
//
// Life as in the classic runtime. A created form is not loaded. Loading
// (an explicit Load, a Show, or the first touch of one of its controls or
// of its Caption, size or other window properties) resets every control,
// applies the design layout (Design, with no events) and runs Form_Load.
// Hide keeps the window and its state; Unload runs Form_Unload and throws
// the window's state away, so the next touch loads afresh. The derived
// class's own fields are the form object's and survive unloading.
// A modal Show returns when the form is hidden or unloaded.
//
// Forms are held by std::shared_ptr (a host frame keeps a shown form alive).
class Form : public Container, public std::enable_shared_from_this<Form> {
public:
    // `name` is the form's class name, by which scripts find it.
    explicit Form(std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }

    // State (these do not load the form).
    bool IsLoaded() const { return state_ == State::Loaded || state_ == State::Unloading; }
    bool IsVisible() const { return visible_; }
    bool IsShownModally() const { return visible_ && modal_; }
    // Every control in declaration order.
    const std::vector<Control*>& Controls() const { return controls_; }
    // Every control in tab order: declaration order at each load, until the
    // design or code sets a control's TabIndex.
    const std::vector<Control*>& TabOrder() const { return tabOrder_; }
    // The host frame wrapping the form, if one was created for it.
    ModelessFrame* HostFrame() const { return hostFrame_; }

    // Window properties (these load the form).
    std::string Caption();
    void SetCaption(const std::string& caption);
    // Outer size in twips. Changing it is a resize: Form_Resize runs and
    // then the resize subscribers. A negative size is refused (error 380).
    int Width() override;
    int Height() override;
    void SetWidth(int twips);
    void SetHeight(int twips);
    void SetSize(int width, int height);
    // The client area inside frame and caption.
    int ScaleWidth();
    int ScaleHeight();
    bool Enabled() override;
    void SetEnabled(bool enabled);
    int MousePointer();
    void SetMousePointer(int pointer);
    Control* ActiveControl();

    void Load();
    // vbModeless returns at once; vbModal returns when the form hides or
    // unloads. Showing a form that is already shown modally is error 400.
    void Show(int modal = vbModeless);
    void Hide();
    void Unload();

    // What a user does to the window itself.
    void UserClose();  // the close box: unloads
    void UserClick();
    void UserMouseDown(int button, int shift, float x, float y);
    void UserMouseMove(int button, int shift, float x, float y);

    // Notifications (they do not load the form).
    [[nodiscard]] Subscription OnResize(std::function<void()> handler);
    // A control (or the form itself, as nullptr) changed from code.
    [[nodiscard]] Subscription OnChanged(std::function<void(Control*)> handler);

protected:
    // Applies the design layout. Runs at every load, with events off.
    virtual void Design() {}
    // Sets the outer size from the design's client area.
    void SetClientSize(int width, int height);

    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void Form_Resize() {}
    virtual void Form_Activate() {}
    virtual void Form_Click() {}
    virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}

private:
    friend class Control;
    friend class ModelessFrame;
    enum class State { Unloaded, Loading, Loaded, Unloading };

    void EnsureLoaded();
    void Register(Control* control);
    void Unregister(Control* control);
    bool Designing() const { return state_ == State::Loading; }
    void NotifyChanged(Control* control);
    void Resized();
    void MakeVisible(bool modal);
    void SetFocusTo(Control* control) { activeControl_ = control; }
    int TabIndexOf(const Control* control) const;
    void MoveInTabOrder(Control* control, int index);
    bool AcceptsUserInput() const { return IsLoaded() && visible_ && enabled_; }

    std::string name_;
    State state_ = State::Unloaded;
    bool visible_ = false;
    bool modal_ = false;
    bool shownSinceLoad_ = false;
    std::vector<Control*> controls_;
    std::vector<Control*> tabOrder_;
    ModelessFrame* hostFrame_ = nullptr;

    std::string caption_;
    int width_ = 0, height_ = 0;
    bool enabled_ = true;
    int mousePointer_ = 0;
    Control* activeControl_ = nullptr;

    Signal<> resized_;
    Signal<Control*> changed_;
};

}  // namespace platform
