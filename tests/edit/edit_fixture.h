// The main window's boxes on fakes, with a stand-in for the live evaluation: every change
// of the formula writes into the result box, as the real evaluation does.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/calc_design.h"
#include "fakes/fake_forms.h"
#include "platform/text.h"

namespace edit_tests {

// A formula as the user left it (text, caret, selection), what a button appends, and the
// formula expected afterwards.
struct append_case {
    std::u16string text;
    int caret, selected;
    std::u16string added, want;
};

struct edit_fixture : ::testing::Test {
    fakes::fake_forms_runtime forms;
    std::unique_ptr<platform::form> window = forms.create_form(app::calc_design());
    fakes::fake_form& form = static_cast<fakes::fake_form&>(*window);
    fakes::fake_text_box& formula = form.text("Text_calc");
    fakes::fake_text_box& result = form.text("Text_re");
    fakes::fake_text_box& history = form.text("Text_temp1");
    fakes::fake_button& some_button = form.button("Command_e");
    int evaluations = 0;

    edit_fixture() {
        formula.on_change = [this] {
            ++evaluations;
            result.set_text(formula.text().empty() ? u"0" : u"value of " + formula.text());
        };
    }

    // A formula as the user left it: its text, then caret and selection.
    void given(const std::u16string& text, int caret, int selected = 0) {
        formula.set_text(text);
        formula.set_sel_start(caret);
        formula.set_sel_length(selected);
        evaluations = 0;
        some_button.set_focus();
    }

    // What every editing button leaves: the text, a bare caret, one evaluation and the
    // focus in the formula box.
    void expect_edited(const std::u16string& want, int want_caret) {
        const std::string what = platform::to_utf8(want);
        EXPECT_EQ(formula.text(), want) << what;
        EXPECT_EQ(formula.sel_start(), want_caret) << what;
        EXPECT_EQ(formula.sel_length(), 0) << what;
        EXPECT_EQ(evaluations, 1) << what;
        EXPECT_TRUE(formula.has_focus()) << what;
    }
};

}  // namespace edit_tests
