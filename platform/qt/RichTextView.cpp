#include <QTextBrowser>

#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/RtfToHtml.h"

namespace platform::qt {
namespace {

class RichTextView : public ControlView {
public:
    RichTextView(FormView& form, RichTextBox& rich, QWidget* parent)
        : ControlView(form, rich), rich_(rich), widget_(new QTextBrowser(parent)) {
        widget_->setOpenLinks(false);
    }
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override {
        const std::string rtf = rich_.TextRTF();
        if (rtf == shown_) return;
        shown_ = rtf;
        widget_->setHtml(RtfToHtml(rtf));
    }

private:
    RichTextBox& rich_;
    QTextBrowser* widget_;
    std::string shown_;
};

}  // namespace

std::unique_ptr<ControlView> MakeRichTextView(FormView& form, RichTextBox& rich, QWidget* parent) {
    return std::make_unique<RichTextView>(form, rich, parent);
}

}  // namespace platform::qt
