// The keyboard on the real main window, offscreen: keys go to the focused widget as the
// window system would deliver them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include "app/calc.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_forms_runtime.h"
#include "platform/qt/qt_window_system.h"

namespace {

struct Keyboard : ::testing::Test {
    platform::qt::qt_forms_runtime forms;
    platform::qt::qt_window_system windows{forms};
    app::calc window{{forms, windows, [] { return std::unique_ptr<platform::file_system>(); }}};
    int evaluations = 0;

    void SetUp() override {
        ASSERT_TRUE(window.load());
        auto evaluate = box("Text_calc").on_change;
        box("Text_calc").on_change = [this, evaluate] {
            ++evaluations;
            if (evaluate) evaluate();
        };
        window.show();
        QWidget* top = static_cast<platform::qt::qt_form&>(window.window()).widget();
        QApplication::setActiveWindow(top);
        QCoreApplication::processEvents();
        box("Text_calc").set_focus();
        ASSERT_EQ(focused_name(), "Text_calc");
    }

    platform::text_box& box(const char* name) { return window.window().text_box_named(name); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QString focused_name() const { return focused() ? focused()->objectName() : QString(); }

    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
        QWidget* to = focused();
        ASSERT_NE(to, nullptr);
        QKeyEvent press(QEvent::KeyPress, k, m, text);
        QApplication::sendEvent(to, &press);
        QKeyEvent release(QEvent::KeyRelease, k, m, text);
        QApplication::sendEvent(focused() ? focused() : to, &release);
    }
    void type(const QString& s) {
        for (QChar c : s) key(c.unicode(), Qt::NoModifier, QString(c));
    }
    void enter() { key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")); }
    void focus_button(const char* name) {
        window.window().button_named(name).set_focus();
        ASSERT_EQ(focused_name(), name);
    }
};

TEST_F(Keyboard, EnterInTheFormulaInsertsALineBreakThatIsEvaluated) {
    type(QStringLiteral("1+2"));
    enter();
    EXPECT_EQ(box("Text_calc").text(), u"1+2\r\n");
    EXPECT_EQ(box("Text_calc").sel_start(), 5);
    EXPECT_EQ(evaluations, 4);
}

TEST_F(Keyboard, EscapeChangesNothingAnywhere) {
    box("Text_calc").set_text(u"1+2");
    box("Text_calc").set_sel_start(1);
    box("Text_calc").set_sel_length(2);
    box("Text_re").set_text(u"3");
    window.window().label_named("Label_tip").set_caption(u"tip");
    evaluations = 0;
    for (const char* where : {"Text_calc", "Text_re", "Text_temp1", "Command_e"}) {
        if (QString(where).startsWith("Text")) {
            window.window().text_box_named(where).set_focus();
        } else {
            focus_button(where);
        }
        key(Qt::Key_Escape);
        EXPECT_EQ(focused_name(), where);
    }
    EXPECT_EQ(box("Text_calc").text(), u"1+2");
    EXPECT_EQ(box("Text_calc").sel_start(), 1);
    EXPECT_EQ(box("Text_calc").sel_length(), 2);
    EXPECT_EQ(box("Text_re").text(), u"3");
    EXPECT_EQ(window.window().label_named("Label_tip").caption(), u"tip");
    EXPECT_TRUE(window.window().visible());
    EXPECT_EQ(evaluations, 0);
}

TEST_F(Keyboard, TabAndShiftTabFollowTheTabOrderWithoutInsertingATab) {
    box("Text_re").set_focus();
    key(Qt::Key_Tab);
    EXPECT_EQ(focused_name(), "Text_calc");
    key(Qt::Key_Tab);
    EXPECT_EQ(focused_name(), "Text_temp1");
    key(Qt::Key_Tab);
    EXPECT_EQ(focused_name(), "Command_addkuohao");
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focused_name(), "Text_temp1");
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focused_name(), "Text_re");
    EXPECT_EQ(box("Text_re").text(), u"");
    EXPECT_EQ(box("Text_calc").text(), u"");
    EXPECT_EQ(box("Text_temp1").text(), u"");
    EXPECT_EQ(evaluations, 0);
}

TEST_F(Keyboard, SpaceAndEnterClickTheFocusedClearButton) {
    for (bool space : {true, false}) {
        box("Text_calc").set_text(u"1+2");
        box("Text_re").set_text(u"3");
        focus_button("Command_e");
        if (space) {
            key(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        } else {
            enter();
        }
        EXPECT_EQ(box("Text_calc").text(), u"") << space;
        EXPECT_EQ(box("Text_re").text(), u"") << space;
        EXPECT_EQ(focused_name(), "Command_e") << "the focus stays on C";
    }
    type(QStringLiteral("7"));
    EXPECT_EQ(box("Text_calc").text(), u"") << "typing does not reach the formula";
}

TEST_F(Keyboard, EnterOnABracketButtonLetsTypingFillTheBrackets) {
    type(QStringLiteral("2"));
    focus_button("Command_lifang");
    enter();
    EXPECT_EQ(focused_name(), "Text_calc");
    type(QStringLiteral("3"));
    EXPECT_EQ(box("Text_calc").text(), u"2^(3)");
}

TEST_F(Keyboard, APasteIsOneChange) {
    QApplication::clipboard()->setText(QStringLiteral("1+\n2"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box("Text_calc").text(), u"1+\r\n2");
    EXPECT_EQ(evaluations, 1);
}

TEST_F(Keyboard, ResultAndHistoryBoxesTakeTypingWithoutEvaluating) {
    box("Text_calc").set_text(u"1");
    box("Text_re").set_text(u"");
    evaluations = 0;
    box("Text_re").set_focus();
    type(QStringLiteral("abc"));
    enter();
    box("Text_temp1").set_focus();
    type(QStringLiteral("x"));
    EXPECT_EQ(box("Text_re").text(), u"abc\r\n");
    EXPECT_EQ(box("Text_temp1").text(), u"x");
    EXPECT_EQ(box("Text_calc").text(), u"1");
    EXPECT_EQ(evaluations, 0);
}

TEST_F(Keyboard, NoButtonIsADefaultButton) {
    for (platform::control* c : window.window().controls()) {
        auto* b = static_cast<platform::qt::qt_form&>(window.window())
                      .client()
                      ->findChild<QPushButton*>(QString::fromStdString(c->name()));
        if (!b) continue;
        EXPECT_FALSE(b->isDefault()) << c->name();
        EXPECT_FALSE(b->autoDefault()) << c->name();
        EXPECT_TRUE(b->shortcut().isEmpty()) << c->name();
    }
}

}  // namespace

// Each command's change of the formula is one step of the box's undo history: Ctrl+Z
// gives the formula back as the user left it and evaluates it again; Ctrl+Shift+Z and
// Ctrl+Y redo the command.
TEST_F(Keyboard, UndoTakesBackEveryButtonAndRedoDoesItAgain) {
    const struct {
        const char* button;
        QString typed;  // into an empty formula, the caret left at its end
        std::u16string before, after;
        int caret;  // after the command
    } cases[] = {
        {"Command_jia", "1+2", u"1+2", u"1+2+", 4},  {"Command_cot", "2*", u"2*", u"2*(1/tan)", 9},
        {"Command_addkuohao", "7", u"7", u"7()", 2}, {"Command_addkuohaopi", "sin", u"sin", u"sin<>", 4},
        {"Command_lifang", "2", u"2", u"2^()", 3},   {"Command_e", "1+\n2", u"1+\r\n2", u"", 0},
        {"Command_r", "4*5", u"4*5", u"", 0},
    };
    for (const auto& c : cases) {
        box("Text_calc").set_text(u"");
        box("Text_calc").set_focus();
        for (QChar ch : c.typed) ch == '\n' ? enter() : key(ch.unicode(), Qt::NoModifier, QString(ch));
        window.window().button_named(c.button).on_click();
        EXPECT_EQ(box("Text_calc").text(), c.after) << c.button;
        EXPECT_EQ(box("Text_calc").sel_start(), c.caret) << c.button;
        box("Text_calc").set_focus();
        evaluations = 0;
        key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box("Text_calc").text(), c.before) << c.button;
        EXPECT_EQ(box("Text_calc").sel_start(), static_cast<int>(c.before.size())) << c.button;
        EXPECT_EQ(evaluations, 1) << c.button;
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(box("Text_calc").text(), c.after) << c.button;
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(box("Text_calc").text(), c.after) << c.button;
        EXPECT_EQ(evaluations, 4) << c.button;
    }
}

TEST_F(Keyboard, TheRecordIsOneUndoStepOfTheHistoryAndARestoredTextNone) {
    box("Text_calc").set_text(u"1+2");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box("Text_calc").text(), u"1+2") << "a text set by the program is no step to undo";
    window.window().button_named("Command_r").on_click();
    ASSERT_EQ(box("Text_temp1").text(), u"\r\n\u25B21+2=3");
    box("Text_temp1").set_focus();
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box("Text_temp1").text(), u"");
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box("Text_temp1").text(), u"\r\n\u25B21+2=3");
}

// The icon and the close button are used from the keyboard like the buttons.
TEST_F(Keyboard, SpaceOnTheIconOpensTheHelpAndEnterOnTheCloseButtonClosesTheWindow) {
    window.window().picture_box_named("Picture_show").set_focus();
    key(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    ASSERT_NE(window.help_window(), nullptr);
    auto* close = static_cast<platform::qt::qt_form&>(window.window()).widget()->findChild<QWidget*>("close_button");
    ASSERT_NE(close, nullptr);
    close->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(focused_name(), "close_button");
    enter();
    EXPECT_FALSE(window.window().visible());
}
