#include "app/form1.h"

#include "app/calc_design.h"

namespace app {

Form1::Form1(platform::form_factory& forms) : form_(forms.create_form(form1_design())) { load(); }

void Form1::load() { Text_tip.set_text(help_text()); }

}  // namespace app
