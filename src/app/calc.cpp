#include "app/calc.h"

#include <cmath>

#include "app/calc_design.h"
#include "edit/bracket_commands.h"
#include "edit/button_commands.h"
#include "eval/live_evaluation.h"
#include "eval/script_eval.h"
#include "instance/single_instance.h"
#include "store/data_folder.h"
#include "store/history_log.h"
#include "store/inisettings.h"
#include "window/topmost_keeper.h"

namespace app {

namespace {

std::unique_ptr<platform::form> initialize(platform::forms_runtime& forms) {
    forms.init_common_controls();
    return forms.create_form(calc_design());
}

void connect_edit_buttons(calc& c, platform::form& f) {
    for (const edit::append_button& b : edit::append_buttons()) {
        f.button_named(b.name).on_click = [&c, text = b.text] { edit::append_command(c.Text_calc, text); };
    }
    c.Command_e.on_click = [&c] { edit::clear_command(c.Text_calc, c.Text_re); };
    c.Command_r.on_click = [&c] { edit::record_command(c.Text_calc, c.Text_re, c.Text_temp1); };
    c.Command_addkuohao.on_click = [&c] { edit::bracket_command(c.Text_calc); };
    c.Command_addkuohaopi.on_click = [&c] { edit::append_inside_command(c.Text_calc, u"<>"); };
    c.Command_lifang.on_click = [&c] { edit::append_inside_command(c.Text_calc, u"^()"); };
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
      tmrMove(form_->timer_named("tmrMove")),
      docking({*form_, services_.forms, services_.windows, tmrCheck, tmrMove}) {
    connect_handlers();
    // The window serves its topic for as long as it exists; a second copy cannot.
    if (services_.link) {
        services_.link->serve(services_.forms.exe_name(), instance::link_topic,
                              [this](const std::u16string& command, int& cancel) { Form_LinkExecute(command, cancel); });
    }
}

calc::~calc() {
    if (services_.link) services_.link->withdraw();
}

void calc::connect_handlers() {
    form_->on_unload = [this] { unload(); };
    // The service belongs to the window: once it is gone, a second start finds nobody.
    form_->on_closed = [this] {
        if (services_.link) services_.link->withdraw();
    };
    form_->on_resize = [this] { resize(); };
    form_->on_mouse_down = [this](platform::mouse_button b) { mouse_down(b); };
    Picture_show.on_dbl_click = [this] { Picture_show_DblClick(); };
    Text_calc.on_change = [this] { Text_calc_Change(); };
    Timer_save.on_tick = [this] { recordall(); };
    Timer_alltop.on_tick = [this] { Timer_alltop_Timer(); };
    tmrCheck.on_tick = [this] { docking.tmrCheck_Timer(); };
    tmrMove.on_tick = [this] { docking.tmrMove_Timer(); };
    connect_edit_buttons(*this, *form_);
}

bool calc::load() {
    if (another_copy_runs()) return false;
    autosize_form.record_layout(*form_);
    data_folder_ = services_.settings_files
                       ? store::choose_data_folder(*services_.settings_files, services_.forms.app_path(),
                                                   services_.user_data_folder)
                       : services_.forms.app_path();
    saved_result = read_setting(u"textre", u"");
    saved_formula = read_setting(u"textcalc", u"");
    deg_factor = std::atan(1.0) * 4 / 180;
    Text_calc.set_text(saved_formula);
    Text_re.set_text(saved_result);
    // The restore alone uses this file system; every save makes its own.
    if (const auto fso = services_.make_file_system()) restore_history(*fso);
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
    autosize_form.apply_layout(*form_);
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

void calc::setmeinkuh() {
    edit::setmeinkuh(Text_calc);
}

void calc::Text_calc_Change() {
    eval::Text_calc_Change(Text_calc, Text_re, Label_tip, deg_factor, services_.make_script_control);
}

double calc::Eval(std::u16string Expressions) {
    return eval::Eval(std::move(Expressions), services_.make_script_control, Label_tip);
}

bool calc::another_copy_runs() {
    if (!services_.link || !services_.link->previous_instance()) return false;
    services_.link->withdraw();
    send_dde_command(instance::showme_command);
    return true;
}

void calc::send_dde_command(const std::u16string& command) {
    if (!picDDE_link_) picDDE_link_ = std::make_unique<instance::client_link>(*services_.link);
    instance::send_dde_command(*picDDE_link_, command);
}

void calc::Form_LinkExecute(const std::u16string& command, int& cancel) {
    instance::link_execute(*form_, Text_calc, command, cancel);
}

std::u16string calc::read_setting(const std::u16string& key, const std::u16string& fallback) {
    if (!services_.settings_files) return u"";
    return store::read_setting(*services_.settings_files, {data_folder_, services_.forms.exe_name()}, key,
                               fallback);
}

bool calc::write_setting(const std::u16string& key, const std::u16string& value) {
    if (!services_.settings_files) return false;
    return store::write_setting(*services_.settings_files, {data_folder_, services_.forms.exe_name()}, key,
                                value);
}

std::string calc::history_path() const {
    return data_folder_ + "/" + store::history_file_name;
}

void calc::restore_history(platform::file_system& fso) {
    auto read = store::read_history(fso, history_path());
    if (read.result == store::history_read::outcome::unreadable) {
        history_unreadable_ = true;
        Label_tip.set_caption(store::history_unreadable_tip());
    } else if (read.result == store::history_read::outcome::restored) {
        history_text = std::move(read.text);
        Text_temp1.set_text(history_text);
    }
}

// A failed save keeps the program and the box as they are; the tip says why and the
// next tick tries again.
void calc::recordall() {
    if (history_unreadable_) {
        Label_tip.set_caption(store::history_unreadable_tip());
        return;
    }
    auto files = services_.make_file_system();
    std::error_code error = std::make_error_code(std::errc::io_error);
    if (files && store::write_history(*files, history_path(), Text_temp1.text(), &error)) {
        if (!save_failed_tip_.empty() && Label_tip.caption() == save_failed_tip_) Label_tip.set_caption(u"");
        save_failed_tip_.clear();
        return;
    }
    save_failed_tip_ = store::history_save_failed_tip(error);
    Label_tip.set_caption(save_failed_tip_);
}

void calc::install_message_hook() {
    c_Subclass = std::make_unique<window::iSubClass>(services_.windows);
    c_Subclass->GetWindowMessage = [this](platform::lresult& Result, platform::window_handle cHwnd,
                                          platform::message_id Message, platform::wparam wParam,
                                          platform::lparam lParam) {
        docking.GetWindowMessage(*c_Subclass, Result, cHwnd, Message, wParam, lParam);
    };
    c_Subclass->SetMsgHook(form_->handle());
}

void calc::Timer_alltop_Timer() { window::keep_topmost(services_.windows, form_->handle()); }

}  // namespace app
