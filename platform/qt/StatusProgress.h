#pragma once
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

class QStatusBar;

namespace platform {
class StatusBar;
}

namespace platform::qt {

// Draws the host status bar's progress bar in a Qt status bar: its message
// and a progress bar. Long scans run on the window thread, so the bar paints
// itself at once whenever its percentage moves.
class StatusProgress {
public:
    explicit StatusProgress(QStatusBar* statusBar);

    void Shown(const StatusBar& bar);
    void Stepped(const StatusBar& bar);
    void Hidden();

    QLabel* Message() const { return message_.data(); }
    QProgressBar* Progress() const { return progress_.data(); }

private:
    void Paint(const StatusBar& bar);

    QPointer<QStatusBar> statusBar_;
    QPointer<QLabel> message_;
    QPointer<QProgressBar> progress_;
    bool shown_ = false;
    qint64 min_ = 0;
    qint64 max_ = 0;
    // The positions that show the percent painted last: a step inside them
    // costs two comparisons.
    qint64 samePercentFrom_ = 1;
    qint64 samePercentUntil_ = 0;
};

}  // namespace platform::qt
