#include "platform/qt/qt_button.h"

#include <QKeyEvent>

namespace platform::qt {

namespace {

// A focused button is clicked by Enter as well as by Space. QPushButton takes Enter only
// as a dialog's default button, and these windows have no default button.
class push_button : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            e->accept();
            click();
            return;
        }
        QPushButton::keyPressEvent(e);
    }
};

}  // namespace

qt_button::qt_button(const control_design& design, QWidget* parent) : widget_control(design, new push_button(parent)) {
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
