#include "edit/button_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "edit_fixture.h"
#include "platform/text.h"

namespace {

using edit_tests::edit_fixture;
using AppendButton = edit_fixture;
using ClearButton = edit_fixture;
using RecordButton = edit_fixture;

TEST_F(AppendButton, AppendsAtTheEndWhateverTheCaretAndSelection) {
    const edit_tests::append_case cases[] = {
        {u"1+2", 1, 0, u"*", u"1+2*"},       {u"1+2", 1, 2, u"-", u"1+2-"},
        {u"1+2", 0, 3, u"/", u"1+2/"},       {u"", 0, 0, u"sin", u"sin"},
        {u"", 0, 0, u"(1/tan)", u"(1/tan)"}, {u"2+", 2, 0, u"+", u"2++"},
        {u"1\r\n", 1, 0, u"+", u"1\r\n+"},   {u"\u25B2x", 1, 1, u"cos", u"\u25B2xcos"},
    };
    for (const auto& c : cases) {
        given(c.text, c.caret, c.selected);
        edit::append_command(formula, c.added);
        expect_edited(c.want, static_cast<int>(c.want.size()));
    }
}

TEST_F(ClearButton, EmptiesBothBoxesAfterTheEvaluationWroteItsZero) {
    given(u"1+2\r\n3", 2, 3);
    ASSERT_EQ(result.text(), u"value of 1+2\r\n3");
    edit::clear_command(formula, result);
    EXPECT_EQ(formula.text(), u"");
    EXPECT_EQ(result.text(), u"");
    EXPECT_EQ(evaluations, 1);
    EXPECT_TRUE(some_button.has_focus()) << "the focus stays on the button";
}

TEST_F(ClearButton, EmptyFormulaStillEmptiesTheResult) {
    given(u"", 0);
    result.set_text(u"typed by hand");
    edit::clear_command(formula, result);
    EXPECT_EQ(formula.text(), u"");
    EXPECT_EQ(result.text(), u"");
}

TEST_F(RecordButton, TwoRecordsGiveTwoEntriesUnderAnEmptyFirstLine) {
    given(u"1+2", 3);
    result.set_text(u"3");
    edit::record_command(formula, result, history);
    EXPECT_EQ(history.text(), u"\r\n\u25B21+2=3");
    EXPECT_EQ(formula.text(), u"");
    EXPECT_EQ(result.text(), u"0") << "what the evaluation writes for the empty formula";
    EXPECT_TRUE(formula.has_focus());

    formula.set_text(u"2*3");
    result.set_text(u"6");
    edit::record_command(formula, result, history);
    EXPECT_EQ(platform::to_utf8(history.text()),
              "\r\n\xE2\x96\xB2"
              "1+2=3\r\n\xE2\x96\xB2"
              "2*3=6");
}

TEST_F(RecordButton, AppendsAtTheEndOfTheHistoryWhereverItsCaretWas) {
    history.set_text(u"old\r\nlines");
    history.set_sel_start(2);
    history.set_sel_length(5);
    given(u"1", 1);
    result.set_text(u"1");
    edit::record_command(formula, result, history);
    EXPECT_EQ(history.text(), u"old\r\nlines\r\n\u25B21=1");
}

TEST_F(RecordButton, RecordsHandEditsAndLineBreaksAsTheyStand) {
    struct {
        std::u16string formula, result, entry;
    } cases[] = {
        {u"1+", u"0", u"\r\n\u25B21+=0"},
        {u"1+2", u"abc", u"\r\n\u25B21+2=abc"},
        {u"1+\r\n2", u"3", u"\r\n\u25B21+\r\n2=3"},
        {u" ", u"\r\n", u"\r\n\u25B2 =\r\n"},
    };
    for (const auto& c : cases) {
        history.set_text(u"");
        given(c.formula, 0);
        result.set_text(c.result);
        edit::record_command(formula, result, history);
        EXPECT_EQ(history.text(), c.entry) << platform::to_utf8(c.entry);
        EXPECT_EQ(formula.text(), u"");
    }
}

TEST_F(RecordButton, EmptyFormulaOrResultChangesNoBoxButFocusesTheFormula) {
    struct {
        std::u16string formula, result;
    } cases[] = {{u"", u"5"}, {u"1+2", u""}, {u"", u""}};
    for (const auto& c : cases) {
        history.set_text(u"keep");
        given(c.formula, 0);
        result.set_text(c.result);
        const int history_changes = history.changes;
        edit::record_command(formula, result, history);
        EXPECT_EQ(history.text(), u"keep");
        EXPECT_EQ(history.changes, history_changes);
        EXPECT_EQ(formula.text(), c.formula);
        EXPECT_EQ(result.text(), c.result);
        EXPECT_EQ(evaluations, 0);
        EXPECT_TRUE(formula.has_focus());
    }
}

TEST(HistoryEntry, IsBreakMarkerFormulaEqualsResult) {
    EXPECT_EQ(edit::history_entry(u"sin<30>", u"0.5"), u"\r\n\u25B2sin<30>=0.5");
    EXPECT_EQ(edit::history_entry(u"a=b", u"="), u"\r\n\u25B2a=b==");
}

}  // namespace
