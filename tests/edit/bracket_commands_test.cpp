#include "edit/bracket_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "edit_fixture.h"

namespace {

using edit_tests::edit_fixture;
using BracketButton = edit_fixture;
using InsideButtons = edit_fixture;
using Setmeinkuh = edit_fixture;

struct bracket_case {
    std::u16string text;
    int caret, selected;
    std::u16string want;
    int want_caret;
};

TEST_F(BracketButton, WrapsTheSelectionOrAppendsAPairWithTheCaretPlaced) {
    const bracket_case cases[] = {
        {u"", 0, 0, u"()", 1},
        {u"2*", 0, 0, u"2*()", 3},
        {u"2*", 1, 0, u"2*()", 3},
        {u"2*", 2, 0, u"2*()", 3},
        // the selection reaches the end: the caret goes inside, before the new ")"
        {u"1+2+3", 2, 3, u"1+(2+3)", 6},
        // elsewhere: the caret stays after the new ")"
        {u"1+2+3", 0, 3, u"(1+2)+3", 5},
        {u"1+2+3", 1, 2, u"1(+2)+3", 5},
        {u"1+2", 0, 3, u"(1+2)", 4},
        {u"1+\r\n2", 1, 4, u"1(+\r\n2)", 6},
        {u"a\r\nb\r\nc", 0, 4, u"(a\r\nb)\r\nc", 6},
    };
    for (const auto& c : cases) {
        given(c.text, c.caret, c.selected);
        edit::bracket_command(formula);
        expect_edited(c.want, c.want_caret);
    }
}

TEST_F(BracketButton, TypingAfterwardsFillsTheBrackets) {
    given(u"sin", 1);
    edit::bracket_command(formula);
    formula.type(u"0.5");
    EXPECT_EQ(formula.text(), u"sin(0.5)");
}

TEST_F(InsideButtons, AppendAtTheEndWithTheCaretBeforeTheLastCharacter) {
    const edit_tests::append_case cases[] = {
        {u"sin", 3, 0, u"<>", u"sin<>"},   {u"2", 0, 0, u"^()", u"2^()"}, {u"1+2", 0, 2, u"<>", u"1+2<>"},
        {u"1+2", 0, 2, u"^()", u"1+2^()"}, {u"", 0, 0, u"<>", u"<>"},     {u"1\r\n", 3, 0, u"^()", u"1\r\n^()"},
    };
    for (const auto& c : cases) {
        given(c.text, c.caret, c.selected);
        edit::append_inside_command(formula, c.added);
        expect_edited(c.want, static_cast<int>(c.want.size()) - 1);
    }
}

TEST_F(InsideButtons, TypingAfterwardsFillsTheBrackets) {
    given(u"sin", 3);
    edit::append_inside_command(formula, u"<>");
    formula.type(u"30");
    EXPECT_EQ(formula.text(), u"sin<30>");
    given(u"2", 1);
    edit::append_inside_command(formula, u"^()");
    formula.type(u"3");
    EXPECT_EQ(formula.text(), u"2^(3)");
}

TEST_F(Setmeinkuh, MovesOnlyACaretAtTheStartOrTheEnd) {
    const struct { int caret, selected, want; } cases[] = {{0, 0, 4}, {5, 0, 4}, {1, 0, 1}, {4, 0, 4}, {2, 2, 2}};
    for (const auto& c : cases) {
        given(u"2*(3)", c.caret, c.selected);
        edit::setmeinkuh(formula);
        EXPECT_EQ(formula.sel_start(), c.want) << c.caret;
        EXPECT_EQ(formula.text(), u"2*(3)");
        EXPECT_EQ(evaluations, 0);
    }
}

TEST_F(Setmeinkuh, LeavesAnEmptyFormulaAlone) {
    given(u"", 0);
    edit::setmeinkuh(formula);
    EXPECT_EQ(formula.sel_start(), 0);
    EXPECT_EQ(formula.text(), u"");
}

}  // namespace
