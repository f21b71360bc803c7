#include "edit/button_commands.h"

namespace edit {

namespace {

constexpr char16_t history_marker = u'\u25B2';

}  // namespace

void append_command(platform::text_box& formula, std::u16string_view s) {
    std::u16string t = formula.text();
    t += s;
    formula.replace_text(t);
    formula.set_sel_start(static_cast<int>(t.size()));
    formula.set_focus();
}

void clear_command(platform::text_box& formula, platform::text_box& result) {
    formula.replace_text(u"");
    result.set_text(u"");
}

std::u16string history_entry(std::u16string_view formula, std::u16string_view result) {
    std::u16string e = u"\r\n";
    e += history_marker;
    e += formula;
    e += u'=';
    e += result;
    return e;
}

void record_command(platform::text_box& formula, platform::text_box& result, platform::text_box& history) {
    const std::u16string f = formula.text();
    const std::u16string r = result.text();
    if (!f.empty() && !r.empty()) {
        history.set_sel_start(history.text_length());
        history.set_sel_text(history_entry(f, r));
        formula.replace_text(u"");
    }
    formula.set_focus();
}

}  // namespace edit
