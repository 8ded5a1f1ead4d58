#include "platform/forms/TextBox.h"

#include <algorithm>

#include "platform/forms/FormsError.h"

namespace platform {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

int CharCount(const std::string& text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

// The byte offset of character `index` (the end when past it).
std::size_t ByteOffset(const std::string& text, int index) {
    std::size_t i = 0;
    for (int n = 0; i < text.size(); ++i) {
        if (!IsContinuation(text[i])) {
            if (n == index) return i;
            ++n;
        }
    }
    return text.size();
}

}  // namespace

void TextBox::ResetState() {
    text_.clear();
    selStart_ = selLength_ = 0;
    multiLine_ = false;
    locked_ = false;
    backColor_ = 0xFFFFFF;
    fontSize_ = 8.25;
    fontName_ = "MS Sans Serif";
}

std::string TextBox::Text() {
    Touch();
    return text_;
}

void TextBox::SetText(const std::string& text) {
    Touch();
    selStart_ = selLength_ = 0;
    if (text == text_) return;
    text_ = text;
    Changed();
    Raise(Change);
}

int TextBox::SelStart() {
    Touch();
    return selStart_;
}

void TextBox::SetSelStart(int start) {
    Touch();
    if (start < 0) throw FormError(formerr::InvalidPropertyValue);
    selStart_ = std::min(start, CharCount(text_));
    selLength_ = 0;
    Changed();
}

int TextBox::SelLength() {
    Touch();
    return selLength_;
}

void TextBox::SetSelLength(int length) {
    Touch();
    if (length < 0) throw FormError(formerr::InvalidPropertyValue);
    selLength_ = std::min(length, CharCount(text_) - selStart_);
    Changed();
}

std::string TextBox::SelText() {
    Touch();
    const std::size_t from = ByteOffset(text_, selStart_);
    return text_.substr(from, ByteOffset(text_, selStart_ + selLength_) - from);
}

void TextBox::SetSelText(const std::string& text) {
    Touch();
    Replace(text);
}

void TextBox::Replace(std::string text) {
    const std::size_t from = ByteOffset(text_, selStart_);
    const std::size_t to = ByteOffset(text_, selStart_ + selLength_);
    const std::string before = text_;
    text_.replace(from, to - from, text);
    selStart_ += CharCount(text);
    selLength_ = 0;
    Changed();
    if (text_ != before) Raise(Change);
}

bool TextBox::MultiLine() {
    Touch();
    return multiLine_;
}

void TextBox::SetMultiLine(bool multiLine) {
    Touch();
    multiLine_ = multiLine;
    Changed();
}

bool TextBox::Locked() {
    Touch();
    return locked_;
}

void TextBox::SetLocked(bool locked) {
    Touch();
    locked_ = locked;
    Changed();
}

long TextBox::BackColor() {
    Touch();
    return backColor_;
}

void TextBox::SetBackColor(long color) {
    Touch();
    backColor_ = color;
    Changed();
}

double TextBox::FontSize() {
    Touch();
    return fontSize_;
}

void TextBox::SetFontSize(double points) {
    Touch();
    if (points <= 0) throw FormError(formerr::InvalidPropertyValue);
    fontSize_ = points;
    Changed();
}

std::string TextBox::FontName() {
    Touch();
    return fontName_;
}

void TextBox::SetFontName(const std::string& name) {
    Touch();
    fontName_ = name;
    Changed();
}

void TextBox::UserSelect(int start, int length) {
    if (!AcceptsUserInput()) return;
    SetSelStart(std::max(0, start));
    SetSelLength(std::max(0, length));
}

void TextBox::UserType(const std::string& text) {
    if (!AcceptsUserInput() || locked_) return;
    Replace(text);
}

}  // namespace platform
