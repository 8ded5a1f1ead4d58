#include "platform/qt/Pictures.h"

#include <QDir>
#include <QFileInfo>

#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

const char* const kEndings[] = {".png", ".bmp", ".gif", ".jpg", ".jpeg", ".svg", ".ico", ".cur", ".xpm"};

bool IsFile(const QString& path) { return QFileInfo(path).isFile(); }

}  // namespace

PictureStore::PictureStore() : places_{QStringLiteral(":/tessaly"), QStringLiteral(":")} {}

void PictureStore::AddFolder(const std::string& folder) {
    const QString place = ToQString(folder);
    if (!places_.contains(place)) places_.append(place);
    cache_.clear();
}

QString PictureStore::Locate(const QString& resource) const {
    if (resource.contains(QLatin1Char('/')) && IsFile(resource)) return resource;
    for (const QString& place : places_) {
        const QString base = place + QLatin1Char('/') + resource;
        if (IsFile(base) && !QFileInfo(base).suffix().isEmpty()) return base;
        for (const char* ending : kEndings) {
            const QString candidate = base + QLatin1String(ending);
            if (IsFile(candidate)) return candidate;
        }
    }
    return {};
}

QPixmap PictureStore::Picture(const std::string& resource) {
    if (resource.empty()) return {};
    const QString name = ToQString(resource);
    const auto cached = cache_.constFind(name);
    if (cached != cache_.constEnd()) return *cached;
    const QString path = Locate(name);
    QPixmap picture;
    if (!path.isEmpty()) picture.load(path);
    cache_.insert(name, picture);
    return picture;
}

bool PointerCursor(int pointer, const QPixmap& icon, QCursor& cursor) {
    switch (pointer) {
    case 1: cursor = QCursor(Qt::ArrowCursor); return true;
    case 2: cursor = QCursor(Qt::CrossCursor); return true;
    case 3: cursor = QCursor(Qt::IBeamCursor); return true;
    case 5: cursor = QCursor(Qt::SizeAllCursor); return true;
    case 6: cursor = QCursor(Qt::SizeBDiagCursor); return true;
    case 7: cursor = QCursor(Qt::SizeVerCursor); return true;
    case 8: cursor = QCursor(Qt::SizeFDiagCursor); return true;
    case 9: cursor = QCursor(Qt::SizeHorCursor); return true;
    case 10: cursor = QCursor(Qt::UpArrowCursor); return true;
    case 11: cursor = QCursor(Qt::WaitCursor); return true;
    case 12: cursor = QCursor(Qt::ForbiddenCursor); return true;
    case 13: cursor = QCursor(Qt::BusyCursor); return true;
    case 14: cursor = QCursor(Qt::WhatsThisCursor); return true;
    case 15: cursor = QCursor(Qt::SizeAllCursor); return true;
    case 99:
        if (icon.isNull()) return false;
        cursor = QCursor(icon);
        return true;
    default: return false;
    }
}

}  // namespace platform::qt
