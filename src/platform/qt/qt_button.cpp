#include "platform/qt/qt_button.h"

namespace platform::qt {

qt_button::qt_button(const control_design& design, QWidget* parent)
    : widget_control(design, new QPushButton(parent)) {
    QPushButton* b = widget();
    // Captions are plain: "&" never makes an access key, and no button is a default.
    QString text = to_qstring(design.caption);
    b->setText(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    connect(b, &QPushButton::clicked, this, [this] {
        if (on_click) on_click();
    });
}

std::u16string qt_button::caption() const {
    QString text = widget()->text();
    return from_qstring(text.replace(QStringLiteral("&&"), QStringLiteral("&")));
}

}  // namespace platform::qt
