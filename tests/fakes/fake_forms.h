// Fake forms runtime: controls that keep their state in memory, follow the text box
// model exactly and write what the program does to them into one shared log, and timers
// that tick only when the test steps them.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"

namespace fakes {

using event_log = std::vector<std::string>;

class fake_form;

class fake_control_base {
public:
    fake_control_base(const platform::control_design& d, fake_form& owner);
    const platform::control_design& design() const { return design_; }

protected:
    void log(const std::string& what) const;
    platform::control_design design_;
    fake_form& owner_;
    platform::twips_rect rect_;
};

template <class Interface>
class fake_control : public Interface, public fake_control_base {
public:
    fake_control(const platform::control_design& d, fake_form& owner) : fake_control_base(d, owner) {}
    const std::string& name() const override { return design_.name; }
    platform::twips_rect rect() const override { return rect_; }
    void move(const platform::twips_rect& r) override { rect_ = r; }
    bool visible() const override { return design_.visible; }
    void set_focus() override;
    // Whether the control has the focus of its form.
    bool has_focus() const;
};

class fake_text_box : public fake_control<platform::text_box> {
public:
    using fake_control::fake_control;
    std::u16string text() const override { return text_; }
    void set_text(const std::u16string& t) override;
    // As set_text: the fake keeps no undo history.
    void replace_text(const std::u16string& t) override { set_text(t); }
    int sel_start() const override { return start_; }
    void set_sel_start(int pos) override;
    int sel_length() const override { return length_; }
    void set_sel_length(int len) override;
    std::u16string sel_text() const override;
    void set_sel_text(const std::u16string& t) override;
    snapshot text_snapshot() const override {
        return [t = text_] { return t; };
    }
    int text_length() const override { return static_cast<int>(text_.size()); }
    void restore_text(std::u16string t) override;
    bool show_restored(std::size_t units) override;
    // Characters at the front that restore_text put in and show_restored has not shown.
    std::size_t hidden = 0;
    int restore_steps = 0;

    // What a user's typing or paste does: replaces the selection.
    void type(const std::u16string& t) { set_sel_text(t); }
    int changes = 0;             // change notifications raised
    bool refuse_writes = false;  // set_text throws, as a failing control would

private:
    int snap(int pos) const;
    void changed();
    std::u16string text_;
    int start_ = 0;
    int length_ = 0;
};

class fake_label : public fake_control<platform::label> {
public:
    using fake_control::fake_control;
    std::u16string caption() const override { return caption_; }
    void set_caption(const std::u16string& c) override;

private:
    std::u16string caption_;
};

class fake_button : public fake_control<platform::button> {
public:
    using fake_control::fake_control;
    std::u16string caption() const override { return design_.caption; }
    void click() {
        if (on_click) on_click();
    }
};

class fake_picture_box : public fake_control<platform::picture_box> {
public:
    using fake_control::fake_control;
    void show_form_icon() override;
    void dbl_click() {
        if (on_dbl_click) on_dbl_click();
    }
};

class fake_timer : public platform::timer {
public:
    explicit fake_timer(const platform::timer_design& d) : design_(d), enabled_(d.enabled) {}
    const std::string& name() const override { return design_.name; }
    int interval() const override { return design_.interval_ms; }
    bool enabled() const override { return enabled_; }
    void set_enabled(bool on) override { enabled_ = on; }
    // One tick, as the event loop would deliver it; an idle timer does not tick.
    bool tick() {
        if (!enabled_ || design_.interval_ms <= 0 || !on_tick) return false;
        on_tick();
        return true;
    }

private:
    platform::timer_design design_;
    bool enabled_;
};

class fake_forms_runtime;

class fake_form : public platform::form {
public:
    fake_form(const platform::form_design& d, fake_forms_runtime& runtime);
    ~fake_form() override;

    const std::string& name() const override { return design_.name; }
    platform::window_handle handle() const override { return handle_; }
    std::u16string caption() const override { return design_.caption; }
    platform::twips_rect rect() const override { return rect_; }
    void move(const platform::twips_rect& r) override;
    bool visible() const override { return visible_; }
    void show() override;
    platform::window_state state() const override { return state_; }
    void set_state(platform::window_state s) override;
    void close() override;

    platform::text_box& text_box_named(const std::string& n) override { return find<fake_text_box>(n); }
    platform::label& label_named(const std::string& n) override { return find<fake_label>(n); }
    platform::button& button_named(const std::string& n) override { return find<fake_button>(n); }
    platform::picture_box& picture_box_named(const std::string& n) override { return find<fake_picture_box>(n); }
    platform::timer& timer_named(const std::string& n) override;
    std::vector<platform::control*> controls() override;

    fake_text_box& text(const std::string& n) { return find<fake_text_box>(n); }
    fake_label& label(const std::string& n) { return find<fake_label>(n); }
    fake_button& button(const std::string& n) { return find<fake_button>(n); }
    fake_picture_box& picture(const std::string& n) { return find<fake_picture_box>(n); }
    fake_timer& fake_timer_named(const std::string& n);
    void press(platform::mouse_button b) {
        if (on_mouse_down) on_mouse_down(b);
    }

    const platform::form_design& design() const { return design_; }
    fake_forms_runtime& runtime() { return runtime_; }
    const platform::control* focused = nullptr;
    int shows = 0;

private:
    template <class T>
    T& find(const std::string& n);

    platform::form_design design_;
    fake_forms_runtime& runtime_;
    platform::window_handle handle_;
    platform::twips_rect rect_;
    bool visible_ = false;
    bool closed_ = false;
    platform::window_state state_ = platform::window_state::normal;
    std::vector<std::unique_ptr<platform::control>> controls_;
    std::vector<std::unique_ptr<fake_timer>> timers_;
};

class fake_forms_runtime : public platform::forms_runtime {
public:
    void init_common_controls() override { log.push_back("init_common_controls"); }
    std::unique_ptr<platform::form> create_form(const platform::form_design& d) override;
    int twips_per_pixel_x() const override { return 15; }
    int twips_per_pixel_y() const override { return 15; }
    int screen_width() const override { return screen_w; }
    int screen_height() const override { return screen_h; }
    std::string app_path() const override { return path; }
    std::string exe_name() const override { return exe; }
    std::int64_t milliseconds() const override { return clock_ms; }
    // Work and done run at once, one after the other; with hold_beside set they wait for
    // release_beside or finish_beside.
    void run_beside(std::function<void()> work, std::function<void()> done) override;
    void finish_beside() override;
    // Runs the oldest held work and its done; false when none was held.
    bool release_beside();
    // Steps wait until the test runs them with run_one_soon.
    void run_soon(std::function<void()> step) override { soon.push_back(std::move(step)); }
    bool run_one_soon();
    bool hold_beside = false;
    std::deque<std::pair<std::function<void()>, std::function<void()>>> held;
    std::deque<std::function<void()>> soon;
    // Logs the question and answers with answer_retry (none: give up).
    bool ask_retry(const std::u16string& message, const std::u16string& give_up) override;

    // The forms alive now, by name.
    fake_form* live(const std::string& name) const;
    int open_windows() const;

    event_log log;
    int screen_w = 1920 * 15;
    int screen_h = 1080 * 15;
    std::string path = "/opt/tallix";
    std::string exe = "tallix";
    std::int64_t clock_ms = 1'000'000;  // the test moves it
    std::function<bool()> answer_retry;
    std::vector<fake_form*> forms;
    platform::window_handle next_handle = 100;
};

}  // namespace fakes
