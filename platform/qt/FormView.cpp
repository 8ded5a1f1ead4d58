#include "platform/qt/FormView.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QtGlobal>
#include <algorithm>
#include <exception>

#include "platform/com/ComError.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/ImageList.h"
#include "platform/forms/ModelessFrame.h"
#include "platform/qt/ControlView.h"
#include "platform/qt/MouseCodes.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

// Lives in the form's change handler: the form's end destroys the handler,
// and with it this watch, which tells a view still following the form.
struct FormEndWatch {
    std::function<void()> gone;
    ~FormEndWatch() {
        if (gone) gone();
    }
};

// The forms' layouts in twips are made for a narrow sans-serif dialog font at
// 8.25 points. Liberation Sans (Arial's widths) keeps their captions inside
// their controls, where a wider default sans would cut some off.
QFont FormFont(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

}  // namespace

FormView::FormView(Form& form, PictureStore& pictures, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), form_(&form), pictures_(pictures), scale_(TwipScale::OfScreen()) {
    setFont(FormFont(font()));
    setMouseTracking(true);
    setObjectName(ToQString(form.Name()));

    auto watch = std::make_shared<FormEndWatch>();
    QPointer<FormView> self(this);
    watch->gone = [self] {
        if (self && self->form_ != nullptr) self->FormGone();
    };
    changed_ = form.OnChanged([this, watch](Control* control) { ModelChanged(control); });
    Build();
}

FormView::~FormView() { Detach(); }

bool FormView::Following() const { return form_ != nullptr && form_->IsLoaded(); }

void FormView::Detach() {
    form_ = nullptr;
    changed_.Reset();
}

void FormView::FormGone() {
    // The form is part-way through its end: nothing of it may be touched.
    form_ = nullptr;
    if (onFormGone_) onFormGone_();
}

QWidget* FormView::WidgetOf(const Control& control) const {
    const auto found = byControl_.find(&control);
    return found != byControl_.end() && found->second != nullptr ? found->second->Widget() : nullptr;
}

QSize FormView::ClientPixels() const {
    if (!Following()) return size();
    return scale_.ToPixels(std::max(0, form_->Width() - kWindowChromeWidth),
                           std::max(0, form_->Height() - kWindowChromeHeight));
}

void FormView::Build() {
    if (!Following()) return;
    for (Control* control : form_->Controls()) ViewFor(*control);
    SyncForm();
    for (const auto& view : views_) view->Sync();
}

ControlView* FormView::ViewFor(Control& control) {
    const auto known = byControl_.find(&control);
    if (known != byControl_.end()) return known->second;
    byControl_[&control] = nullptr;  // also stops a containment loop

    QWidget* parent = this;
    auto* frame = dynamic_cast<Control*>(control.Container());
    if (frame != nullptr && frame != &control) {
        if (ControlView* frameView = ViewFor(*frame)) parent = frameView->Widget();
    }
    auto view = MakeControlView(*this, control, parent);
    if (!view) return nullptr;
    ControlView* made = view.get();
    QWidget* widget = made->Widget();
    widget->setObjectName(ToQString(control.Name()));
    widget->installEventFilter(this);
    byWidget_[widget] = made;
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        child->installEventFilter(this);
        byWidget_[child] = made;
    }
    byControl_[&control] = made;
    views_.push_back(std::move(view));
    return made;
}

void FormView::ModelChanged(Control* control) {
    if (!Following()) return;
    if (control == nullptr) {
        SyncForm();
        return;
    }
    if (dynamic_cast<ImageList*>(control) != nullptr) {
        for (const auto& view : views_) view->ImagesChanged();
        return;
    }
    const auto found = byControl_.find(control);
    if (found != byControl_.end() && found->second != nullptr) found->second->Sync();
}

void FormView::SyncForm() {
    if (!Following()) return;
    SyncScope scope(*this);
    if (isWindow()) setWindowTitle(ToQString(form_->Caption()));
    setEnabled(form_->Enabled());
    QCursor cursor;
    if (PointerCursor(form_->MousePointer(), QPixmap(), cursor)) {
        setCursor(cursor);
    } else {
        unsetCursor();
    }
    ApplyTabOrder();
    if (userResizing_) return;
    const QSize wanted = ClientPixels();
    if (isWindow()) {
        if (size() != wanted) resize(wanted);
    } else if (size() != wanted) {
        // Inside a host frame the frame's window wraps the view exactly.
        window()->resize(window()->size() + wanted - size());
    }
}

void FormView::ApplyTabOrder() {
    QWidget* previous = nullptr;
    for (const Control* control : form_->TabOrder()) {
        QWidget* widget = WidgetOf(*control);
        if (widget == nullptr) continue;
        if (previous != nullptr) setTabOrder(previous, widget);
        previous = widget;
    }
}

void FormView::UserResized(QSize clientPixels) {
    if (!Following() || clientPixels == ClientPixels()) return;
    const int width = scale_.ToTwipsX(clientPixels.width()) + kWindowChromeWidth;
    const int height = scale_.ToTwipsY(clientPixels.height()) + kWindowChromeHeight;
    userResizing_ = true;
    UserAction(nullptr, [&] {
        ModelessFrame* frame = isWindow() ? nullptr : form_->HostFrame();
        if (frame != nullptr) {
            // The frame's size is what the form's resize code reads.
            frame->SetWidth(width / kTwipsPerPixel);
            frame->SetHeight(height / kTwipsPerPixel);
        } else {
            form_->SetSize(width, height);
        }
    });
    userResizing_ = false;
}

void FormView::UserAction(ControlView* view, const std::function<void()>& action) {
    if (!Following()) return;
    try {
        action();
    } catch (const ComError& error) {
        qWarning("Tessaly form %s: error %d from %s: %s", qUtf8Printable(objectName()), error.Number(),
                 error.Source().c_str(), error.Description().c_str());
    } catch (const std::exception& error) {
        qWarning("Tessaly form %s: %s", qUtf8Printable(objectName()), error.what());
    }
    if (view != nullptr && Following()) view->Sync();
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && !Syncing() && Following()) {
        const auto found = byWidget_.find(watched);
        if (found != byWidget_.end()) {
            Control& control = found->second->Model();
            if (!control.HasFocus() && control.AcceptsUserInput()) UserAction(nullptr, [&] { control.SetFocus(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UserResized(event->size());
}

void FormView::closeEvent(QCloseEvent* event) {
    // The close box unloads the form; the window goes when the form hides.
    event->ignore();
    UserAction(nullptr, [this] { form_->UserClose(); });
}

bool FormView::OnBackground(const QPoint& position) const { return childAt(position) == nullptr; }

void FormView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!OnBackground(at)) return;
    UserAction(nullptr, [&] {
        form_->UserMouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                             static_cast<float>(scale_.ToTwipsX(at.x())), static_cast<float>(scale_.ToTwipsY(at.y())));
    });
}

void FormView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !OnBackground(at) || !rect().contains(at)) return;
    UserAction(nullptr, [this] { form_->UserClick(); });
}

void FormView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!OnBackground(at)) return;
    UserAction(nullptr, [&] {
        form_->UserMouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                             static_cast<float>(scale_.ToTwipsX(at.x())), static_cast<float>(scale_.ToTwipsY(at.y())));
    });
}

}  // namespace platform::qt
