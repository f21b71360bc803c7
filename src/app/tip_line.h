// The tip line under the formula box (Label_tip) and the one place that writes it. Four
// parts of the program have something to say there, each in a slot of its own, and the
// line shows whatever was said last:
// - formula: the evaluation's tip, "" when the formula evaluates. The evaluation speaks
//   on every change of the formula, so a keystroke takes away any older tip;
// - limits: why the formula box or the result box refused an edit or left the saved
//   formula out;
// - start: where start-up put the files instead, or which of them it left unread;
// - storage: why the history could not be read or saved, and "" once it saved again.
//   That "" takes the warning away only while the line still shows it: a tip that has
//   replaced the warning meanwhile stays.
#pragma once

#include <string>

#include "platform/forms.h"

namespace app {

class tip_line {
public:
    explicit tip_line(platform::label& label) : Label_tip(label) {}

    void formula(const std::u16string& tip);
    void limits(const std::u16string& tip);
    void start(const std::u16string& tip);
    void storage(const std::u16string& warning);

private:
    enum class slot { none, formula, limits, start, storage };
    void show(slot from, const std::u16string& text);

    platform::label& Label_tip;
    // Whose word the line shows.
    slot shown_ = slot::none;
};

}  // namespace app
