// The base of the control adapters in this folder.
#pragma once

#include <QWidget>
#include <string>

#include "platform/forms.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_widget_style.h"

namespace platform::qt {

// The part every control adapter shares: its name and its widget's place in twips.
template <class Interface, class Widget>
class widget_control : public Interface {
public:
    widget_control(const control_design& design, Widget* w) : name_(design.name), widget_(w) {
        apply_style(w, design);
        w->setGeometry(to_pixels(design.rect));
        w->setVisible(design.visible);
    }
    Widget* widget() const { return widget_; }

    const std::string& name() const override { return name_; }
    twips_rect rect() const override { return to_twips(widget_->geometry()); }
    void move(const twips_rect& r) override { widget_->setGeometry(to_pixels(r)); }
    bool visible() const override { return widget_->isVisible(); }
    void set_focus() override { widget_->setFocus(Qt::OtherFocusReason); }

private:
    std::string name_;
    Widget* widget_;
};

}  // namespace platform::qt
