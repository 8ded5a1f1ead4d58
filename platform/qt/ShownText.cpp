#include "platform/qt/ShownText.h"

#include <algorithm>

#include "platform/qt/QtText.h"

namespace platform::qt {

ShownText::ShownText(const std::string& text, bool multiLine) : multiLine_(multiLine) {
    const QString source = ToQString(text);
    shown_.reserve(source.size());
    modelAt_.reserve(static_cast<std::size_t>(source.size()) + 1);
    int model = 0;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source[i];
        modelAt_.push_back(model);
        if (multiLine && c == QLatin1Char('\r')) {
            shown_ += QLatin1Char('\n');
            if (i + 1 < source.size() && source[i + 1] == QLatin1Char('\n')) {
                ++i;
                ++model;
            }
        } else {
            shown_ += c;
        }
        // The second half of a surrogate pair belongs to the same character.
        if (c.isHighSurrogate() && i + 1 < source.size() && source[i + 1].isLowSurrogate()) {
            shown_ += source[++i];
            modelAt_.push_back(model);
        }
        ++model;
    }
    modelAt_.push_back(model);
}

int ShownText::ToShown(int modelPosition) const {
    const auto found = std::lower_bound(modelAt_.begin(), modelAt_.end(), modelPosition);
    if (found == modelAt_.end()) return static_cast<int>(shown_.size());
    return static_cast<int>(found - modelAt_.begin());
}

int ShownText::ToModel(int shownPosition) const {
    if (modelAt_.empty()) return 0;
    const auto index = static_cast<std::size_t>(std::clamp(shownPosition, 0, static_cast<int>(shown_.size())));
    return modelAt_[index];
}

ShownText::Edit ShownText::EditTo(const QString& edited) const {
    const qsizetype oldSize = shown_.size();
    const qsizetype newSize = edited.size();
    qsizetype prefix = 0;
    while (prefix < oldSize && prefix < newSize && shown_[prefix] == edited[prefix]) ++prefix;
    if (prefix > 0 && shown_[prefix - 1].isHighSurrogate()) --prefix;
    qsizetype suffix = 0;
    while (suffix < oldSize - prefix && suffix < newSize - prefix &&
           shown_[oldSize - 1 - suffix] == edited[newSize - 1 - suffix])
        ++suffix;
    if (suffix > 0 && shown_[oldSize - suffix].isLowSurrogate()) --suffix;

    Edit edit;
    edit.start = ToModel(static_cast<int>(prefix));
    edit.length = ToModel(static_cast<int>(oldSize - suffix)) - edit.start;
    QString inserted = edited.mid(prefix, newSize - suffix - prefix);
    if (multiLine_) inserted.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    edit.inserted = ToStdString(inserted);
    return edit;
}

}  // namespace platform::qt
