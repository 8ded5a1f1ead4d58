#include "platform/qt/Pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "platform/forms/PictureRegistry.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

const char* const kEndings[] = {".png", ".bmp", ".gif", ".jpg", ".jpeg", ".svg", ".ico", ".cur", ".xpm"};

bool IsFile(const QString& path) { return QFileInfo(path).isFile(); }

QCursor CustomCursor(const QPixmap& icon) {
    const QImage image = icon.toImage();
    if (!image.hasAlphaChannel()) return QCursor(icon);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) return QCursor(icon, x, y);
        }
    }
    return QCursor(icon);
}

}  // namespace

PictureStore::PictureStore() : places_{QStringLiteral(":/tessaly"), QStringLiteral(":")} {}

void PictureStore::AddFolder(const std::string& folder) {
    const QString place = ToQString(folder);
    if (!places_.contains(place)) places_.append(place);
    files_.clear();
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
    if (const auto registered = FindPicture(resource)) {
        const auto cached = registered_.constFind(registered->Handle());
        if (cached != registered_.constEnd()) return *cached;
        QPixmap picture = ToPixmap(registered->Pixels());
        registered_.insert(registered->Handle(), picture);
        return picture;
    }
    const QString name = ToQString(resource);
    const auto cached = files_.constFind(name);
    if (cached != files_.constEnd()) return *cached;
    const QString path = Locate(name);
    QPixmap picture;
    if (!path.isEmpty() && picture.load(path)) files_.insert(name, picture);
    return picture;
}

QPixmap ToPixmap(const Bitmap& pixels) {
    const auto count = static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height);
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.rgb.size() != count * 3) return {};
    const bool clear = pixels.alpha.size() == count;
    QImage image(pixels.width, pixels.height, clear ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    std::size_t at = 0;
    for (int y = 0; y < pixels.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pixels.width; ++x, ++at) {
            const int alpha = clear ? pixels.alpha[at] : 255;
            line[x] = qRgba(pixels.rgb[at * 3], pixels.rgb[at * 3 + 1], pixels.rgb[at * 3 + 2], alpha);
        }
    }
    return QPixmap::fromImage(image);
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
        cursor = CustomCursor(icon);
        return true;
    default: return false;
    }
}

}  // namespace platform::qt
