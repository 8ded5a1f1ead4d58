#pragma once
#include <QCursor>
#include <QHash>
#include <QPixmap>
#include <QStringList>
#include <string>

#include "platform/forms/Picture.h"

namespace platform::qt {

// Finds the pictures forms name by resource name ("cornerbars"): first the
// picture a module registered under that name (platform/forms/PictureRegistry),
// else a path to an image file as it is, else a file of that name with an
// image ending in the Qt resources (":/tessaly/", ":/") or in the picture
// folders added. A picture that cannot be found is a null pixmap, which draws
// nothing; it is looked for again on the next call, so a picture registered
// later is found.
class PictureStore {
public:
    PictureStore();

    void AddFolder(const std::string& folder);
    QPixmap Picture(const std::string& resource);
    bool Has(const std::string& resource) { return !Picture(resource).isNull(); }

private:
    QString Locate(const QString& resource) const;

    QStringList places_;
    QHash<QString, QPixmap> files_;
    QHash<int, QPixmap> registered_;  // by picture handle, never reused
};

// A registered picture's pixels as a pixmap, with their transparency.
QPixmap ToPixmap(const Bitmap& pixels);

// The cursor of a classic mouse-pointer number (0 default, 11 hourglass,
// 99 custom from `icon`). Returns false for the default pointer. A custom
// pointer with a transparent part points with its topmost drawn pixel (a
// finger's or an arrow's tip); an opaque one with its middle.
bool PointerCursor(int pointer, const QPixmap& icon, QCursor& cursor);

}  // namespace platform::qt
