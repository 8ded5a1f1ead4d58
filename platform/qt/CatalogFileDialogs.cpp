#include "platform/qt/CatalogFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

#include "platform/map/CatalogDialog.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

const QString kAllFiles = QStringLiteral("All files (*)");

void Prepare(QFileDialog& files, const CatalogDialog& dialog) {
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setWindowTitle(ToQString(dialog.Title()));
    QStringList filters{CatalogNameFilter(dialog)};
    if (filters.front() != kAllFiles) filters.append(kAllFiles);
    files.setNameFilters(filters);
    const QFileInfo start(ToQString(dialog.StartingLocation()));
    if (start.isDir()) {
        files.setDirectory(start.absoluteFilePath());
    } else if (!dialog.StartingLocation().empty()) {
        files.setDirectory(start.absolutePath());
        files.selectFile(start.fileName());
    }
}

}  // namespace

QString CatalogNameFilter(const CatalogDialog& dialog) {
    const auto& filter = dialog.ObjectFilter();
    if (!filter) return kAllFiles;
    QStringList patterns;
    for (const std::string& ending : filter->Extensions()) patterns.append(QStringLiteral("*") + ToQString(ending));
    QString description = ToQString(filter->Description());
    const int open = static_cast<int>(description.indexOf(QLatin1String(" (")));
    if (open >= 0) description.truncate(open);
    return QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
}

bool RunCatalogOpen(QWidget* parent, const CatalogDialog& dialog, std::vector<std::string>& picked) {
    QFileDialog files(parent);
    Prepare(files, dialog);
    files.setAcceptMode(QFileDialog::AcceptOpen);
    files.setFileMode(dialog.AllowMultiSelect() ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (!dialog.ButtonCaption().empty()) files.setLabelText(QFileDialog::Accept, ToQString(dialog.ButtonCaption()));
    if (files.exec() != QDialog::Accepted) return false;
    picked.clear();
    for (const QString& file : files.selectedFiles()) picked.push_back(ToStdString(file));
    return !picked.empty();
}

bool RunCatalogSave(QWidget* parent, const CatalogDialog& dialog, std::string& folder, std::string& name) {
    QFileDialog files(parent);
    Prepare(files, dialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setFileMode(QFileDialog::AnyFile);
    // The catalog itself asks about existing files; the file dialog does not.
    files.setOption(QFileDialog::DontConfirmOverwrite);
    if (!dialog.Name().empty()) files.selectFile(ToQString(dialog.Name()));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return false;
    const QFileInfo chosen(files.selectedFiles().front());
    folder = ToStdString(chosen.absolutePath());
    name = ToStdString(chosen.fileName());
    return !name.empty();
}

}  // namespace platform::qt
