#include "platform/qt/qt_caption_bar.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace platform::qt {

caption_bar::caption_bar(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    setObjectName(QStringLiteral("caption_bar"));
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

QRect caption_bar::close_rect() const {
    const int side = height() - 4;
    return QRect(width() - side - 2, 2, side, side);
}

void caption_bar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, QColor(10, 36, 106));
    g.setColorAt(1, QColor(166, 202, 240));
    p.fillRect(rect(), g);

    QFont f = font();
    f.setPointSize(8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(rect().adjusted(4, 0, -height(), 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);

    const QRect c = close_rect();
    p.fillRect(c, close_pressed_ ? QColor(200, 200, 200) : close_hot_ ? QColor(232, 17, 35) : QColor(212, 208, 200));
    p.setPen(QPen(close_hot_ && !close_pressed_ ? Qt::white : Qt::black, 1.6));
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF x = QRectF(c).adjusted(4, 4, -4, -4);
    p.drawLine(x.topLeft(), x.bottomRight());
    p.drawLine(x.topRight(), x.bottomLeft());
}

void caption_bar::mousePressEvent(QMouseEvent* e) {
    e->accept();
    if (e->button() != Qt::LeftButton) return;
    if (close_rect().contains(e->position().toPoint())) {
        close_pressed_ = true;
        update();
        return;
    }
    dragging_ = true;
    if (on_caption_press) on_caption_press(e->globalPosition().toPoint());
}

void caption_bar::mouseMoveEvent(QMouseEvent* e) {
    const bool hot = close_rect().contains(e->position().toPoint());
    if (hot != close_hot_) {
        close_hot_ = hot;
        update();
    }
    if (dragging_ && on_caption_drag) on_caption_drag(e->globalPosition().toPoint());
}

void caption_bar::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (close_pressed_) {
        close_pressed_ = false;
        update();
        if (close_rect().contains(e->position().toPoint()) && on_close) on_close();
        return;
    }
    if (dragging_) {
        dragging_ = false;
        if (on_caption_release) on_caption_release();
    }
}

void caption_bar::leaveEvent(QEvent*) {
    close_hot_ = false;
    update();
}

}  // namespace platform::qt
