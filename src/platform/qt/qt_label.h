// The label adapter: a platform::label on a QLabel, for the forms the Qt runtime builds.
#pragma once

#include <QLabel>

#include "platform/qt/qt_control.h"

namespace platform::qt {

// A label takes its own mouse presses, so a press on it is not a press on the bare
// window surface.
class label_widget : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

class qt_label : public widget_control<label, label_widget> {
public:
    qt_label(const control_design& design, QWidget* parent);
    std::u16string caption() const override;
    void set_caption(const std::u16string& c) override;
    // From now on every caption is also the accessible description of w.
    void describe(QWidget* w) { described_ = w; }

private:
    QWidget* described_ = nullptr;
};

}  // namespace platform::qt
