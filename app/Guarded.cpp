#include "app/Guarded.h"

#include <QMessageBox>
#include <exception>

namespace desktop {

bool Guarded(QWidget* parent, const QString& title, const std::function<void()>& body) {
    QString message;
    try {
        body();
        return true;
    } catch (const std::exception& error) {  // a ComError's text is its description
        message = QString::fromUtf8(error.what());
    } catch (...) {
        message = QObject::tr("An unexpected error occurred.");
    }
    QMessageBox::warning(parent, title.isEmpty() ? QApplication::applicationName() : title, message);
    return false;
}

bool HostApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    Guarded(activeWindow(), {}, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace desktop
