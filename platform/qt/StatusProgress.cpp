#include "platform/qt/StatusProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

#include "platform/map/StatusBar.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

constexpr int kPanelWidth = 200;

}  // namespace

StatusProgress::StatusProgress(QStatusBar* statusBar) : statusBar_(statusBar) {
    if (statusBar == nullptr) return;
    message_ = new QLabel(statusBar);
    progress_ = new QProgressBar(statusBar);
    statusBar->addWidget(message_);
    statusBar->addWidget(progress_);
    message_->hide();
    progress_->hide();
}

void StatusProgress::Shown(const StatusBar& bar) {
    if (!message_ || !progress_) return;
    message_->setText(ToQString(bar.ProgressMessage()));
    const int min = bar.ProgressMin();
    progress_->setRange(min, std::max(min, static_cast<int>(bar.ProgressMax())));
    // One panel: the bar takes what the message leaves of the status bar.
    if (bar.ProgressOnePanel()) {
        progress_->setMinimumWidth(kPanelWidth);
        progress_->setMaximumWidth(QWIDGETSIZE_MAX);
    } else {
        progress_->setFixedWidth(kPanelWidth);
    }
    message_->show();
    progress_->show();
    shown_ = true;
    paintedPercent_ = -1;
    Paint(bar);
}

void StatusProgress::Stepped(const StatusBar& bar) {
    if (progress_ && shown_) Paint(bar);
}

void StatusProgress::Hidden() {
    shown_ = false;
    if (message_) message_->hide();
    if (progress_) progress_->hide();
}

void StatusProgress::Paint(const StatusBar& bar) {
    // A step is far cheaper than drawing it: the widget is touched only when the
    // percent it shows moves, at most about a hundred times a run.
    const qint64 min = progress_->minimum();
    const qint64 max = progress_->maximum();
    const qint64 position = std::clamp<qint64>(bar.ProgressPosition(), min, max);
    const qint64 span = std::max<qint64>(1, max - min);
    const int percent = static_cast<int>((position - min) * 100 / span);
    if (percent == paintedPercent_) return;
    paintedPercent_ = percent;
    progress_->setValue(static_cast<int>(position));
    message_->repaint();
    progress_->repaint();
}

}  // namespace platform::qt
