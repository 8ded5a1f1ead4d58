#include "platform/qt/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform::qt {
namespace {

constexpr double kTwipsPerInch = 1440.0;

int Round(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

TwipScale TwipScale::OfScreen(const QScreen* screen) {
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {96.0, 96.0};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

int TwipScale::ToPixelsX(int twips) const { return Round(twips * dpiX_ / kTwipsPerInch); }
int TwipScale::ToPixelsY(int twips) const { return Round(twips * dpiY_ / kTwipsPerInch); }
int TwipScale::ToTwipsX(int pixels) const { return Round(pixels * kTwipsPerInch / dpiX_); }
int TwipScale::ToTwipsY(int pixels) const { return Round(pixels * kTwipsPerInch / dpiY_); }

QRect TwipScale::ToPixels(int left, int top, int width, int height) const {
    return {ToPixelsX(left), ToPixelsY(top), ToPixelsX(width), ToPixelsY(height)};
}

}  // namespace platform::qt
