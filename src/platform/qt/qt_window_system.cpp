#include "platform/qt/qt_window_system.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/qt/qt_form.h"
#include "platform/qt/qt_forms_runtime.h"
#include "platform/qt/qt_x11_window.h"

namespace platform::qt {

bool qt_window_system::set_window_pos(window_handle w, window_handle insert_after, int x, int y, int cx, int cy,
                                      unsigned flags) {
    qt_form* f = forms_.find(w);
    if (!f) return false;
    QWidget* widget = f->widget();
    if (!(flags & swp_nomove) || !(flags & swp_nosize)) {
        QRect r = f->geometry();
        if (!(flags & swp_nomove)) r.moveTopLeft(QPoint(x, y));
        if (!(flags & swp_nosize)) r.setSize(QSize(cx, cy));
        f->propose_geometry(r);
    }
    if (insert_after == hwnd_topmost) {
        // Changing a window's flags re-creates it; do so only when it enters the band.
        if (!widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            const bool shown = widget->isVisible();
            widget->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            if (shown) widget->show();
        }
        if (widget->isVisible() && !restack_on_top(widget)) widget->raise();
    }
    return true;
}

pixel_rect qt_window_system::window_rect(window_handle w) const {
    qt_form* f = forms_.find(w);
    if (!f) return {};
    const QRect r = f->geometry();
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

std::vector<monitor> qt_window_system::monitors() const {
    std::vector<pixel_rect> rects;
    std::size_t primary = 0;
    const QScreen* primary_screen = QGuiApplication::primaryScreen();
    for (const QScreen* s : QGuiApplication::screens()) {
        if (s == primary_screen) primary = rects.size();
        const QRect g = s->geometry();
        rects.push_back({g.x(), g.y(), g.x() + g.width(), g.y() + g.height()});
    }
    return desktop_monitors(rects, primary);
}

pixel_point qt_window_system::cursor_pos() const {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

bool qt_window_system::pointer_gone_from(window_handle w) const {
    const qt_form* f = forms_.find(w);
    return f && f->pointer_gone();
}

window_proc qt_window_system::window_procedure(window_handle w) const {
    qt_form* f = forms_.find(w);
    return f ? f->procedure() : window_proc();
}

window_proc qt_window_system::set_window_procedure(window_handle w, window_proc p) {
    qt_form* f = forms_.find(w);
    if (!f) return {};
    window_proc previous = f->procedure();
    f->set_procedure(std::move(p));
    return previous;
}

}  // namespace platform::qt
