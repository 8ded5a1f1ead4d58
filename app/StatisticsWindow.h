#pragma once
#include <QDialog>
#include <memory>
#include <vector>

#include "app/MapTables.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace platform {
class Application;
}

namespace desktop {

// The host's own Statistics window: count, minimum, maximum, sum, mean and
// standard deviation of one numeric field of a layer or table of the focus
// map, over its selected records when it has any, else over all of them.
// Modeless; Open() lists the focus map's layers again and shows it.
class StatisticsWindow : public QDialog {
public:
    explicit StatisticsWindow(std::shared_ptr<platform::Application> application, QWidget* parent = nullptr);

    void Open();
    QString ReportText() const;

private:
    void FillFields();
    void Compute();

    std::shared_ptr<platform::Application> application_;
    std::vector<MapTable> tables_;
    QComboBox* layers_;
    QComboBox* fields_;
    QLabel* scope_;
    QPlainTextEdit* report_;
};

}  // namespace desktop
