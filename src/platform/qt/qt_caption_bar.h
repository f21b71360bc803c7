// The caption bar that every frameless form draws for itself; made by qt_form.
#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <functional>

namespace platform::qt {

// The close button of a caption bar: a button of its own, so that the keyboard (Tab,
// then Enter or Space) and assistive technology ("关闭") reach it like any button.
class close_button : public QAbstractButton {
public:
    explicit close_button(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

// The narrow caption bar that a frameless tool window draws for itself: its caption and
// a close button. A press anywhere else on the bar starts a caption drag.
class caption_bar : public QWidget {
public:
    caption_bar(const QString& caption, QWidget* parent);

    // 18 pixels, on the pixel grid.
    static int height();

    std::function<void(QPoint global)> on_caption_press;
    std::function<void(QPoint global)> on_caption_drag;
    std::function<void()> on_caption_release;
    std::function<void()> on_close;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QString caption_;
    close_button* close_;
    bool dragging_ = false;
};

}  // namespace platform::qt
