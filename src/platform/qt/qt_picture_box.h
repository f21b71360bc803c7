// The picture box adapter: a platform::picture_box that draws the form's icon.
#pragma once

#include <QIcon>
#include <QWidget>

#include "platform/qt/qt_control.h"

namespace platform::qt {

class picture_widget : public QWidget {
public:
    explicit picture_widget(QWidget* parent) : QWidget(parent) {}
    QIcon icon;
    std::function<void()> on_dbl_click;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

class qt_picture_box : public widget_control<picture_box, picture_widget> {
public:
    qt_picture_box(const control_design& design, QWidget* parent, QIcon form_icon);
    void show_form_icon() override;

private:
    QIcon form_icon_;
};

}  // namespace platform::qt
