#include "edit/bracket_commands.h"

#include <string>

#include "edit/button_commands.h"

namespace edit {

void setmeinkuh(platform::text_box& formula) {
    const int length = static_cast<int>(formula.text().size());
    // An empty formula has no last character to stand before.
    if (length == 0) return;
    const int caret = formula.sel_start();
    if (caret == length || caret == 0) formula.set_sel_start(length - 1);
}

void bracket_command(platform::text_box& formula) {
    const std::u16string selected = formula.sel_text();
    if (selected.empty()) {
        formula.replace_text(formula.text() + u"()");
    } else {
        formula.set_sel_text(u"(" + selected + u")");
    }
    setmeinkuh(formula);
    formula.set_focus();
}

// The append buttons' command, with the caret then moved back inside.
void append_inside_command(platform::text_box& formula, std::u16string_view s) {
    append_command(formula, s);
    setmeinkuh(formula);
}

}  // namespace edit
