#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/form1.h"
#include "instance/client_link.h"
#include "platform/file_system.h"
#include "platform/forms.h"
#include "platform/link_service.h"
#include "platform/script_control.h"
#include "platform/window_system.h"
#include "window/autosize_form.h"
#include "window/docking.h"
#include "window/isubclass.h"

namespace app {

// The services the main window is built on; the real program passes the Qt ones, tests
// pass fakes.
struct calc_services {
    platform::forms_runtime& forms;
    platform::window_system& windows;
    std::function<std::unique_ptr<platform::file_system>()> make_file_system;
    // The files behind the settings and the start-up choice of the data folder; null
    // keeps no settings.
    platform::file_system* settings_files = nullptr;
    // Where the settings and history go when the program folder cannot be written
    // ($XDG_DATA_HOME/tallix); empty: nowhere else.
    std::string user_data_folder = {};
    // The link to other running copies; without one, the window neither serves nor
    // looks for another copy.
    platform::link_service* link = nullptr;
    // A fresh expression evaluator for each evaluation.
    platform::script_control_factory make_script_control = platform::make_script_control;
};

// The main window: its controls, members and handlers. Handlers stay short and call into
// the subsystems (eval, edit, store, window, instance).
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
    // Puts the formula's caret inside the brackets that a bracket button just added.
    void setmeinkuh();
    // The open help window, or null.
    Form1* help_window() { return help_.get(); }

    // The value of an expression through a fresh script control; a failure shows its
    // tip in Label_tip and gives 0.
    double Eval(std::u16string Expressions);

    double deg_factor = 0;
    std::u16string saved_result;
    std::u16string saved_formula;
    std::u16string history_text;

private:
    calc_services services_;
    std::unique_ptr<platform::form> form_;

public:
    platform::text_box& Text_re;
    platform::text_box& Text_calc;
    platform::text_box& Text_temp1;
    platform::label& Label_tip;
    platform::button& Command_addkuohao;
    platform::button& Command_addkuohaopi;
    platform::button& Command_lifang;
    platform::button& Command_sin;
    platform::button& Command_cos;
    platform::button& Command_tan;
    platform::button& Command_cot;
    platform::button& Command_e;
    platform::button& Command_r;
    platform::button& Command_jia;
    platform::button& Command_jian;
    platform::button& Command_cheng;
    platform::button& Command_chu;
    platform::picture_box& Picture_show;
    platform::picture_box& picDDE;
    platform::timer& Timer_alltop;
    platform::timer& Timer_save;
    platform::timer& tmrCheck;
    platform::timer& tmrMove;

    // The hook on the window's messages, from load step 10 on.
    std::unique_ptr<window::iSubClass> c_Subclass;
    // Docking state (cursor_inside, dock_side, slide_step, caption_drag, stretched,
    // saved_height) and the handlers of the hooked messages and the slide timers.
    window::docking docking;
    // The recorded layout that every Resize scales from.
    window::autosize_form autosize_form;

private:
    void connect_handlers();
    void unload();
    void resize();
    void mouse_down(platform::mouse_button button);
    void Picture_show_DblClick();
    void Text_calc_Change();
    void Form_LinkExecute(const std::u16string& command, int& cancel);
    void send_dde_command(const std::u16string& command);

    bool another_copy_runs();
    std::u16string read_setting(const std::u16string& key, const std::u16string& fallback);
    bool write_setting(const std::u16string& key, const std::u16string& value);
    void restore_history(platform::file_system& fso);
    void recordall();
    void install_message_hook();
    std::string history_path() const;
    void Timer_alltop_Timer();

    // The folder of the settings and history files, chosen once at start-up.
    std::string data_folder_;
    // A history file that could not be read is never overwritten in this run.
    bool history_unreadable_ = false;
    // The tip last shown for a failed save, taken away again by a good one.
    std::u16string save_failed_tip_;
    std::unique_ptr<Form1> help_;
    std::unique_ptr<instance::client_link> picDDE_link_;
};

}  // namespace app
