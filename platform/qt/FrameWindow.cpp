#include "platform/qt/FrameWindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "platform/forms/Form.h"
#include "platform/forms/ModelessFrame.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

FrameWindow::FrameWindow(FormView* view, QWidget* parent) : QWidget(parent, Qt::Tool), view_(view) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QSize client = view->ClientPixels();
    view->setParent(this);
    layout->addWidget(view);
    resize(client);
    SyncCaption();
}

void FrameWindow::SyncCaption() {
    Form* form = view_->ModelForm();
    if (form != nullptr && form->HostFrame() != nullptr) setWindowTitle(ToQString(form->HostFrame()->Caption()));
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    // The frame hides; the window goes when the form reports it hidden.
    event->ignore();
    view_->UserAction(nullptr, [this] {
        if (ModelessFrame* frame = view_->ModelForm()->HostFrame()) frame->UserClose();
    });
}

}  // namespace platform::qt
