#pragma once
#include <QStatusBar>

class QLabel;

namespace desktop {

// The main window's status bar. The host status bar's progress bar is drawn
// into it by the Qt host services; it shows the map coordinates under the
// pointer itself.
class StatusPanel : public QStatusBar {
public:
    explicit StatusPanel(QWidget* parent = nullptr);

    void ShowCoordinates(double x, double y);

private:
    QLabel* coordinates_;
};

}  // namespace desktop
