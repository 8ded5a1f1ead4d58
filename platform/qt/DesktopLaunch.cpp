#include "platform/qt/DesktopLaunch.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <filesystem>

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
    if (target.empty()) return {};
    // Paths stay the bytes they are: a folder name that is not UTF-8 would not
    // survive a QString, so the file address is made from the bytes, escaped.
    namespace fs = std::filesystem;
    std::error_code ignored;
    const fs::path base = folder.empty() ? fs::current_path(ignored) : fs::path(folder);
    const fs::path local = (base / fs::path(target)).lexically_normal();
    const QString text = ToQString(target);
    // File names here may hold ":", so "v2:final.pdf" is a file when one of that name is there.
    if (IsAddress(text) && !fs::exists(local, ignored)) return QUrl(text);
    const QByteArray bytes(local.native().data(), static_cast<qsizetype>(local.native().size()));
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/:@!$&'()*+,;="), QUrl::StrictMode);
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
