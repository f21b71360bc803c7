#include "platform/qt/qt_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "app/calc.h"
#include "app/calc_design.h"
#include "app/form1.h"
#include "fakes/error_number.h"
#include "platform/qt/qt_caption_bar.h"
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

// A control is found under its design's name as the kind the design gave it; any other
// name or kind is run-time error 730, as the forms runtime reports a missing control.
TEST_F(qt_form_test, ControlsAreFoundByNameAndKindOnly) {
    auto form = forms.create_form(app::calc_design());
    EXPECT_EQ(form->get(app::calc_controls::Label_tip).name(), "Label_tip");
    EXPECT_EQ(form->get(app::calc_controls::tmrMove).interval(), 1);
    const std::function<void()> wrong[] = {
        [&] { form->button_named("Text_calc"); },
        [&] { form->label_named("Command_r"); },
        [&] { form->text_box_named("Text_cal"); },
        [&] { form->timer_named("Text_calc"); },
    };
    for (const auto& look_up : wrong) EXPECT_EQ(fakes::error_number(look_up), platform::err_control_not_found);
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
    window.window().picture_box_named("Picture_show").on_dbl_click();
    ASSERT_NE(window.help_window(), nullptr);
    bool quit = false;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { quit = true; });
    window.window().close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.window().visible());
    EXPECT_TRUE(window.help_window()->window().visible());
    EXPECT_FALSE(quit);
}

// The help window: a narrow caption bar of its own with a close button only (no window
// manager buttons, no icon), a client area of 338 x 462 pixels, and no resizing.
TEST_F(qt_form_test, HelpWindowHasItsOwnCaptionBarAFixedSizeAndNoIcon) {
    app::Form1 help(forms);
    auto& form = static_cast<platform::qt::qt_form&>(help.window());
    QWidget* outer = form.widget();
    EXPECT_TRUE(outer->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(outer->windowFlags() & Qt::Tool);
    EXPECT_FALSE(outer->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.client()->size(), QSize(338, 462));
    EXPECT_EQ(outer->minimumSize(), outer->maximumSize());
    EXPECT_EQ(outer->height(), 462 + platform::qt::caption_bar::height() + 2 * platform::qt::form_widget::border());
    EXPECT_TRUE(outer->windowIcon().isNull());
    EXPECT_EQ(form.caption(), u"help");
    EXPECT_TRUE(outer->findChild<QPlainTextEdit*>("Text_tip")->isReadOnly())
        << "the fixed text can be copied, not edited";
}

}  // namespace
