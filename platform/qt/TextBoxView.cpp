#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <utility>

#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtText.h"
#include "platform/qt/ShownText.h"

namespace platform::qt {
namespace {

// The fonts forms are designed in: on this system the form's own font stands in for them.
bool IsDialogFont(const QString& family) {
    for (const char* name : {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2"})
        if (family.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return true;
    return false;
}

// A line edit that keeps its selection when the focus leaves, as a text box
// does (a click on a button may work on the selected text).
class LineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    bool Leaving() const { return leaving_; }

protected:
    void focusOutEvent(QFocusEvent* event) override {
        leaving_ = true;
        QLineEdit::focusOutEvent(event);
        leaving_ = false;
    }

private:
    bool leaving_ = false;
};

QColor FromBgr(long color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

// A single-line text box is a line edit, a multi-line one (fixed at design)
// a plain-text editor. Typing reaches the control as the user's selection
// and typing over it, so the control runs Change itself.
class TextBoxView : public ControlView {
public:
    TextBoxView(FormView& form, TextBox& text, QWidget* parent)
        : ControlView(form, text), text_(text), multiLine_(text.MultiLine()) {
        if (multiLine_) {
            plain_ = new QPlainTextEdit(parent);
            plain_->setTabChangesFocus(true);
            plain_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            QObject::connect(plain_, &QPlainTextEdit::textChanged, [this] { Edited(WidgetText()); });
            QObject::connect(plain_, &QPlainTextEdit::cursorPositionChanged, [this] { SelectionMoved(); });
            QObject::connect(plain_, &QPlainTextEdit::selectionChanged, [this] { SelectionMoved(); });
        } else {
            line_ = new LineEdit(parent);
            QObject::connect(line_, &QLineEdit::textEdited, [this](const QString& typed) { Edited(typed); });
            QObject::connect(line_, &QLineEdit::cursorPositionChanged, [this] { SelectionMoved(); });
            QObject::connect(line_, &QLineEdit::selectionChanged, [this] { SelectionMoved(); });
        }
    }
    QWidget* Widget() const override { return multiLine_ ? static_cast<QWidget*>(plain_) : line_; }

protected:
    void SyncContent() override {
        QWidget* widget = Widget();
        // The design's dialog font is the form's font here, as it is for the
        // form's labels; another font is asked for by its name. Characters
        // take whole pixels, as the layouts were made for: a report's 74-dash
        // rule fits the report window's design width.
        QFont font = Form().font();
        const QString family = ToQString(text_.FontName());
        if (!IsDialogFont(family)) font.setFamilies({family});
        font.setHintingPreference(QFont::PreferFullHinting);
        font.setPointSizeF(text_.FontSize());
        widget->setFont(font);
        QPalette palette = widget->parentWidget()->palette();
        const long back = text_.BackColor();
        // White is the model's default: the theme's base colour shows it.
        if (back != 0xFFFFFF) palette.setColor(QPalette::Base, FromBgr(back));
        widget->setPalette(palette);
        if (multiLine_) {
            plain_->setReadOnly(text_.Locked());
        } else {
            line_->setReadOnly(text_.Locked());
        }
        if (editing_) return;

        shown_ = ShownText(text_.Text(), multiLine_);
        if (WidgetText() != shown_.Text()) {
            if (multiLine_) {
                plain_->setPlainText(shown_.Text());
            } else {
                line_->setText(shown_.Text());
            }
        }
        const int start = shown_.ToShown(text_.SelStart());
        const int end = shown_.ToShown(text_.SelStart() + text_.SelLength());
        if (WidgetSelection() != std::pair{start, end}) SetWidgetSelection(start, end);
    }

private:
    QString WidgetText() const {
        if (!multiLine_) return line_->text();
        QString text = plain_->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return text;
    }

    // Start and end of the selection (both the caret when nothing is selected).
    std::pair<int, int> WidgetSelection() const {
        if (multiLine_) {
            const QTextCursor cursor = plain_->textCursor();
            return {cursor.selectionStart(), cursor.selectionEnd()};
        }
        if (!line_->hasSelectedText()) return {line_->cursorPosition(), line_->cursorPosition()};
        return {line_->selectionStart(), line_->selectionEnd()};
    }

    void SetWidgetSelection(int start, int end) {
        if (multiLine_) {
            QTextCursor cursor(plain_->document());
            cursor.setPosition(start);
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            plain_->setTextCursor(cursor);
        } else if (end > start) {
            line_->setSelection(start, end - start);
        } else {
            line_->setCursorPosition(start);
        }
    }

    void Edited(const QString& typed) {
        if (Form().Syncing() || editing_ || !Form().Following()) return;
        if (typed == shown_.Text()) return;
        const ShownText::Edit edit = shown_.EditTo(typed);
        const auto [selStart, selEnd] = WidgetSelection();
        editing_ = true;
        Form().UserAction(nullptr, [&] {
            text_.UserSelect(edit.start, edit.length);
            text_.UserType(edit.inserted);
            // Where the control took the text as typed, the caret stays where
            // the user has it (a diff cannot always tell where typing went).
            const ShownText now(text_.Text(), multiLine_);
            if (now.Text() == typed) {
                const int start = now.ToModel(selStart);
                text_.UserSelect(start, now.ToModel(selEnd) - start);
            }
        });
        editing_ = false;
        Sync();
    }

    void SelectionMoved() {
        if (Form().Syncing() || editing_ || !Form().Following()) return;
        if (!multiLine_ && line_->Leaving()) return;
        const QString text = WidgetText();
        if (text != shown_.Text()) {
            Edited(text);
            return;
        }
        const auto [selStart, selEnd] = WidgetSelection();
        const int start = shown_.ToModel(selStart);
        const int length = shown_.ToModel(selEnd) - start;
        if (start == text_.SelStart() && length == text_.SelLength()) return;
        User([&] { text_.UserSelect(start, length); });
    }

    TextBox& text_;
    const bool multiLine_;
    LineEdit* line_ = nullptr;
    QPlainTextEdit* plain_ = nullptr;
    ShownText shown_;
    bool editing_ = false;
};

}  // namespace

std::unique_ptr<ControlView> MakeTextBoxView(FormView& form, TextBox& text, QWidget* parent) {
    return std::make_unique<TextBoxView>(form, text, parent);
}

}  // namespace platform::qt
