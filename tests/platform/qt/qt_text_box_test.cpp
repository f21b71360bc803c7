#include "platform/qt/qt_text_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>

namespace {

using platform::qt::qt_text_box;

struct qt_text_box_test : ::testing::Test {
    QWidget parent;
    platform::control_design design = [] {
        platform::control_design d;
        d.name = "Text_calc";
        d.rect = {0, 870, 6615, 1815};
        return d;
    }();
    qt_text_box box{design, &parent};
    int changes = 0;
    void SetUp() override {
        box.on_change = [this] { ++changes; };
        parent.show();
        box.set_focus();
    }
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, k, m, text);
        QApplication::sendEvent(box.widget(), &press);
        QKeyEvent release(QEvent::KeyRelease, k, m, text);
        QApplication::sendEvent(box.widget(), &release);
    }
};

TEST_F(qt_text_box_test, ProgramTextComesBackWithCrLfAndOneNotification) {
    box.set_text(u"1+2\r\n3\n4");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.text(), u"1+2\r\n3\r\n4");
    EXPECT_EQ(box.widget()->toPlainText(), QStringLiteral("1+2\n3\n4"));
    EXPECT_EQ(box.sel_start(), 0);
    box.set_text(u"1+2\r\n3\r\n4");
    EXPECT_EQ(changes, 1) << "the same text is no change";
}

TEST_F(qt_text_box_test, PositionsCountCrLfAsTwo) {
    box.set_text(u"ab\r\ncd");
    box.set_sel_start(4);
    EXPECT_EQ(box.widget()->textCursor().position(), 3);
    box.set_sel_length(2);
    EXPECT_EQ(box.sel_text(), u"cd");
    box.set_sel_start(1);
    box.set_sel_length(4);
    EXPECT_EQ(box.sel_text(), u"b\r\nc");
    EXPECT_EQ(box.sel_length(), 4);
    EXPECT_EQ(changes, 1) << "caret and selection moves raise nothing";
}

TEST_F(qt_text_box_test, SelectionReplacementLeavesCaretAfterInsertedText) {
    box.set_text(u"a\r\nb");
    box.set_sel_start(3);
    box.set_sel_text(u"(x\r\ny)");
    EXPECT_EQ(box.text(), u"a\r\n(x\r\ny)b");
    EXPECT_EQ(box.sel_start(), 9);
    EXPECT_EQ(changes, 2);
}

TEST_F(qt_text_box_test, TypingEnterGivesCrLfAndOneChangePerKey) {
    for (QChar c : QStringLiteral("1+2")) key(c.unicode(), Qt::NoModifier, QString(c));
    key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(box.text(), u"1+2\r\n");
    EXPECT_EQ(box.sel_start(), 5);
    EXPECT_EQ(changes, 4);
}

TEST_F(qt_text_box_test, PasteAndUndoAreOneChangeEach) {
    box.set_text(u"x");
    box.set_sel_start(1);
    changes = 0;
    QApplication::clipboard()->setText(QStringLiteral("1\r\n2\n3"));
    box.widget()->paste();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.text(), u"x1\r\n2\r\n3");
    box.widget()->undo();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(box.text(), u"x");
}

TEST_F(qt_text_box_test, KeepsCharactersThatAPlainExportWouldChange) {
    box.set_text(u"1\u00A02");
    EXPECT_EQ(box.text(), u"1\u00A02");
}

TEST_F(qt_text_box_test, LongTextsConvertWithoutLoss) {
    std::u16string big;
    for (int i = 0; i < 20000; ++i) big += u"12.5+\r\n";
    box.set_text(big);
    EXPECT_EQ(box.text(), big);
    box.set_sel_start(static_cast<int>(big.size()));
    EXPECT_EQ(box.sel_start(), static_cast<int>(big.size()));
}

TEST_F(qt_text_box_test, KeystrokesInALongLineKeepItsLayoutAndLoseNothing) {
    std::u16string line;
    for (int i = 0; i < 20000; ++i) line += u"12345.67+";
    line += u"1";
    box.set_text(line);
    const int end = static_cast<int>(line.size());
    box.set_sel_start(end);
    key(Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    EXPECT_EQ(box.text(), line + u"2");
    EXPECT_EQ(box.sel_start(), end + 1);
    EXPECT_TRUE(box.widget()->document()->firstBlock().layout()->cacheEnabled())
        << "a long line reshaped on every caret move makes typing crawl";
    key(Qt::Key_Backspace);
    EXPECT_EQ(box.text(), line);
    EXPECT_EQ(changes, 3);
    box.set_sel_start(4);
    box.set_sel_length(5);
    EXPECT_EQ(box.sel_text(), u"5.67+");
}

}  // namespace
