#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/form1.h"
#include "platform/file_system.h"
#include "platform/forms.h"
#include "platform/script_control.h"
#include "platform/window_system.h"

namespace app {

// The services the main window is built on; the real program passes the Qt ones, tests
// pass fakes.
struct calc_services {
    platform::forms_runtime& forms;
    platform::window_system& windows;
    std::function<std::unique_ptr<platform::file_system>()> make_file_system;
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

private:
    void connect_handlers();
    void unload();
    void resize();
    void mouse_down(platform::mouse_button button);
    void Picture_show_DblClick();
    void Text_calc_Change();

    // Steps that the subsystems fill in as they land.
    bool another_copy_runs();
    void record_layout();
    void apply_layout();
    std::u16string read_setting(const std::u16string& key, const std::u16string& fallback);
    bool write_setting(const std::u16string& key, const std::u16string& value);
    void restore_history();
    void recordall();
    void install_message_hook();

    std::unique_ptr<platform::file_system> fso_;
    std::unique_ptr<Form1> help_;
};

}  // namespace app
