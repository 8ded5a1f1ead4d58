#pragma once
#include <QLabel>
#include <QMouseEvent>
#include <functional>

namespace platform::qt {

// A label that reports clicks (a press and release inside it) and, when
// asked, the mouse moving over it.
class ClickLabel : public QLabel {
public:
    explicit ClickLabel(QWidget* parent) : QLabel(parent) {}

    std::function<void()> onClick;
    std::function<void(QMouseEvent&)> onMouseMove;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && onClick) {
            pressed_ = true;
            event->accept();
            return;
        }
        QLabel::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click) {
            event->accept();
            onClick();
            return;
        }
        QLabel::mouseReleaseEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (onMouseMove) {
            event->accept();
            onMouseMove(*event);
            return;
        }
        QLabel::mouseMoveEvent(event);
    }

private:
    bool pressed_ = false;
};

}  // namespace platform::qt
