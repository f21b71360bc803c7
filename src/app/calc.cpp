#include "app/calc.h"

#include <cmath>

#include "app/calc_design.h"
#include "eval/live_evaluation.h"
#include "eval/script_eval.h"

namespace app {

namespace {

std::unique_ptr<platform::form> initialize(platform::forms_runtime& forms) {
    forms.init_common_controls();
    return forms.create_form(calc_design());
}

}  // namespace

calc::calc(calc_services services)
    : services_(std::move(services)),
      form_(initialize(services_.forms)),
      Text_re(form_->text_box_named("Text_re")),
      Text_calc(form_->text_box_named("Text_calc")),
      Text_temp1(form_->text_box_named("Text_temp1")),
      Label_tip(form_->label_named("Label_tip")),
      Command_addkuohao(form_->button_named("Command_addkuohao")),
      Command_addkuohaopi(form_->button_named("Command_addkuohaopi")),
      Command_lifang(form_->button_named("Command_lifang")),
      Command_sin(form_->button_named("Command_sin")),
      Command_cos(form_->button_named("Command_cos")),
      Command_tan(form_->button_named("Command_tan")),
      Command_cot(form_->button_named("Command_cot")),
      Command_e(form_->button_named("Command_e")),
      Command_r(form_->button_named("Command_r")),
      Command_jia(form_->button_named("Command_jia")),
      Command_jian(form_->button_named("Command_jian")),
      Command_cheng(form_->button_named("Command_cheng")),
      Command_chu(form_->button_named("Command_chu")),
      Picture_show(form_->picture_box_named("Picture_show")),
      picDDE(form_->picture_box_named("picDDE")),
      Timer_alltop(form_->timer_named("Timer_alltop")),
      Timer_save(form_->timer_named("Timer_save")),
      tmrCheck(form_->timer_named("tmrCheck")),
      tmrMove(form_->timer_named("tmrMove")) {
    connect_handlers();
}

calc::~calc() = default;

void calc::connect_handlers() {
    form_->on_unload = [this] { unload(); };
    form_->on_resize = [this] { resize(); };
    form_->on_mouse_down = [this](platform::mouse_button b) { mouse_down(b); };
    Picture_show.on_dbl_click = [this] { Picture_show_DblClick(); };
    Text_calc.on_change = [this] { Text_calc_Change(); };
}

bool calc::load() {
    if (another_copy_runs()) return false;
    record_layout();
    saved_result = read_setting(u"textre", u"");
    saved_formula = read_setting(u"textcalc", u"");
    deg_factor = std::atan(1.0) * 4 / 180;
    Text_calc.set_text(saved_formula);
    Text_re.set_text(saved_result);
    fso_ = services_.make_file_system();
    restore_history();
    services_.windows.set_window_pos(form_->handle(), platform::hwnd_topmost, 0, 0, 0, 0,
                                     platform::swp_nosize | platform::swp_framechanged);
    install_message_hook();
    Picture_show.show_form_icon();
    return true;
}

void calc::show() {
    form_->show();
}

void calc::unload() {
    write_setting(u"textre", Text_re.text());
    write_setting(u"textcalc", Text_calc.text());
    recordall();
}

void calc::resize() {
    apply_layout();
}

void calc::mouse_down(platform::mouse_button) {
    Text_calc.set_focus();
}

void calc::Picture_show_DblClick() {
    if (!help_) {
        help_ = std::make_unique<Form1>(services_.forms);
        help_->window().on_closed = [this] { help_.reset(); };
    }
    help_->window().show();
}

void calc::Text_calc_Change() {
    eval::Text_calc_Change(Text_calc, Text_re, Label_tip, deg_factor, services_.make_script_control);
}

double calc::Eval(std::u16string Expressions) {
    return eval::Eval(std::move(Expressions), services_.make_script_control, Label_tip);
}

bool calc::another_copy_runs() {
    return false;
}

void calc::record_layout() {}

void calc::apply_layout() {}

std::u16string calc::read_setting(const std::u16string&, const std::u16string& fallback) {
    return fallback;
}

bool calc::write_setting(const std::u16string&, const std::u16string&) {
    return false;
}

void calc::restore_history() {}

void calc::recordall() {}

void calc::install_message_hook() {}

}  // namespace app
