#pragma once
#include <memory>
#include <string>

namespace platform {

class Form;

// The size of a host window, in pixels.
class WindowPosition {
public:
    virtual ~WindowPosition() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int pixels) = 0;
    virtual void SetHeight(int pixels) = 0;
};

// The host's modeless top-level window that wraps a form. While it is
// visible it keeps its form alive, so a window stays open after its
// creator lets go of it, until the user closes it.
class ModelessFrame : public WindowPosition {
public:
    ModelessFrame() = default;
    ~ModelessFrame() override;
    ModelessFrame(const ModelessFrame&) = delete;
    ModelessFrame& operator=(const ModelessFrame&) = delete;

    // Wraps `form` (loading it); the frame takes the form's outer size.
    void Create(const std::shared_ptr<Form>& form);
    // The wrapped form, none before Create or after it is gone.
    Form* WrappedForm() const;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool Visible() const { return visible_; }
    // True shows the form modeless; false hides it (the form stays loaded).
    void SetVisible(bool visible);

    // Setting a size resizes the form inside (Form_Resize runs).
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int pixels) override;
    void SetHeight(int pixels) override;

    // The user closes the frame window: it hides.
    void UserClose() { SetVisible(false); }

private:
    friend class Form;
    void FormGone(Form& form);
    // The form hid or unloaded: the frame is no longer shown and lets go.
    void FormHidden();

    std::weak_ptr<Form> form_;
    Form* formPtr_ = nullptr;
    std::shared_ptr<Form> keepAlive_;
    std::string caption_;
    bool visible_ = false;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace platform
