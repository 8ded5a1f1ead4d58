#pragma once
#include <QDialog>
#include <memory>
#include <vector>

#include "app/MapTables.h"

class QCheckBox;
class QComboBox;
class QListWidget;

namespace platform {
class Application;
}

namespace desktop {

// The host's own Select By Location window: selects the features of the
// checked layers that intersect the features (or only the selected features)
// of another layer, by a selection method. Modeless; Open() lists the focus
// map's feature layers again and shows it.
class SelectByLocationWindow : public QDialog {
public:
    explicit SelectByLocationWindow(std::shared_ptr<platform::Application> application, QWidget* parent = nullptr);

    void Open();
    void Apply();

    QListWidget* Targets() const { return targets_; }
    QComboBox* Source() const { return source_; }
    QComboBox* Method() const { return method_; }
    QCheckBox* SelectedOnly() const { return selectedOnly_; }

private:
    void SourceChanged();

    std::shared_ptr<platform::Application> application_;
    std::vector<MapTable> layers_;
    QComboBox* method_;
    QListWidget* targets_;
    QComboBox* source_;
    QCheckBox* selectedOnly_;
};

}  // namespace desktop
