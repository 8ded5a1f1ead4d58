#include "platform/forms/Form.h"

#include <algorithm>

#include "platform/forms/Control.h"
#include "platform/forms/FormsError.h"
#include "platform/forms/ModelessFrame.h"
#include "platform/forms/UiBackend.h"

namespace platform {
namespace {

// Before its design is applied a window has the runtime's default size.
constexpr int kDefaultWidth = 4800;
constexpr int kDefaultHeight = 3600;

}  // namespace

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form() {
    if (hostFrame_ != nullptr) hostFrame_->FormGone(*this);
}

void Form::Register(Control* control) { controls_.push_back(control); }

void Form::Unregister(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), control), tabOrder_.end());
    if (activeControl_ == control) activeControl_ = nullptr;
}

void Form::EnsureLoaded() {
    if (state_ == State::Unloaded) Load();
}

void Form::Load() {
    if (state_ != State::Unloaded) return;
    state_ = State::Loading;
    try {
        caption_ = name_;
        width_ = kDefaultWidth;
        height_ = kDefaultHeight;
        enabled_ = true;
        mousePointer_ = 0;
        activeControl_ = nullptr;
        shownSinceLoad_ = false;
        for (Control* control : controls_) control->ResetAll();
        tabOrder_ = controls_;
        Design();
    } catch (...) {
        state_ = State::Unloaded;
        throw;
    }
    state_ = State::Loaded;
    Form_Load();
}

void Form::NotifyChanged(Control* control) { changed_.Emit(control); }

int Form::TabIndexOf(const Control* control) const {
    const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), control);
    return at == tabOrder_.end() ? 0 : static_cast<int>(at - tabOrder_.begin());
}

void Form::MoveInTabOrder(Control* control, int index) {
    tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), control), tabOrder_.end());
    const auto at = std::min(static_cast<std::size_t>(index), tabOrder_.size());
    tabOrder_.insert(tabOrder_.begin() + static_cast<std::ptrdiff_t>(at), control);
    NotifyChanged(nullptr);
}

std::string Form::Caption() {
    EnsureLoaded();
    return caption_;
}

void Form::SetCaption(const std::string& caption) {
    EnsureLoaded();
    caption_ = caption;
    NotifyChanged(nullptr);
}

int Form::Width() {
    EnsureLoaded();
    return width_;
}

int Form::Height() {
    EnsureLoaded();
    return height_;
}

void Form::SetWidth(int twips) { SetSize(twips, Height()); }

void Form::SetHeight(int twips) { SetSize(Width(), twips); }

void Form::SetSize(int width, int height) {
    EnsureLoaded();
    if (width < 0 || height < 0) throw FormError(formerr::InvalidPropertyValue);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    NotifyChanged(nullptr);
    if (!Designing()) Resized();
}

void Form::Resized() {
    Form_Resize();
    resized_.Emit();
}

void Form::SetClientSize(int width, int height) {
    SetSize(width + kWindowChromeWidth, height + kWindowChromeHeight);
}

int Form::ScaleWidth() { return std::max(0, Width() - kWindowChromeWidth); }

int Form::ScaleHeight() { return std::max(0, Height() - kWindowChromeHeight); }

bool Form::Enabled() {
    EnsureLoaded();
    return enabled_;
}

void Form::SetEnabled(bool enabled) {
    EnsureLoaded();
    enabled_ = enabled;
    NotifyChanged(nullptr);
}

int Form::MousePointer() {
    EnsureLoaded();
    return mousePointer_;
}

void Form::SetMousePointer(int pointer) {
    EnsureLoaded();
    mousePointer_ = pointer;
    NotifyChanged(nullptr);
}

Control* Form::ActiveControl() {
    EnsureLoaded();
    return activeControl_;
}

void Form::MakeVisible(bool modal) {
    const bool wasVisible = visible_;
    visible_ = true;
    modal_ = modal;
    if (!wasVisible) {
        // The first show of a loaded window reports its size, as the
        // runtime does when the window first appears.
        if (!shownSinceLoad_) {
            shownSinceLoad_ = true;
            Resized();
        }
        Form_Activate();
    }
}

void Form::Show(int modal) {
    EnsureLoaded();
    if (modal == vbModal) {
        if (visible_ && modal_) throw FormError(formerr::FormAlreadyDisplayed);
        // Keeps the object alive while the caller waits on it.
        auto self = weak_from_this().lock();
        MakeVisible(true);
        try {
            Ui().ShowModal(*this);
        } catch (...) {
            modal_ = false;
            throw;
        }
        modal_ = false;
    } else {
        MakeVisible(false);
        Ui().ShowModeless(*this, hostFrame_);
    }
}

void Form::Hide() {
    EnsureLoaded();
    if (!visible_) return;
    // A host frame may hold the last reference: the object ends, if at all,
    // when this call is done.
    auto self = weak_from_this().lock();
    visible_ = false;
    Ui().FormHidden(*this);
    if (hostFrame_ != nullptr) hostFrame_->FormHidden();
}

void Form::Unload() {
    if (state_ != State::Loaded) return;
    state_ = State::Unloading;
    try {
        Form_Unload();
    } catch (...) {
        state_ = State::Loaded;
        throw;
    }
    state_ = State::Unloaded;
    activeControl_ = nullptr;
    if (visible_) {
        auto self = weak_from_this().lock();
        visible_ = false;
        Ui().FormHidden(*this);
        if (hostFrame_ != nullptr) hostFrame_->FormHidden();
    }
}

void Form::UserClose() {
    if (visible_) Unload();
}

void Form::UserClick() {
    if (AcceptsUserInput()) Form_Click();
}

void Form::UserMouseDown(int button, int shift, float x, float y) {
    if (AcceptsUserInput()) Form_MouseDown(button, shift, x, y);
}

void Form::UserMouseMove(int button, int shift, float x, float y) {
    if (AcceptsUserInput()) Form_MouseMove(button, shift, x, y);
}

Subscription Form::OnResize(std::function<void()> handler) { return resized_.Connect(std::move(handler)); }

Subscription Form::OnChanged(std::function<void(Control*)> handler) {
    return changed_.Connect(std::move(handler));
}

}  // namespace platform
