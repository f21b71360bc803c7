// The button adapter: a platform::button on a QPushButton.
#pragma once

#include <QPushButton>

#include "platform/qt/qt_control.h"

namespace platform::qt {

class qt_button : public QObject, public widget_control<button, QPushButton> {
    Q_OBJECT
public:
    qt_button(const control_design& design, QWidget* parent);
    std::u16string caption() const override;
};

}  // namespace platform::qt
