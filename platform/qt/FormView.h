#pragma once
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/forms/Signal.h"
#include "platform/qt/Twips.h"

namespace platform {
class Control;
class Form;
}  // namespace platform

namespace platform::qt {

class ControlView;
class PictureStore;

// Shows one form: its client area with a widget per control, following the
// form's changes (whoever makes them) and handing the user's actions to it.
// It is the form's window itself, or sits in a host frame's window.
//
// The view follows the form until Detach, or until the form object ends;
// after that it touches nothing of the model and only waits to be deleted.
class FormView : public QWidget {
public:
    // The form must be loaded.
    FormView(Form& form, PictureStore& pictures, QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~FormView() override;

    // The followed form; none once the view stopped following it.
    Form* ModelForm() const { return form_; }
    // True while the view follows a loaded form (only then may it read it).
    bool Following() const;
    void Detach();
    // Called when the followed form object ends while it is followed.
    void SetOnFormGone(std::function<void()> handler) { onFormGone_ = std::move(handler); }

    // The widget of a control of the form, or none.
    QWidget* WidgetOf(const Control& control) const;
    // The form's client area in pixels, by its model size.
    QSize ClientPixels() const;

    // --- for the window that holds the view and for control views ---
    // The user gave the view this size: it becomes the form's outer size
    // (through the host frame that holds the view, if any), so Form_Resize runs.
    void UserResized(QSize clientPixels);
    // Runs a user action on the form, then brings `view` (if any) in line.
    // Errors are reported on the log: none may cross the event loop.
    void UserAction(ControlView* view, const std::function<void()>& action);
    bool Syncing() const { return syncing_ > 0; }
    const TwipScale& Scale() const { return scale_; }
    PictureStore& Pictures() const { return pictures_; }

    // Counts the widget changes made to show the model, so control views can
    // tell them from the user's.
    class SyncScope {
    public:
        explicit SyncScope(FormView& view) : view_(view) { ++view_.syncing_; }
        ~SyncScope() { --view_.syncing_; }
        SyncScope(const SyncScope&) = delete;
        SyncScope& operator=(const SyncScope&) = delete;

    private:
        FormView& view_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Build();
    ControlView* ViewFor(Control& control);
    void ModelChanged(Control* control);
    void SyncForm();
    // Chains the control widgets for the Tab key in the form's tab order.
    void ApplyTabOrder();
    void FormGone();
    bool OnBackground(const QPoint& position) const;

    Form* form_;
    PictureStore& pictures_;
    TwipScale scale_;
    std::vector<std::unique_ptr<ControlView>> views_;
    std::map<const Control*, ControlView*> byControl_;
    std::map<const QObject*, ControlView*> byWidget_;
    Subscription changed_;
    std::function<void()> onFormGone_;
    int syncing_ = 0;
    bool userResizing_ = false;
};

}  // namespace platform::qt
