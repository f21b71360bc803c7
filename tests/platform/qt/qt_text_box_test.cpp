#include "platform/qt/qt_text_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "edit/bracket_commands.h"
#include "edit/button_commands.h"
#include "platform/qt/qt_widget_style.h"
#include "platform/text.h"

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

// A button's edit is an undo step of its own, whatever is typed before or after it; typed
// characters in a row stay one step, as Qt groups them. Each "+x" is a button appending x,
// "()" the bracket button, any other text typed key by key.
TEST_F(qt_text_box_test, EachButtonIsAnUndoStepOfItsOwn) {
    struct row {
        std::vector<std::u16string> done;
        std::vector<std::u16string> after_each_undo;
    };
    const row rows[] = {
        {{u"12", u"++", u"1"}, {u"12+", u"12", u""}},
        {{u"12", u"+*", u"+Sin("}, {u"12*", u"12", u""}},
        {{u"+1", u"2", u"()", u"3"}, {u"12()", u"12", u"1", u""}},
    };
    for (const row& r : rows) {
        box.set_text(u"");
        for (const std::u16string& d : r.done) {
            if (d == u"()") {
                edit::bracket_command(box);
                box.set_sel_start(box.text_length());
            } else if (d.size() > 1 && d[0] == u'+') {
                edit::append_command(box, std::u16string_view(d).substr(1));
            } else {
                for (const char16_t ch : d) key(Qt::Key_unknown, Qt::NoModifier, QString(QChar(ch)));
            }
        }
        for (const std::u16string& expected : r.after_each_undo) {
            key(Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(box.text(), expected) << platform::to_utf8(r.done.back());
        }
    }
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

// A held key's repeats that queue up behind a slow edit (a long paragraph is laid out
// whole on every edit) go in together, as one change and one layout, with the effect of
// each repeat; a key that is not a repeat goes in after them.
TEST_F(qt_text_box_test, QueuedRepeatsOfAHeldKeyAreOneChange) {
    const auto repeat = [&](int k, const QString& text) {
        QCoreApplication::postEvent(box.widget(), new QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier, text, true));
    };
    // The keys, then what they leave for the next turn of the event loop.
    const auto deliver = [] {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    };
    const struct {
        int key;
        QString text;
        std::u16string before;
        int caret, selected, repeats;
        std::u16string after;
        int caret_after;
    } cases[] = {
        {Qt::Key_1, "1", u"", 0, 0, 3, u"111", 3},               // typed
        {Qt::Key_Backspace, {}, u"12345", 5, 0, 3, u"12", 2},    // at the end
        {Qt::Key_Backspace, {}, u"12345", 1, 2, 2, u"45", 0},    // the selection first
        {Qt::Key_Backspace, {}, u"x😀😀", 5, 0, 2, u"x", 1},       // a surrogate pair is one character
        {Qt::Key_Delete, {}, u"12345", 1, 0, 2, u"145", 1},      // in the middle
        {Qt::Key_Delete, {}, u"12345", 1, 2, 2, u"15", 1},       // the selection first
        {Qt::Key_Delete, {}, u"a😀b😀c", 1, 0, 2, u"a😀c", 1},      // characters of different lengths
        {Qt::Key_Return, "\r", u"1", 1, 0, 2, u"1\r\n\r\n", 5},  // a line break each
    };
    int layouts = 0;
    QObject::connect(box.widget()->document(), &QTextDocument::contentsChange, [&] { ++layouts; });
    for (const auto& c : cases) {
        const std::string name = platform::to_utf8(c.before) + " " + std::to_string(c.key);
        box.set_text(c.before);
        box.set_sel_start(c.caret);
        box.set_sel_length(c.selected);
        changes = layouts = 0;
        for (int i = 0; i < c.repeats; ++i) repeat(c.key, c.text);
        deliver();
        EXPECT_EQ(box.text(), c.after) << name;
        EXPECT_EQ(box.sel_start(), c.caret_after) << name;
        EXPECT_EQ(changes, 1) << name;
        EXPECT_EQ(layouts, 1) << name;
    }
    box.set_text(u"");
    repeat(Qt::Key_1, "1");
    repeat(Qt::Key_1, "1");
    QCoreApplication::postEvent(box.widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, "+"));
    deliver();
    EXPECT_EQ(box.text(), u"11+");
}

}  // namespace

// A box with a limit refuses, whole, every insertion that would take it beyond: typing,
// Enter (a line break counts two), a paste, an input method's text, a command's text.
TEST(qt_text_box_limit, EditsBeyondTheLimitAreRefusedWholeAndReported) {
    QWidget parent;
    platform::control_design d;
    d.name = "Text_calc";
    d.max_length = 6;
    qt_text_box box(d, &parent);
    int refused = 0;
    box.on_too_long = [&] { ++refused; };
    parent.show();
    box.set_focus();
    const auto send = [&](QEvent& e) { QApplication::sendEvent(box.widget(), &e); };
    const auto type = [&](int k, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        send(press);
    };
    const struct {
        std::function<void()> edit;
        std::u16string before, after;  // the caret at the end, nothing selected
    } cases[] = {
        {[&] { type(Qt::Key_1, "1"); }, u"12345", u"123451"},
        {[&] { type(Qt::Key_1, "1"); }, u"123456", u"123456"},
        {[&] { type(Qt::Key_Return, "\r"); }, u"1234", u"1234\r\n"},
        {[&] { type(Qt::Key_Return, "\r"); }, u"12345", u"12345"},
        {[&] {
             QApplication::clipboard()->setText("7\n8");
             box.widget()->paste();
         },
         u"12", u"127\r\n8"},
        {[&] {
             QApplication::clipboard()->setText("7\n8");
             box.widget()->paste();
         },
         u"123", u"123"},
        {[&] {
             QInputMethodEvent e;
             e.setCommitString("中文");
             send(e);
         },
         u"1234", u"1234中文"},
        {[&] {
             QInputMethodEvent e;
             e.setCommitString("中文");
             send(e);
         },
         u"12345", u"12345"},
        {[&] { box.replace_text(u"1234567"); }, u"1", u"1"},
    };
    for (const auto& c : cases) {
        box.set_text(c.before);
        box.set_sel_start(static_cast<int>(c.before.size()));
        refused = 0;
        c.edit();
        EXPECT_EQ(box.text(), c.after) << platform::to_utf8(c.before);
        EXPECT_EQ(refused, c.after == c.before ? 1 : 0) << platform::to_utf8(c.before);
    }
    box.set_text(u"123456");
    box.set_sel_start(4);
    box.set_sel_length(2);
    type(Qt::Key_9, "9");
    EXPECT_EQ(box.text(), u"12349") << "what replaces a selection may fill the room it leaves";

    box.set_text(u"1234");
    box.set_sel_start(4);
    refused = 0;
    for (int i = 0; i < 5; ++i)
        QCoreApplication::postEvent(box.widget(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_9, Qt::NoModifier, "9", true));
    // The keys, then what they leave for the next turn of the event loop.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(box.text(), u"123499") << "a held key's repeats fill the room there is";
    EXPECT_EQ(refused, 1);
}

// The box keeps its own copy of the text, following each change of the document: after
// any mix of edits it reads exactly as the document does, and a snapshot keeps the text
// of its moment.
TEST_F(qt_text_box_test, TheTextFollowsEveryKindOfEditAndASnapshotKeepsItsMoment) {
    const auto document_text = [&] {
        std::u16string raw = platform::qt::from_qstring(box.widget()->document()->toRawText());
        for (char16_t& c : raw) {
            if (c == u'\u2029') c = u'\n';
        }
        return platform::to_crlf(raw);
    };
    std::mt19937 random(11);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(std::max(n, 1))); };
    for (int step = 0; step < 400; ++step) {
        const int length = static_cast<int>(box.text().size());
        box.set_sel_start(pick(length + 1));
        switch (pick(9)) {
        case 0: key(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")); break;
        case 1: key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")); break;
        case 2: key(Qt::Key_Backspace); break;
        case 3: key(Qt::Key_Z, Qt::ControlModifier); break;
        case 4: key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); break;
        case 5:
            box.set_sel_length(pick(8));
            box.set_sel_text(u"(x\r\ny)");
            break;
        case 6: box.replace_text(box.text().substr(0, static_cast<std::size_t>(pick(length + 1))) + u"+1\r\n"); break;
        case 7:
            QApplication::clipboard()->setText("p\nq\r\n");
            box.widget()->paste();
            break;
        default: box.set_text(step % 50 == 8 ? u"" : u"1\r\n2\r\n3"); break;
        }
        ASSERT_EQ(box.text(), document_text()) << "after step " << step;
    }
    const auto before = box.text_snapshot();
    const std::u16string then = box.text();
    key(Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    EXPECT_EQ(before(), then);
    EXPECT_NE(box.text(), then);
}

namespace {

QString document_of(const qt_text_box& box) {
    return box.widget()->document()->toRawText().replace(QChar(0x2029), '\n');
}

}  // namespace

// A restored text is the box's text at once and reaches the document from its end, slice
// by slice; what the user does meanwhile lands where it would in the whole text, and
// nothing of the restore can be undone.
TEST_F(qt_text_box_test, ARestoredTextIsWholeAtOnceAndShownFromItsEnd) {
    std::u16string restored;
    for (int i = 0; i < 40; ++i) restored += u"\r\n▲" + std::u16string(10, u"0123456789"[i % 10]) + u"=😀";
    box.set_text(u"ab");
    box.restore_text(restored);
    EXPECT_EQ(changes, 1) << "only the set_text raised a change";
    EXPECT_EQ(box.text(), restored + u"ab");
    EXPECT_EQ(box.text_length(), static_cast<int>(restored.size()) + 2);
    EXPECT_EQ(document_of(box), QStringLiteral("ab"));
    EXPECT_TRUE(box.show_restored(7));
    const QString shown = document_of(box);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("ab")));
    EXPECT_EQ(platform::qt::from_qstring(shown),
              platform::to_lf(box.text())
                  .substr(platform::to_lf(box.text()).size() - static_cast<std::size_t>(shown.size())));
    EXPECT_FALSE(shown.front().isLowSurrogate()) << "a surrogate pair stays whole";
    EXPECT_TRUE(box.show_restored(20));
    EXPECT_TRUE(document_of(box).startsWith(QStringLiteral("▲"))) << "a slice starts a line where it can";

    // The record command's way: the caret to the end, the entry inserted there.
    box.set_sel_start(box.text_length());
    EXPECT_EQ(box.sel_start(), box.text_length());
    box.set_sel_text(u"\r\n▲1+1=2");
    EXPECT_EQ(box.text(), restored + u"ab\r\n▲1+1=2");
    const auto snapshot = box.text_snapshot();
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    EXPECT_EQ(box.text(), restored + u"ab\r\n▲1+1=2x");
    EXPECT_EQ(snapshot(), restored + u"ab\r\n▲1+1=2");

    while (box.show_restored(50)) {}
    EXPECT_EQ(platform::qt::from_qstring(document_of(box)), platform::to_lf(restored + u"ab\r\n▲1+1=2x"));
    EXPECT_EQ(box.sel_start(), 0);
    EXPECT_FALSE(box.widget()->document()->isUndoAvailable()) << "the restore is no undo step";
    key(Qt::Key_Y, Qt::NoModifier, QStringLiteral("y"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), restored + u"ab\r\n▲1+1=2x") << "undo takes back the typing after the restore only";
}

TEST_F(qt_text_box_test, ASetTextEndsARestoreStillBeingShown) {
    box.restore_text(u"1\r\n2\r\n3");
    EXPECT_TRUE(box.show_restored(1));
    box.set_text(u"new");
    EXPECT_EQ(box.text(), u"new");
    EXPECT_FALSE(box.show_restored(1));
    EXPECT_EQ(document_of(box), QStringLiteral("new"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), u"new");
}
