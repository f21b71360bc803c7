#include "platform/qt/qt_caption_bar.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/qt_geometry.h"

namespace platform::qt {

close_button::close_button(QWidget* parent) : QAbstractButton(parent) {
    setObjectName(QStringLiteral("close_button"));
    setAccessibleName(QStringLiteral("关闭"));
    setAccessibleDescription(QStringLiteral("关闭窗口"));
    // Reached by Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
}

void close_button::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool hot = underMouse() && !isDown();
    p.fillRect(rect(), isDown() ? QColor(200, 200, 200) : hot ? QColor(232, 17, 35) : QColor(212, 208, 200));
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    p.setPen(QPen(hot ? Qt::white : Qt::black, 1.6));
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF x = QRectF(rect()).adjusted(4, 4, -4, -4);
    p.drawLine(x.topLeft(), x.bottomRight());
    p.drawLine(x.topRight(), x.bottomLeft());
}

// Enter as well as Space, as every button of the program.
void close_button::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(e);
}

caption_bar::caption_bar(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption), close_(new close_button(this)) {
    setObjectName(QStringLiteral("caption_bar"));
    setFocusPolicy(Qt::NoFocus);
    connect(close_, &QAbstractButton::clicked, this, [this] {
        if (on_close) on_close();
    });
}

int caption_bar::height() { return snapped(18); }

void caption_bar::resizeEvent(QResizeEvent*) {
    const int margin = snapped(2);
    const int side = QWidget::height() - 2 * margin;
    close_->setGeometry(width() - side - margin, margin, side, side);
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
    p.drawText(rect().adjusted(4, 0, -QWidget::height(), 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

void caption_bar::mousePressEvent(QMouseEvent* e) {
    e->accept();
    if (e->button() != Qt::LeftButton) return;
    dragging_ = true;
    if (on_caption_press) on_caption_press(e->globalPosition().toPoint());
}

void caption_bar::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_ && on_caption_drag) on_caption_drag(e->globalPosition().toPoint());
}

void caption_bar::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    if (on_caption_release) on_caption_release();
}

}  // namespace platform::qt
