// The main window calc, made by main.cpp and by the tests on fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/calc_design.h"
#include "app/form1.h"
#include "app/tip_line.h"
#include "eval/script_eval.h"
#include "eval/vbscript_control.h"
#include "instance/client_link.h"
#include "platform/file_system.h"
#include "platform/forms.h"
#include "platform/link_service.h"
#include "platform/window_system.h"
#include "store/history_keeper.h"
#include "store/inisettings.h"
#include "window/autosize_form.h"
#include "window/docking.h"
#include "window/isubclass.h"
#include "window/message_handling.h"

namespace app {

// The services the main window is built on; the real program passes the Qt ones, tests
// pass fakes.
struct calc_services {
    platform::forms_runtime& forms;
    platform::window_system& windows;
    platform::file_system_factory make_file_system;
    // The files behind the settings and the start-up choice of the data folder; null
    // keeps no settings.
    platform::file_system* settings_files = nullptr;
    // Where the settings and history go when the program folder cannot be written, and
    // always for an installed copy ($XDG_DATA_HOME/tallix); empty: nowhere else.
    std::string user_data_folder = {};
    // The link to other running copies; without one, the window neither serves nor
    // looks for another copy.
    platform::link_service* link = nullptr;
    // A fresh expression evaluator for each evaluation.
    platform::script_control_factory make_script_control = eval::make_script_control;
    // An installed copy keeps its files in the user data folder only, never beside the
    // program (store/data_folder.h).
    bool installed_copy = false;
};

// The main window: it owns its controls, members and the subsystems' objects, and wires
// its events to them. Handlers stay short and call into eval, edit, store, window and
// instance.
class calc {
public:
    // Initialize: the common controls first, then the window and its controls, invisible.
    explicit calc(calc_services services);
    ~calc();
    calc(const calc&) = delete;
    calc& operator=(const calc&) = delete;

    // The start-up steps. Returns false when the program must end at once because
    // another copy runs; the window is then never shown.
    bool load();
    // Shows the window after a successful load; the first Resize follows.
    void show();

    platform::form& window() { return *form_; }
    // The open help window, or null.
    Form1* help_window() { return help_.get(); }
    // The degree-to-radian factor the formula is evaluated with, once loaded.
    double degree_factor() const { return deg_factor; }

    // Puts the formula's caret inside the brackets that a bracket button just added.
    void setmeinkuh();
    // The value of an expression through a fresh script control; a failure shows its
    // tip in the tip line and gives 0.
    double Eval(std::u16string Expressions);

private:
    void connect_handlers();
    void connect_buttons();
    void unload();
    void resize();
    void mouse_down(platform::mouse_button button);
    void Picture_show_DblClick();
    void Text_calc_Change();
    // The formula box and the result box get what the settings file kept, once.
    void restore_saved_boxes();
    // The formula's slot of the tip line, for the evaluation to report to.
    eval::tip_report formula_tip();
    void recordall();
    void Timer_alltop_Timer();
    void Form_LinkExecute(const std::u16string& command, int& cancel);
    bool another_copy_runs();
    void send_dde_command(const std::u16string& command);
    // As store::read_setting; a program that keeps no settings answers with the fallback.
    std::u16string read_setting(const std::u16string& key, const std::u16string& fallback);
    bool write_setting(const std::u16string& key, const std::u16string& value);
    void install_message_hook();

    calc_services services_;
    std::unique_ptr<platform::form> form_;

    // The controls and timers, each found by its entry in calc_controls.
    // The result box; the formula box, evaluated on every change; the history box, kept
    // in the history file.
    platform::text_box& Text_re = form_->get(calc_controls::Text_re);
    platform::text_box& Text_calc = form_->get(calc_controls::Text_calc);
    platform::text_box& Text_temp1 = form_->get(calc_controls::Text_temp1);
    // The tip line: why a formula or a file failed; tips_ writes it.
    platform::label& Label_tip = form_->get(calc_controls::Label_tip);
    // "()": brackets around the selection; "<>": a degree bracket; "^()": a power.
    platform::button& Command_addkuohao = form_->get(calc_controls::Command_addkuohao);
    platform::button& Command_addkuohaopi = form_->get(calc_controls::Command_addkuohaopi);
    platform::button& Command_lifang = form_->get(calc_controls::Command_lifang);
    platform::button& Command_sin = form_->get(calc_controls::Command_sin);
    platform::button& Command_cos = form_->get(calc_controls::Command_cos);
    platform::button& Command_tan = form_->get(calc_controls::Command_tan);
    platform::button& Command_cot = form_->get(calc_controls::Command_cot);
    // "C": clears formula and result; "R": records them in the history.
    platform::button& Command_e = form_->get(calc_controls::Command_e);
    platform::button& Command_r = form_->get(calc_controls::Command_r);
    // "+", "-", "*", "/".
    platform::button& Command_jia = form_->get(calc_controls::Command_jia);
    platform::button& Command_jian = form_->get(calc_controls::Command_jian);
    platform::button& Command_cheng = form_->get(calc_controls::Command_cheng);
    platform::button& Command_chu = form_->get(calc_controls::Command_chu);
    // The icon, a double-click opens the help; hidden, the client end of the link to a
    // running copy.
    platform::picture_box& Picture_show = form_->get(calc_controls::Picture_show);
    platform::picture_box& picDDE = form_->get(calc_controls::picDDE);
    // Re-asserts the topmost placement every second; saves the history every minute;
    // docked, watches the pointer; docked, one slide step.
    platform::timer& Timer_alltop = form_->get(calc_controls::Timer_alltop);
    platform::timer& Timer_save = form_->get(calc_controls::Timer_save);
    platform::timer& tmrCheck = form_->get(calc_controls::tmrCheck);
    platform::timer& tmrMove = form_->get(calc_controls::tmrMove);

    double deg_factor = 0;
    tip_line tips_;
    // What start-up has to say of the data folder or the settings file, "" when nothing.
    std::u16string start_tip_;
    // The settings file keeps a formula too long to restore until the formula changes.
    bool formula_kept_in_file_ = false;
    struct saved_boxes {
        std::u16string formula, result;
    };
    // What the settings file kept for the formula box and the result box, until they get it.
    std::optional<saved_boxes> saved_boxes_;
    // Steps queued for after the window is shown do nothing once it has gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    // The settings file, known once the data folder is chosen at start-up.
    store::settings_file settings_;
    store::history_keeper history_;
    // The recorded layout that every Resize scales from.
    window::autosize_form autosize_form_;
    window::docking docking_;
    window::message_handling message_handling_;
    // The hook on the window's messages, from load step 10 on.
    std::unique_ptr<window::iSubClass> c_Subclass;
    std::unique_ptr<Form1> help_;
    std::unique_ptr<instance::client_link> picDDE_link_;
    // When a showme last acted.
    std::optional<std::int64_t> last_showme_ms_;
};

}  // namespace app
