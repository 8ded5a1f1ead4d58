#pragma once
#include <QUrl>
#include <string>

namespace platform::qt {

// What the desktop is asked to open: the file, a relative name counting from
// `folder` when one is given (else from the current folder); but a target
// that reads as a web address (any scheme of two or more letters) and names
// no existing file is that address, as it is. Empty for "". A file's address
// carries its path's bytes, whatever their encoding.
QUrl DesktopUrl(const std::string& target, const std::string& folder);

// Opens the document or web address of DesktopUrl with the program the
// desktop associates with it. True when the desktop took it.
bool OpenWithDesktop(const std::string& target, const std::string& folder);

// Starts a program by its path, detached from this process. True when it started.
bool StartDetachedProgram(const std::string& path);

}  // namespace platform::qt
