#include "app/tip_line.h"

namespace app {

void tip_line::formula(const std::u16string& tip) { show(slot::formula, tip); }

void tip_line::limits(const std::u16string& tip) { show(slot::limits, tip); }

void tip_line::start(const std::u16string& tip) { show(slot::start, tip); }

void tip_line::storage(const std::u16string& warning) {
    if (!warning.empty()) return show(slot::storage, warning);
    if (shown_ == slot::storage) show(slot::none, u"");
}

void tip_line::show(slot from, const std::u16string& text) {
    Label_tip.set_caption(text);
    shown_ = from;
}

}  // namespace app
