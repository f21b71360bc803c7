#include "platform/qt/qt_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/calc.h"
#include "app/calc_design.h"
#include "platform/qt/qt_forms_runtime.h"
#include "platform/qt/qt_window_system.h"

namespace {

struct qt_form_test : ::testing::Test {
    platform::qt::qt_forms_runtime forms;
    platform::qt::qt_window_system windows{forms};
};

TEST_F(qt_form_test, ControlsTakeTheirNamesAccessibleNamesAndPixelRectangles) {
    auto form = forms.create_form(app::calc_design());
    auto* w = static_cast<platform::qt::qt_form&>(*form).client();
    for (const auto& c : app::calc_design().controls) {
        auto* widget = w->findChild<QWidget*>(QString::fromStdString(c.name));
        ASSERT_NE(widget, nullptr) << c.name;
        EXPECT_EQ(widget->geometry(), QRect(c.rect.left / 15, c.rect.top / 15, c.rect.width / 15, c.rect.height / 15))
            << c.name;
    }
    EXPECT_EQ(w->findChild<QPlainTextEdit*>("Text_calc")->accessibleName(), QStringLiteral("公式"));
    EXPECT_EQ(w->findChild<QPushButton*>("Command_r")->accessibleName(), QStringLiteral("R"));
    EXPECT_EQ(w->size(), QSize(473, 368));
}

TEST_F(qt_form_test, TabOrderFollowsTheDesignAndSkipsLabelAndHiddenBox) {
    auto form = forms.create_form(app::calc_design());
    auto* client = static_cast<platform::qt::qt_form&>(*form).client();
    QWidget* w = client->findChild<QWidget*>("Text_re");
    QStringList order;
    for (int i = 0; i < 17; ++i) {
        order << w->objectName();
        w = w->nextInFocusChain();
        while (w && w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
    }
    EXPECT_EQ(order.mid(0, 6), (QStringList{"Text_re", "Text_calc", "Text_temp1", "Command_addkuohao",
                                            "Command_addkuohaopi", "Picture_show"}));
    EXPECT_EQ(order.at(6), "Command_lifang");
}

TEST_F(qt_form_test, ClosingTheMainWindowWithHelpOpenKeepsTheProgramRunning) {
    app::calc window({forms, windows, [] { return std::unique_ptr<platform::file_system>(); }});
    ASSERT_TRUE(window.load());
    window.show();
    window.Picture_show.on_dbl_click();
    ASSERT_NE(window.help_window(), nullptr);
    bool quit = false;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { quit = true; });
    window.window().close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.window().visible());
    EXPECT_TRUE(window.help_window()->window().visible());
    EXPECT_FALSE(quit);
}

}  // namespace
