#include "platform/qt/qt_label.h"

#include <QMouseEvent>

namespace platform::qt {

void label_widget::mousePressEvent(QMouseEvent* e) { e->accept(); }

qt_label::qt_label(const control_design& design, QWidget* parent) : widget_control(design, new label_widget(parent)) {
    widget()->setFocusPolicy(Qt::NoFocus);
    widget()->setTextFormat(Qt::PlainText);
    widget()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget()->setText(to_qstring(design.caption));
}

std::u16string qt_label::caption() const { return from_qstring(widget()->text()); }

// Screen readers leave alone most changes outside the focused control; a change of the
// focused control's description they read out.
void qt_label::set_caption(const std::u16string& c) {
    widget()->setText(to_qstring(c));
    if (described_) described_->setAccessibleDescription(widget()->text());
}

}  // namespace platform::qt
