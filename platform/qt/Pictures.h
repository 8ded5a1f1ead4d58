#pragma once
#include <QCursor>
#include <QHash>
#include <QPixmap>
#include <QStringList>
#include <string>

namespace platform::qt {

// Finds the pictures forms name by resource name ("cornerbars"): a path to
// an image file as it is, else a file of that name with an image ending in
// the Qt resources (":/tessaly/", ":/") or in the picture folders added.
// A picture that cannot be found is a null pixmap, which draws nothing.
class PictureStore {
public:
    PictureStore();

    void AddFolder(const std::string& folder);
    QPixmap Picture(const std::string& resource);
    bool Has(const std::string& resource) { return !Picture(resource).isNull(); }

private:
    QString Locate(const QString& resource) const;

    QStringList places_;
    QHash<QString, QPixmap> cache_;
};

// The cursor of a classic mouse-pointer number (0 default, 11 hourglass,
// 99 custom from `icon`). Returns false for the default pointer.
bool PointerCursor(int pointer, const QPixmap& icon, QCursor& cursor);

}  // namespace platform::qt
