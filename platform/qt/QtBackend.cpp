#include "platform/qt/QtBackend.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>

#include "platform/forms/Form.h"
#include "platform/forms/ModelessFrame.h"
#include "platform/qt/DesktopLaunch.h"
#include "platform/qt/ErrorReportDialog.h"
#include "platform/qt/FormView.h"
#include "platform/qt/FrameWindow.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

QtBackend::QtBackend(QWidget* mainWindow)
    : mainWindow_(mainWindow), pictures_(std::make_unique<PictureStore>()), printer_(std::make_unique<QtPrinter>()) {}

QtBackend::~QtBackend() {
    while (!shown_.empty()) Close(shown_.begin()->first);
    if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
    if (errorReport_ && errorReport_->parent() == nullptr) delete errorReport_.data();
}

void QtBackend::AddPictureFolder(const std::string& folder) { pictures_->AddFolder(folder); }

void QtBackend::SetPrinter(std::unique_ptr<QtPrinter> printer) { printer_ = std::move(printer); }

QWidget* QtBackend::WindowOf(const Form& form) const {
    const auto found = shown_.find(&form);
    return found == shown_.end() ? nullptr : found->second.window.data();
}

FormView* QtBackend::ViewOf(const Form& form) const {
    const auto found = shown_.find(&form);
    return found == shown_.end() ? nullptr : found->second.view.data();
}

ErrorReportDialog* QtBackend::ErrorReportWindow() const { return errorReport_.data(); }

QWidget* QtBackend::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return mainWindow_.data();
}

QtBackend::Shown& QtBackend::Open(Form& form, ModelessFrame* frame, bool modal) {
    const auto found = shown_.find(&form);
    if (found != shown_.end()) {
        Shown& shown = found->second;
        const bool inFrame = dynamic_cast<FrameWindow*>(shown.window.data()) != nullptr;
        if (shown.window && shown.view && inFrame == (frame != nullptr)) return shown;
        Close(&form);
    }
    FormView* view = nullptr;
    QWidget* window = nullptr;
    if (frame != nullptr) {
        view = new FormView(form, *pictures_);
        window = new FrameWindow(view, mainWindow_);
    } else {
        view = new FormView(form, *pictures_, modal ? DialogParent() : mainWindow_.data(),
                            modal ? Qt::Dialog : Qt::Window);
        window = view;
    }
    const Form* key = &form;
    view->SetOnFormGone([this, key] { Close(key); });
    Shown& shown = shown_[key];
    shown.window = window;
    shown.view = view;
    shown.keep = form.weak_from_this().lock();
    return shown;
}

void QtBackend::Close(const Form* form) {
    const auto found = shown_.find(form);
    if (found == shown_.end()) return;
    Shown shown = std::move(found->second);
    shown_.erase(found);
    if (shown.loop != nullptr) shown.loop->exit();
    if (shown.view) shown.view->Detach();
    // The window may be in the middle of handling the click that closed it.
    if (shown.window) {
        shown.window->hide();
        shown.window->deleteLater();
    }
}

void QtBackend::ShowModal(Form& form) {
    Shown& shown = Open(form, nullptr, true);
    QPointer<QWidget> window = shown.window;
    QEventLoop loop;
    shown.loop = &loop;
    if (window->isVisible()) window->hide();
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
    const auto ours = [&] {
        const auto found = shown_.find(&form);
        return found != shown_.end() && found->second.loop == &loop;
    };
    if (ours() && form.IsVisible()) loop.exec(QEventLoop::DialogExec);
    if (ours()) shown_[&form].loop = nullptr;
    // The loop also ends when the application quits: the show still ends
    // only with the form hidden.
    if (form.IsShownModally()) form.Hide();
}

void QtBackend::ShowModeless(Form& form, ModelessFrame* frame) {
    Shown& shown = Open(form, frame, false);
    if (auto* frameWindow = dynamic_cast<FrameWindow*>(shown.window.data())) frameWindow->SyncCaption();
    shown.window->show();
    shown.window->raise();
    shown.window->activateWindow();
}

void QtBackend::FormHidden(Form& form) { Close(&form); }

int QtBackend::MessageBox(const std::string& prompt, int style, const std::string& title) {
    return ShowMessageBox(DialogParent(), prompt, style, title);
}

void QtBackend::ClipboardClear() { QGuiApplication::clipboard()->clear(); }

void QtBackend::ClipboardSetText(const std::string& text) { QGuiApplication::clipboard()->setText(ToQString(text)); }

std::string QtBackend::ClipboardGetText() { return ToStdString(QGuiApplication::clipboard()->text()); }

void QtBackend::PrinterSetFontSize(double points) { printer_->SetFontSize(points); }
double QtBackend::PrinterFontSize() { return printer_->FontSize(); }
void QtBackend::PrinterPrint(const std::string& text) { printer_->Print(text); }
void QtBackend::PrinterPrintEmptyLine() { printer_->PrintEmptyLine(); }
void QtBackend::PrinterEndDoc() { printer_->EndDoc(); }

void QtBackend::SetMousePointer(int pointer) {
    pointer_ = pointer;
    QCursor cursor;
    if (PointerCursor(pointer, QPixmap(), cursor)) {
        if (overrideCursor_) {
            QGuiApplication::changeOverrideCursor(cursor);
        } else {
            QGuiApplication::setOverrideCursor(cursor);
            overrideCursor_ = true;
        }
    } else if (overrideCursor_) {
        QGuiApplication::restoreOverrideCursor();
        overrideCursor_ = false;
    }
}

int QtBackend::MousePointer() { return pointer_; }

bool QtBackend::ShellOpen(const std::string& target, const std::string& folder) {
    return OpenWithDesktop(target, folder);
}

bool QtBackend::StartProgram(const std::string& path) { return StartDetachedProgram(path); }

void QtBackend::Beep() { QApplication::beep(); }

void QtBackend::CreateErrorReportWindow() {
    if (!errorReport_) errorReport_ = new ErrorReportDialog(mainWindow_);
}

void QtBackend::ShowErrorReport(const std::string& text) {
    CreateErrorReportWindow();
    // The report stands above the window the user was working in (a report
    // window's Print, a dialog), not behind it over the main window.
    QWidget* active = QApplication::activeModalWidget();
    if (active == nullptr) active = QApplication::activeWindow();
    if (active == errorReport_.data() || active == nullptr) active = errorReport_->parentWidget();
    if (active != nullptr && active != errorReport_->parentWidget())
        errorReport_->setParent(active, errorReport_->windowFlags());
    errorReport_->ShowReport(text);
}

}  // namespace platform::qt
