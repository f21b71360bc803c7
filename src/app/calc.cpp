#include "app/calc.h"

#include <string_view>
#include <utility>

#include "app/calc_design.h"
#include "edit/bracket_commands.h"
#include "edit/button_commands.h"
#include "eval/live_evaluation.h"
#include "eval/script_eval.h"
#include "instance/single_instance.h"
#include "platform/text.h"
#include "store/data_folder.h"
#include "store/history_log.h"
#include "window/desktop.h"
#include "window/topmost_keeper.h"

namespace app {

namespace {

static_assert(max_formula_length == 1'048'576, "the two tips name the limit");
constexpr const char16_t* formula_too_long_tip = u"温馨提示:公式最多 1048576 个字符，这次输入没有被接受";
constexpr const char16_t* saved_formula_too_long_tip = u"温馨提示:保存的公式超过 1048576 个字符，没有恢复";
constexpr const char16_t* result_too_long_tip = u"温馨提示:结果最多 1048576 个字符，这次输入没有被接受";
// Longer saved formulas go into the box after the window is shown.
constexpr std::size_t formula_restored_after_show = 65536;

std::unique_ptr<platform::form> initialize(platform::form_factory& forms) {
    forms.init_common_controls();
    return forms.create_form(calc_design());
}

}  // namespace

calc::calc(calc_services services)
    : services_(std::move(services)),
      form_(initialize(services_.forms)),
      tips_(Label_tip),
      history_(services_.make_file_system, services_.forms, Text_temp1,
               [this](const std::u16string& warning) { tips_.storage(warning); }),
      docking_({*form_, services_.forms, services_.windows, tmrCheck, tmrMove}),
      message_handling_(*form_, services_.forms, services_.windows, docking_) {
    connect_handlers();
    // The window serves its topic for as long as it exists; a second copy cannot.
    if (services_.link) {
        services_.link->serve(
            services_.forms.exe_name(), instance::link_topic,
            [this](const std::u16string& command, int& cancel) { Form_LinkExecute(command, cancel); });
    }
}

calc::~calc() {
    if (services_.link) services_.link->withdraw();
}

void calc::connect_handlers() {
    form_->on_unload = [this] { unload(); };
    // The running copy is its main window: once that is gone (the help window may keep
    // the program running), a new start opens a window of its own on the same files.
    form_->on_closed = [this] {
        if (services_.link) services_.link->resign();
        if (services_.settings_files) store::release_data_folder(*services_.settings_files, settings_.folder);
    };
    form_->on_resize = [this] { resize(); };
    form_->on_mouse_down = [this](platform::mouse_button b) { mouse_down(b); };
    Picture_show.on_dbl_click = [this] { Picture_show_DblClick(); };
    Text_calc.on_change = [this] {
        formula_kept_in_file_ = false;
        Text_calc_Change();
    };
    Text_calc.on_too_long = [this] { tips_.limits(formula_too_long_tip); };
    Text_re.on_too_long = [this] { tips_.limits(result_too_long_tip); };
    Timer_save.on_tick = [this] { recordall(); };
    Timer_alltop.on_tick = [this] { Timer_alltop_Timer(); };
    tmrCheck.on_tick = [this] { docking_.tmrCheck_Timer(); };
    tmrMove.on_tick = [this] { docking_.tmrMove_Timer(); };
    connect_buttons();
}

void calc::connect_buttons() {
    // "cot" has no function of its own in the engine, so its button writes the
    // reciprocal of the tangent; the argument goes right after "tan".
    const std::pair<platform::button*, std::u16string_view> appends[] = {
        {&Command_sin, u"sin"}, {&Command_cos, u"cos"}, {&Command_tan, u"tan"}, {&Command_cot, u"(1/tan)"},
        {&Command_jia, u"+"},   {&Command_jian, u"-"},  {&Command_cheng, u"*"}, {&Command_chu, u"/"},
    };
    for (const auto& [button, text] : appends) {
        button->on_click = [this, text = text] { edit::append_command(Text_calc, text); };
    }
    Command_e.on_click = [this] { edit::clear_command(Text_calc, Text_re); };
    Command_r.on_click = [this] { edit::record_command(Text_calc, Text_re, Text_temp1); };
    Command_addkuohao.on_click = [this] { edit::bracket_command(Text_calc); };
    Command_addkuohaopi.on_click = [this] { edit::append_inside_command(Text_calc, u"<>"); };
    Command_lifang.on_click = [this] { edit::append_inside_command(Text_calc, u"^()"); };
}

bool calc::load() {
    if (another_copy_runs()) return false;
    autosize_form_.record_layout(*form_);
    const store::data_folder_choice where =
        services_.settings_files ? store::choose_data_folder(*services_.settings_files, services_.forms.app_path(),
                                                             services_.user_data_folder, services_.installed_copy)
                                 : store::data_folder_choice{services_.forms.app_path(), ""};
    const std::string& data_folder = where.folder;
    settings_ = {data_folder, services_.forms.exe_name()};
    if (services_.settings_files && !store::claim_data_folder(*services_.settings_files, data_folder,
                                                              {store::history_file_name, settings_.file_name()}))
        platform::raise(platform::err_data_folder_in_use, platform::to_u16(data_folder));
    start_tip_ = store::data_folder_tip(where);
    if (services_.settings_files && !data_folder.empty() &&
        store::settings_too_large(*services_.settings_files, settings_))
        start_tip_ = store::settings_too_large_tip();
    const std::u16string saved_result = read_setting(u"textre", u"");
    const std::u16string saved_formula = read_setting(u"textcalc", u"");
    deg_factor = eval::degree_factor();
    // A formula longer than the box holds is left in the file, untouched until the user
    // writes a new one, and the box starts empty.
    const bool restorable = saved_formula.size() <= static_cast<std::size_t>(max_formula_length);
    saved_boxes_ = {restorable ? saved_formula : u"", saved_result};
    // A long formula is evaluated and laid out once the window is shown, so that the
    // window does not wait for it.
    if (saved_boxes_->formula.size() > formula_restored_after_show) {
        services_.forms.run_soon([this, alive = std::weak_ptr<int>(alive_)] {
            if (alive.expired()) return;
            restore_saved_boxes();
            // The formula's evaluation has spoken over it.
            if (!start_tip_.empty()) tips_.start(start_tip_);
        });
    } else {
        restore_saved_boxes();
    }
    if (!restorable) {
        formula_kept_in_file_ = true;
        tips_.limits(saved_formula_too_long_tip);
    }
    if (!start_tip_.empty()) tips_.start(start_tip_);
    history_.restore(data_folder);
    // The top-left corner of the primary monitor.
    const window::desktop desktop(services_.forms, services_.windows);
    const platform::pixel_point corner = desktop.corner_px(desktop.primary());
    services_.windows.set_window_pos(form_->handle(), platform::hwnd_topmost, corner.x, corner.y, 0, 0,
                                     platform::swp_nosize | platform::swp_framechanged);
    install_message_hook();
    Picture_show.show_form_icon();
    return true;
}

void calc::show() { form_->show(); }

// The formula box and the result box get what the settings file kept, the formula first
// so that its evaluation does not overwrite the saved result.
void calc::restore_saved_boxes() {
    if (!saved_boxes_) return;
    const saved_boxes saved = std::move(*saved_boxes_);
    saved_boxes_.reset();
    Text_calc.set_text(saved.formula);
    Text_re.set_text(saved.result);
}

// The settings first, so that a history that cannot be saved loses nothing else.
void calc::unload() {
    // A window closed before its saved formula went in keeps what the file held.
    const saved_boxes now = saved_boxes_ ? std::move(*saved_boxes_) : saved_boxes{Text_calc.text(), Text_re.text()};
    saved_boxes_.reset();
    write_setting(u"textre", now.result);
    if (!formula_kept_in_file_) write_setting(u"textcalc", now.formula);
    history_.save_at_exit([this](const std::u16string& why, const std::u16string& give_up) {
        return services_.forms.ask_retry(why, give_up);
    });
}

void calc::resize() { autosize_form_.apply_layout(*form_); }

void calc::mouse_down(platform::mouse_button) { Text_calc.set_focus(); }

void calc::Picture_show_DblClick() {
    if (!help_) {
        help_ = std::make_unique<Form1>(services_.forms);
        help_->window().on_closed = [this] { help_.reset(); };
    }
    help_->window().show();
}

void calc::setmeinkuh() { edit::setmeinkuh(Text_calc); }

void calc::Text_calc_Change() {
    eval::Text_calc_Change(Text_calc, Text_re, formula_tip(), deg_factor, services_.make_script_control);
}

double calc::Eval(std::u16string Expressions) {
    return eval::Eval(std::move(Expressions), services_.make_script_control, formula_tip());
}

eval::tip_report calc::formula_tip() {
    return [this](const std::u16string& tip) { tips_.formula(tip); };
}

void calc::recordall() { history_.save_beside(); }

void calc::Timer_alltop_Timer() { window::keep_topmost(services_.windows, form_->handle()); }

bool calc::another_copy_runs() {
    if (!services_.link || !services_.link->previous_instance()) return false;
    services_.link->withdraw();
    send_dde_command(instance::showme_command);
    return true;
}

void calc::send_dde_command(const std::u16string& command) {
    if (!picDDE_link_) picDDE_link_ = std::make_unique<instance::client_link>(*services_.link);
    instance::send_dde_command(*picDDE_link_, command, services_.forms.exe_name());
}

void calc::Form_LinkExecute(const std::u16string& command, int& cancel) {
    const window::desktop desktop(services_.forms, services_.windows);
    instance::link_execute(*form_, Text_calc, desktop.primary().rect, command, cancel, services_.forms.milliseconds(),
                           last_showme_ms_);
}

std::u16string calc::read_setting(const std::u16string& key, const std::u16string& fallback) {
    if (!services_.settings_files || settings_.folder.empty()) return fallback;
    return store::read_setting(*services_.settings_files, settings_, key, fallback);
}

bool calc::write_setting(const std::u16string& key, const std::u16string& value) {
    if (!services_.settings_files || settings_.folder.empty()) return false;
    return store::write_setting(*services_.settings_files, settings_, key, value);
}

void calc::install_message_hook() {
    c_Subclass = std::make_unique<window::iSubClass>(services_.windows);
    c_Subclass->GetWindowMessage = [this](platform::lresult& Result, platform::window_handle cHwnd,
                                          const platform::window_message& Message) {
        message_handling_.GetWindowMessage(*c_Subclass, Result, cHwnd, Message);
    };
    c_Subclass->SetMsgHook(form_->handle());
}

}  // namespace app
