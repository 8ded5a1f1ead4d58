#pragma once
#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace platform {
class CatalogDialog;
}

namespace platform::qt {

// The catalog's open and save dialogs as Qt file dialogs: the dialog's title,
// starting place (a folder, or a file whose folder it opens on, that file
// proposed), open-button caption, multiple selection and filter (by its
// description and endings, with all files as a second choice). The dialogs
// are Qt's own (not the desktop's), the same on every desktop. Both return
// false when the user cancels.
bool RunCatalogOpen(QWidget* parent, const CatalogDialog& dialog, std::vector<std::string>& picked);
bool RunCatalogSave(QWidget* parent, const CatalogDialog& dialog, std::string& folder, std::string& name);

// The name filter a catalog dialog's filter gives, such as
// "Layer files (*.tlyr)"; "All files (*)" without one.
QString CatalogNameFilter(const CatalogDialog& dialog);

}  // namespace platform::qt
