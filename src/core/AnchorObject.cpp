#include "src/core/AnchorObject.h"

#include <cmath>
#include <functional>

#include "platform/com/ComError.h"
#include "platform/forms/Control.h"

namespace tessaly {
namespace {

// One axis of a control, read and written through the control's own
// properties so that the control can refuse a value.
struct Axis {
    std::function<int()> position;
    std::function<int()> size;
    std::function<int()> extent;  // the container's, read afresh each time
    std::function<void(int)> setPosition;
    std::function<void(int)> setSize;
};

platform::Container& ContainerOf(platform::Control& control) {
    platform::Container* container = control.Container();
    if (container == nullptr) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    return *container;
}

Axis Horizontal(platform::Control& c) {
    return {[&c] { return c.Left(); }, [&c] { return c.Width(); }, [&c] { return ContainerOf(c).Width(); },
            [&c](int v) { c.SetLeft(v); }, [&c](int v) { c.SetWidth(v); }};
}

Axis Vertical(platform::Control& c) {
    return {[&c] { return c.Top(); }, [&c] { return c.Height(); }, [&c] { return ContainerOf(c).Height(); },
            [&c](int v) { c.SetTop(v); }, [&c](int v) { c.SetHeight(v); }};
}

// A ratio against the container, failing as the runtime's division does.
float Ratio(double numerator, int extent) {
    if (extent == 0) {
        throw platform::RuntimeError(numerator == 0 ? platform::vberr::Overflow : platform::vberr::DivisionByZero);
    }
    return static_cast<float>(numerator / extent);
}

int ToTwips(double value) { return static_cast<int>(std::lround(value)); }

void Capture(std::int32_t type, const Axis& axis, Anchor& first, Anchor& second, Anchor& size) {
    switch (type) {
    case 0: {
        const int c = axis.extent();
        first.Value = Ratio(axis.position(), c);
        size.Value = Ratio(axis.size(), c);
        break;
    }
    case 1:
        first.Value = static_cast<float>(axis.position());
        size.Value = Ratio(axis.size(), axis.extent());
        break;
    case 2:
        first.Value = static_cast<float>(axis.position());
        break;
    case 3:
        first.Value = static_cast<float>(axis.position());
        size.Value = static_cast<float>(axis.extent() - axis.size());
        break;
    case 4: {
        const int s = axis.size();
        first.Value = Ratio(axis.position() + s / 2.0, axis.extent());
        second.Value = static_cast<float>(s / 2.0);
        break;
    }
    case 5:
        first.Value = static_cast<float>(axis.extent() - axis.position());
        break;
    case 6: {
        const int c = axis.extent();
        const int s = axis.size();
        first.Value = Ratio(s, c);
        second.Value = static_cast<float>(c - s - axis.position());
        size.Value = Ratio(s, c);
        break;
    }
    default:
        break;
    }
}

// Runs one assignment; a failure skips only that assignment.
void Try(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const platform::ComError&) {
    }
}

void Apply(std::int32_t type, const Axis& axis, const Anchor& first, const Anchor& second, const Anchor& size) {
    switch (type) {
    case 0:
        Try([&] { axis.setPosition(ToTwips(first.Value * static_cast<double>(axis.extent()))); });
        Try([&] { axis.setSize(ToTwips(size.Value * static_cast<double>(axis.extent()))); });
        break;
    case 1:
        Try([&] { axis.setSize(ToTwips(size.Value * static_cast<double>(axis.extent()))); });
        break;
    case 3:
        Try([&] { axis.setSize(ToTwips(axis.extent() - static_cast<double>(size.Value))); });
        break;
    case 4:
        Try([&] { axis.setPosition(ToTwips(first.Value * static_cast<double>(axis.extent()) - second.Value)); });
        break;
    case 5:
        Try([&] { axis.setPosition(ToTwips(axis.extent() - static_cast<double>(first.Value))); });
        break;
    case 6:
        Try([&] {
            const double c = axis.extent();
            axis.setPosition(ToTwips(c - first.Value * c - second.Value));
        });
        Try([&] { axis.setSize(ToTwips(size.Value * static_cast<double>(axis.extent()))); });
        break;
    default:  // 2 and unknown types leave the axis alone
        break;
    }
}

}  // namespace

void AnchorObject::SetAnchors(std::int32_t XType, std::int32_t YType) {
    if (control_ == nullptr) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    x_.AnchorType = XType;
    Capture(XType, Horizontal(*control_), x_, x2_, w_);
    y_.AnchorType = YType;
    Capture(YType, Vertical(*control_), y_, y2_, h_);
}

void AnchorObject::DoAnchors() {
    if (control_ == nullptr) return;
    Apply(x_.AnchorType, Horizontal(*control_), x_, x2_, w_);
    Apply(y_.AnchorType, Vertical(*control_), y_, y2_, h_);
}

}  // namespace tessaly
