#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;

namespace platform::qt {

// Converts the model's twips (1440 to the inch) to device-independent pixels
// of a screen and back, by the screen's logical resolution: 15 twips to a
// pixel at 96 dots per inch.
class TwipScale {
public:
    TwipScale(double dpiX, double dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}
    // The primary screen's scale (96 dpi when there is no screen).
    static TwipScale OfScreen(const QScreen* screen = nullptr);

    int ToPixelsX(int twips) const;
    int ToPixelsY(int twips) const;
    int ToTwipsX(int pixels) const;
    int ToTwipsY(int pixels) const;
    QRect ToPixels(int left, int top, int width, int height) const;
    QSize ToPixels(int width, int height) const { return {ToPixelsX(width), ToPixelsY(height)}; }

private:
    double dpiX_;
    double dpiY_;
};

}  // namespace platform::qt
