// The help window Form1, opened by calc.
#pragma once

#include <memory>
#include <string>

#include "app/calc_design.h"
#include "platform/forms.h"

namespace app {

// The fixed help text: 28 lines joined by CR LF.
std::u16string help_text();

// The help window. Every new window is loaded with the unedited help text; the user's
// edits last only until it is closed.
class Form1 {
public:
    explicit Form1(platform::form_factory& forms);
    platform::form& window() { return *form_; }

private:
    void load();

    std::unique_ptr<platform::form> form_;
    platform::text_box& Text_tip = form_->get(form1_controls::Text_tip);  // the help text
};

}  // namespace app
