#pragma once
#include <QApplication>
#include <QString>
#include <functional>

class QWidget;

namespace desktop {

// The host's exception firewall: runs `body`, and whatever it throws (a
// ComError, any other std::exception, anything) becomes a warning box with the
// error's text over `parent`, titled `title`. Nothing is undone: the document
// stays open with its unsaved changes. False when `body` threw.
bool Guarded(QWidget* parent, const QString& title, const std::function<void()>& body);

// The QApplication of tessaly-desktop: every event, and so every slot a signal
// runs, is delivered Guarded, so an error no handler expected ends in a
// message instead of ending the program.
class HostApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace desktop
