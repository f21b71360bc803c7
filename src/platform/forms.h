// The forms runtime: windows built from a design table, their controls (text boxes,
// labels, buttons, picture boxes) and timers, the screen and the program's own folder
// and name. The logic above the platform talks only to these interfaces; the Qt layer
// (src/platform/qt/) implements them for the real program and tests/fakes/ for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace platform {

// Positions and sizes handed out by the runtime are in twips (1/1440 inch).
struct twips_rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const twips_rect&, const twips_rect&) = default;
};

struct rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const rgb&, const rgb&) = default;
};

struct font_spec {
    std::u16string face;
    int points = 9;
    int weight = 400;
};

enum class control_kind { text_box, label, button, picture_box };

struct control_design {
    std::string name;
    control_kind kind = control_kind::text_box;
    std::u16string caption;  // a button's or label's text
    twips_rect rect;
    int tab_index = 0;
    bool visible = true;
    std::optional<rgb> back_color;
    std::optional<rgb> fore_color;
    std::optional<font_spec> font;  // unset: the form's font
    // What assistive technology names the control and says it does.
    std::u16string accessible_name;
    std::u16string accessible_description;
    bool read_only = false;  // a text box whose text can be selected and copied, not edited
    int max_length = 0;      // a text box's most characters (CR LF counting two); 0: no limit
    // A label whose caption describes the control of that name: a screen reader reads the
    // new caption where the user is, in that control.
    std::string describes;
};

struct timer_design {
    std::string name;
    int interval_ms = 0;
    bool enabled = false;
};

enum class frame_style {
    sizable_tool,  // narrow caption bar, close button only, resizable border
    fixed_tool,    // narrow caption bar, close button only, fixed size
};

struct form_design {
    std::string name;
    std::u16string caption;
    frame_style frame = frame_style::fixed_tool;
    int client_width = 0;  // twips
    int client_height = 0;
    font_spec font;
    bool topmost = false;
    bool use_program_icon = false;
    std::vector<control_design> controls;
    std::vector<timer_design> timers;
};

class control {
public:
    virtual ~control() = default;
    virtual const std::string& name() const = 0;
    virtual twips_rect rect() const = 0;
    virtual void move(const twips_rect& r) = 0;
    virtual bool visible() const = 0;
    virtual void set_focus() = 0;
};

// A multi-line text box. The text holds line breaks as CR LF; positions count UTF-16
// code units from 0, a CR LF counting two. Every change of the text, by the user or by
// the program, raises on_change synchronously, exactly once, before the changing call
// returns; moving the caret or the selection raises nothing.
class text_box : public control {
public:
    static constexpr control_kind kind = control_kind::text_box;
    virtual std::u16string text() const = 0;
    // Replaces the whole text; the caret goes to 0. The box's undo history starts afresh.
    virtual void set_text(const std::u16string& t) = 0;
    // The same as one edit of the box's undo history, which the user can take back and
    // redo like any typing.
    virtual void replace_text(const std::u16string& t) = 0;
    virtual int sel_start() const = 0;
    // Places the caret, collapsing the selection.
    virtual void set_sel_start(int pos) = 0;
    virtual int sel_length() const = 0;
    // Extends the selection from sel_start.
    virtual void set_sel_length(int len) = 0;
    virtual std::u16string sel_text() const = 0;
    // Replaces the selection; the caret ends after the inserted text.
    virtual void set_sel_text(const std::u16string& t) = 0;
    // The text as it is now, to be read later and on any thread, whatever the box does
    // meanwhile. Taking it costs next to nothing, also for a text of many megabytes.
    using snapshot = std::function<std::u16string()>;
    virtual snapshot text_snapshot() const = 0;
    // The length of text(), without making the text.
    virtual int text_length() const = 0;
    // Puts `t` in front of the box's text as no undo step, the box's undo history starting
    // afresh; text(), text_length() and snapshots hold it at once. The box shows it only
    // as show_restored is called, from its end backwards, so that a text of many
    // megabytes holds the window up for one slice at a time. Raises no change
    // notification, now or while it is shown.
    virtual void restore_text(std::u16string t) = 0;
    // Shows about `units` more characters of what restore_text put in front; false once
    // all of it is shown (also when nothing is waiting). A set_text ends the showing.
    virtual bool show_restored(std::size_t units) = 0;

    std::function<void()> on_change;
    // An edit by the user, or a replace_text, that would make the text longer than the
    // design's max_length is refused whole: the text stays as it was and this runs.
    std::function<void()> on_too_long;
};

class label : public control {
public:
    static constexpr control_kind kind = control_kind::label;
    virtual std::u16string caption() const = 0;
    virtual void set_caption(const std::u16string& c) = 0;
};

class button : public control {
public:
    static constexpr control_kind kind = control_kind::button;
    virtual std::u16string caption() const = 0;
    std::function<void()> on_click;
};

class picture_box : public control {
public:
    static constexpr control_kind kind = control_kind::picture_box;
    // Shows the icon of the form that holds the box.
    virtual void show_form_icon() = 0;
    std::function<void()> on_dbl_click;
};

class timer {
public:
    virtual ~timer() = default;
    virtual const std::string& name() const = 0;
    virtual int interval() const = 0;
    virtual bool enabled() const = 0;
    virtual void set_enabled(bool on) = 0;
    std::function<void()> on_tick;
};

// A control or timer of a form's design by its name and its kind (text_box, label,
// button, picture_box or timer): the design table lays the control out from it and the
// form's code looks the control up by it, so its name is written once and the compiler
// checks the kind at both ends.
template <class Control>
struct control_id {
    const char* name;
};

enum class mouse_button { left, right, middle };

enum class window_state { normal = 0, minimized = 1, maximized = 2 };

// A window made from a form_design. Its Left/Top/Width/Height are the outer window in
// twips, caption and border included.
class form {
public:
    virtual ~form() = default;
    virtual const std::string& name() const = 0;
    virtual window_handle handle() const = 0;
    virtual std::u16string caption() const = 0;
    virtual twips_rect rect() const = 0;
    virtual void move(const twips_rect& r) = 0;
    virtual bool visible() const = 0;
    // Shows the window (not modal, no owner); a shown window is brought forward.
    virtual void show() = 0;
    virtual window_state state() const = 0;
    // Normal undoes a minimised or maximised state and keeps the window's rectangle.
    virtual void set_state(window_state s) = 0;
    // Closes the window as its close button does: on_unload runs, then on_closed.
    virtual void close() = 0;

    virtual text_box& text_box_named(const std::string& n) = 0;
    virtual label& label_named(const std::string& n) = 0;
    virtual button& button_named(const std::string& n) = 0;
    virtual picture_box& picture_box_named(const std::string& n) = 0;
    virtual timer& timer_named(const std::string& n) = 0;
    virtual std::vector<control*> controls() = 0;
    // The control or timer that the design laid out under id.
    text_box& get(control_id<text_box> id) { return text_box_named(id.name); }
    label& get(control_id<label> id) { return label_named(id.name); }
    button& get(control_id<button> id) { return button_named(id.name); }
    picture_box& get(control_id<picture_box> id) { return picture_box_named(id.name); }
    timer& get(control_id<timer> id) { return timer_named(id.name); }

    // Each time the size changes, and once when the window is first shown.
    std::function<void()> on_resize;
    // A press on the bare window surface, outside every control.
    std::function<void(mouse_button)> on_mouse_down;
    // The window is closing; it cannot be refused.
    std::function<void()> on_unload;
    // The window is gone; its controls must not be touched any more.
    std::function<void()> on_closed;
};

// The forms runtime, by role. Each part of the program takes the roles it needs; the
// runtime as a whole is all of them at once.

// Makes the windows.
class form_factory {
public:
    virtual ~form_factory() = default;
    // Initialises the common controls before the first window exists.
    virtual void init_common_controls() = 0;
    virtual std::unique_ptr<form> create_form(const form_design& design) = 0;
};

// The screen as the runtime measures it: the primary monitor, in twips.
class screen_metrics {
public:
    virtual ~screen_metrics() = default;
    virtual int twips_per_pixel_x() const = 0;
    virtual int twips_per_pixel_y() const = 0;
    // The screen's size in twips.
    virtual int screen_width() const = 0;
    virtual int screen_height() const = 0;
};

// Where the program is and what it is called.
class program_info {
public:
    virtual ~program_info() = default;
    // The folder of the executable, without a trailing separator.
    virtual std::string app_path() const = 0;
    // The executable's file name without its extension.
    virtual std::string exe_name() const = 0;
};

class steady_time {
public:
    virtual ~steady_time() = default;
    // Milliseconds on a clock that only goes forward, from an arbitrary start.
    virtual std::int64_t milliseconds() const = 0;
};

// Work beside the user-interface thread.
class background_work {
public:
    virtual ~background_work() = default;
    // Runs work on a thread of its own; done runs afterwards on the user-interface thread,
    // from its event loop. Work must not touch forms or controls.
    virtual void run_beside(std::function<void()> work, std::function<void()> done) = 0;
    // Waits until all work given to run_beside has ended, and runs what is left of their
    // done.
    virtual void finish_beside() = 0;
    // Runs step on the user-interface thread from its event loop, once the events that
    // wait now have been handled: the way to do a long job in slices without holding up
    // the user's typing.
    virtual void run_soon(std::function<void()> step) = 0;
};

class retry_question {
public:
    virtual ~retry_question() = default;
    // Asks the user, in a message box, whether to try a failed action again: `message`
    // says what failed and why, `give_up` names the other choice. Retry is the default.
    // True for retry; false for the other choice, or when there is nobody to ask.
    virtual bool ask_retry(const std::u16string& message, const std::u16string& give_up) = 0;
};

class forms_runtime : public form_factory,
                      public screen_metrics,
                      public program_info,
                      public steady_time,
                      public background_work,
                      public retry_question {};

}  // namespace platform
