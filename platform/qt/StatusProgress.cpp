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
    min_ = progress_->minimum();
    max_ = progress_->maximum();
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
    samePercentFrom_ = 1;
    samePercentUntil_ = 0;
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
    const qint64 position = std::clamp<qint64>(bar.ProgressPosition(), min_, max_);
    if (position >= samePercentFrom_ && position < samePercentUntil_) return;
    const qint64 span = std::max<qint64>(1, max_ - min_);
    const qint64 percent = (position - min_) * 100 / span;
    samePercentFrom_ = min_ + (percent * span + 99) / 100;
    samePercentUntil_ = min_ + ((percent + 1) * span + 99) / 100;
    progress_->setValue(static_cast<int>(position));
    message_->repaint();
    progress_->repaint();
}

}  // namespace platform::qt
