#include "app/StatusPanel.h"

#include <QLabel>
#include <QLocale>

namespace desktop {

StatusPanel::StatusPanel(QWidget* parent) : QStatusBar(parent) {
    coordinates_ = new QLabel;
    coordinates_->setMinimumWidth(200);
    coordinates_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addPermanentWidget(coordinates_);
}

void StatusPanel::ShowCoordinates(double x, double y) {
    const QLocale locale;
    coordinates_->setText(QStringLiteral("%1  %2").arg(locale.toString(x, 'f', 2), locale.toString(y, 'f', 2)));
}

}  // namespace desktop
