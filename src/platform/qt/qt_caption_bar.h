#pragma once

#include <QWidget>
#include <functional>

namespace platform::qt {

// The narrow caption bar that a frameless tool window draws for itself: its caption and
// a close button. A press anywhere else on the bar starts a caption drag.
class caption_bar : public QWidget {
public:
    caption_bar(const QString& caption, QWidget* parent);

    static constexpr int height_px = 18;

    std::function<void(QPoint global)> on_caption_press;
    std::function<void(QPoint global)> on_caption_drag;
    std::function<void()> on_caption_release;
    std::function<void()> on_close;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    QRect close_rect() const;
    QString caption_;
    bool dragging_ = false;
    bool close_pressed_ = false;
    bool close_hot_ = false;
};

}  // namespace platform::qt
