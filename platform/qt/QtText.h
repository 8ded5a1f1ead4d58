#pragma once
#include <QString>
#include <string>

namespace platform::qt {

// The model's texts are UTF-8 std::strings; Qt's are QStrings.
inline QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string ToStdString(const QString& text) { return text.toStdString(); }

// Line ends as a widget shows them: CR LF and lone CR become LF.
QString WithLineFeeds(const std::string& text);

// A caption without its access-key marks: "&" goes, "&&" stays as "&".
QString WithoutAccessKeys(const std::string& caption);

}  // namespace platform::qt
