#include "platform/qt/ErrorReportDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"

namespace platform::qt {

ErrorReportDialog::ErrorReportDialog(QWidget* parent) : QDialog(parent), text_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Error Report"));
    setModal(false);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
    resize(560, 320);
}

void ErrorReportDialog::ShowReport(const std::string& text) {
    text_->setPlainText(WithLineFeeds(text));
    show();
    raise();
    activateWindow();
}

QString ErrorReportDialog::Text() const { return text_->toPlainText(); }

}  // namespace platform::qt
