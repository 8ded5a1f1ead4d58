#include "platform/forms/SimpleControls.h"

namespace platform {

std::string CommandButton::Picture() {
    Touch();
    return picture_;
}

void CommandButton::SetPicture(const std::string& resource) {
    Touch();
    picture_ = resource;
    Changed();
}

void CommandButton::UserClick() {
    if (AcceptsUserInput()) Raise(Click);
}

void CommandButton::ResetState() {
    CaptionedControl::ResetState();
    picture_.clear();
}

long Label::ForeColor() {
    Touch();
    return foreColor_;
}

void Label::SetForeColor(long color) {
    Touch();
    foreColor_ = color;
    Changed();
}

int Label::MousePointer() {
    Touch();
    return mousePointer_;
}

void Label::SetMousePointer(int pointer) {
    Touch();
    mousePointer_ = pointer;
    Changed();
}

std::string Label::MouseIcon() {
    Touch();
    return mouseIcon_;
}

void Label::SetMouseIcon(const std::string& resource) {
    Touch();
    mouseIcon_ = resource;
    Changed();
}

void Label::UserClick() {
    if (AcceptsUserInput()) Raise(Click);
}

void Label::UserMouseMove(int button, int shift, float x, float y) {
    if (AcceptsUserInput() && MouseMove && EventsOn()) MouseMove(button, shift, x, y);
}

void Label::ResetState() {
    CaptionedControl::ResetState();
    foreColor_ = 0;
    mousePointer_ = 0;
    mouseIcon_.clear();
}

std::string Image::Picture() {
    Touch();
    return picture_;
}

void Image::SetPicture(const std::string& resource) {
    Touch();
    picture_ = resource;
    Changed();
}

void Image::UserClick() {
    if (AcceptsUserInput()) Raise(Click);
}

std::string PictureBox::Picture() {
    Touch();
    return picture_;
}

void PictureBox::SetPicture(const std::string& resource) {
    Touch();
    picture_ = resource;
    Changed();
}

int PictureBox::MousePointer() {
    Touch();
    return mousePointer_;
}

void PictureBox::SetMousePointer(int pointer) {
    Touch();
    mousePointer_ = pointer;
    Changed();
}

std::string PictureBox::MouseIcon() {
    Touch();
    return mouseIcon_;
}

void PictureBox::SetMouseIcon(const std::string& resource) {
    Touch();
    mouseIcon_ = resource;
    Changed();
}

void PictureBox::UserClick() {
    if (AcceptsUserInput()) Raise(Click);
}

void PictureBox::ResetState() {
    picture_.clear();
    mousePointer_ = 0;
    mouseIcon_.clear();
}

std::string RichTextBox::TextRTF() {
    Touch();
    return rtf_;
}

void RichTextBox::SetTextRTF(const std::string& rtf) {
    Touch();
    rtf_ = rtf;
    Changed();
}

}  // namespace platform
