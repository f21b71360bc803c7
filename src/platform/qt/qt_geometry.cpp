#include "platform/qt/qt_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform::qt {

int twips_per_pixel() {
    const QScreen* s = QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return std::max(1, static_cast<int>(std::lround(1440.0 / (dpi > 0 ? dpi : 96.0))));
}

int to_pixels(int twips) { return static_cast<int>(std::nearbyint(static_cast<double>(twips) / twips_per_pixel())); }

QRect to_pixels(const twips_rect& r) {
    const int left = to_pixels(r.left), top = to_pixels(r.top);
    const int right = left + to_pixels(r.width), bottom = top + to_pixels(r.height);
    return QRect(QPoint(snapped(left), snapped(top)), QPoint(snapped(right) - 1, snapped(bottom) - 1));
}

int pixel_grid() {
    const QScreen* s = QGuiApplication::primaryScreen();
    const double ratio = s ? s->devicePixelRatio() : 1.0;
    for (int step = 1; step <= 8; ++step) {
        const double screen_pixels = ratio * step;
        if (std::abs(screen_pixels - std::round(screen_pixels)) < 1e-6) return step;
    }
    return 1;
}

int snapped(int pixels) {
    const int g = pixel_grid();
    return static_cast<int>(std::floor((pixels + g / 2.0) / g)) * g;
}

QRegion desktop_area() {
    QRegion area;
    for (const QScreen* s : QGuiApplication::screens()) area += s->geometry();
    return area;
}

twips_rect to_twips(const QRect& r) {
    const int t = twips_per_pixel();
    return {r.x() * t, r.y() * t, r.width() * t, r.height() * t};
}

}  // namespace platform::qt
