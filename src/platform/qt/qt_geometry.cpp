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

int to_pixels(int twips) {
    return static_cast<int>(std::nearbyint(static_cast<double>(twips) / twips_per_pixel()));
}

QRect to_pixels(const twips_rect& r) {
    return QRect(to_pixels(r.left), to_pixels(r.top), to_pixels(r.width), to_pixels(r.height));
}

twips_rect to_twips(const QRect& r) {
    const int t = twips_per_pixel();
    return {r.x() * t, r.y() * t, r.width() * t, r.height() * t};
}

}  // namespace platform::qt
