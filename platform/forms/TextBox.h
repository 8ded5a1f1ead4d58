#pragma once
#include <functional>
#include <string>

#include "platform/forms/Control.h"

namespace platform {

// Selection positions and lengths count characters, not bytes.
class TextBox : public Control {
public:
    using Control::Control;
    // Runs whenever the text changes, from code or from the user.
    std::function<void()> Change;

    std::string Text();
    // Puts the caret at the start.
    void SetText(const std::string& text);
    int SelStart();
    // Clamped to the text; clears the selection. Negative: error 380.
    void SetSelStart(int start);
    int SelLength();
    void SetSelLength(int length);
    std::string SelText();
    // Replaces the selection (or inserts at the caret); the caret ends after it.
    void SetSelText(const std::string& text);

    bool MultiLine();
    void SetMultiLine(bool multiLine);
    // A locked box takes no typing.
    bool Locked();
    void SetLocked(bool locked);
    long BackColor();
    void SetBackColor(long color);
    double FontSize();
    void SetFontSize(double points);
    std::string FontName();
    void SetFontName(const std::string& name);

    // The user selects, or types over the selection.
    void UserSelect(int start, int length);
    void UserType(const std::string& text);

protected:
    void ResetState() override;

private:
    void Replace(std::string text);

    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
    bool multiLine_ = false;
    bool locked_ = false;
    long backColor_ = 0xFFFFFF;
    double fontSize_ = 8.25;
    std::string fontName_ = "MS Sans Serif";
};

}  // namespace platform
