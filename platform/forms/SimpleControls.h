#pragma once
#include <functional>
#include <string>

#include "platform/forms/Control.h"

namespace platform {

class CommandButton : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    std::function<void()> Click;

    // The picture of a graphical button: a resource name.
    std::string Picture();
    void SetPicture(const std::string& resource);

    void UserClick();

protected:
    void ResetState() override;

private:
    std::string picture_;
};

class Label : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    std::function<void()> Click;
    std::function<void(int button, int shift, float x, float y)> MouseMove;

    // Colour as 0xBBGGRR.
    long ForeColor();
    void SetForeColor(long color);
    // 0 default, 99 custom (MouseIcon).
    int MousePointer();
    void SetMousePointer(int pointer);
    std::string MouseIcon();
    void SetMouseIcon(const std::string& resource);

    void UserClick();
    void UserMouseMove(int button, int shift, float x, float y);

protected:
    void ResetState() override;

private:
    long foreColor_ = 0;
    int mousePointer_ = 0;
    std::string mouseIcon_;
};

// A frame holds other controls: it is their container.
class Frame : public CaptionedControl, public Container {
public:
    using CaptionedControl::CaptionedControl;
    int Width() override { return Control::Width(); }
    int Height() override { return Control::Height(); }
    bool Enabled() override { return Control::Enabled(); }
};

class Image : public Control {
public:
    using Control::Control;
    std::function<void()> Click;

    // A resource name.
    std::string Picture();
    void SetPicture(const std::string& resource);

    void UserClick();

protected:
    void ResetState() override { picture_.clear(); }

private:
    std::string picture_;
};

class PictureBox : public Control {
public:
    using Control::Control;
    std::function<void()> Click;

    std::string Picture();
    void SetPicture(const std::string& resource);
    int MousePointer();
    void SetMousePointer(int pointer);
    std::string MouseIcon();
    void SetMouseIcon(const std::string& resource);

    void UserClick();

protected:
    void ResetState() override;

private:
    std::string picture_;
    int mousePointer_ = 0;
    std::string mouseIcon_;
};

// Holds rich text as set; the renderer formats it.
class RichTextBox : public Control {
public:
    using Control::Control;
    std::string TextRTF();
    void SetTextRTF(const std::string& rtf);

protected:
    void ResetState() override { rtf_.clear(); }

private:
    std::string rtf_;
};

}  // namespace platform
