#pragma once
#include <QWidget>
#include <memory>
#include <string>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtBackend.h"

// Makes a fresh Qt backend current for a scope, then puts the previous one back.
class ScopedQtUi {
public:
    ScopedQtUi();
    ~ScopedQtUi();
    ScopedQtUi(const ScopedQtUi&) = delete;
    ScopedQtUi& operator=(const ScopedQtUi&) = delete;

    platform::qt::QtBackend& operator*() const { return *backend_; }
    platform::qt::QtBackend* operator->() const { return backend_.get(); }

    // The widget showing a control of a shown form, as the widget kind asked for.
    template <class W>
    W* Widget(const platform::Form& form, const platform::Control& control) const {
        platform::qt::FormView* view = backend_->ViewOf(form);
        return view == nullptr ? nullptr : dynamic_cast<W*>(view->WidgetOf(control));
    }

private:
    std::shared_ptr<platform::qt::QtBackend> backend_;
    std::shared_ptr<platform::UiBackend> previous_;
};

// Runs the windows' pending work, deferred deletions included.
void ProcessEvents();

// Runs `action` from the event loop as soon as it runs again (for driving
// modal windows, whose show blocks the test).
void WhenIdle(std::function<void()> action);
