#include "platform/qt/qt_picture_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace platform::qt {

// The icon box sits under the lowest button, which stays on top and usable, and runs
// past the window's right edge; the icon is drawn small in the strip that stays visible.
void picture_widget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    if (icon.isNull()) return;
    const int side = 16;
    const int visible_bottom = std::min(height(), parentWidget() ? parentWidget()->height() - y() : height());
    const int top = std::max(0, visible_bottom - side - 2);
    const QRect drawn(4, top, side, side);
    icon.paint(&p, drawn);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(drawn.adjusted(-2, -2, 1, 1));
    }
}

void picture_widget::mousePressEvent(QMouseEvent* e) {
    e->accept();
    setFocus(Qt::MouseFocusReason);
}

void picture_widget::mouseDoubleClickEvent(QMouseEvent* e) {
    e->accept();
    if (on_dbl_click) on_dbl_click();
}

// From the keyboard, Enter or Space on the focused icon stands for the double-click.
void picture_widget::keyPressEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter && e->key() != Qt::Key_Space)
        return QWidget::keyPressEvent(e);
    e->accept();
    if (on_dbl_click) on_dbl_click();
}

qt_picture_box::qt_picture_box(const control_design& design, QWidget* parent, QIcon form_icon)
    : widget_control(design, new picture_widget(parent)), form_icon_(std::move(form_icon)) {
    widget()->setFocusPolicy(Qt::StrongFocus);
    widget()->on_dbl_click = [this] {
        if (on_dbl_click) on_dbl_click();
    };
}

void qt_picture_box::show_form_icon() {
    widget()->icon = form_icon_;
    widget()->update();
}

}  // namespace platform::qt
