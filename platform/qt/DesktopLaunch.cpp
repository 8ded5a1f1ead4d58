#include "platform/qt/DesktopLaunch.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

// "http:", "mailto:" and the like; a one-letter scheme would be a drive.
bool IsAddress(const QString& target) {
    const QUrl url(target);
    return url.isValid() && url.scheme().size() > 1;
}

}  // namespace

QUrl DesktopUrl(const std::string& target, const std::string& folder) {
    const QString text = ToQString(target);
    if (text.isEmpty()) return {};
    const QDir base = folder.empty() ? QDir::current() : QDir(ToQString(folder));
    const QString local = QDir::cleanPath(base.absoluteFilePath(text));
    // File names here may hold ":", so "v2:final.pdf" is a file when one of that name is there.
    if (IsAddress(text) && !QFileInfo::exists(local)) return QUrl(text);
    return QUrl::fromLocalFile(local);
}

bool OpenWithDesktop(const std::string& target, const std::string& folder) {
    const QUrl url = DesktopUrl(target, folder);
    return !url.isEmpty() && QDesktopServices::openUrl(url);
}

bool StartDetachedProgram(const std::string& path) {
    if (path.empty()) return false;
    return QProcess::startDetached(ToQString(path), {});
}

}  // namespace platform::qt
