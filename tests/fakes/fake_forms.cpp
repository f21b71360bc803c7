#include "fakes/fake_forms.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text.h"

namespace fakes {

fake_control_base::fake_control_base(const platform::control_design& d, fake_form& owner)
    : design_(d), owner_(owner), rect_(d.rect) {}

void fake_control_base::log(const std::string& what) const {
    owner_.runtime().log.push_back(design_.name + "." + what);
}

template <class Interface>
void fake_control<Interface>::set_focus() {
    owner_.focused = this;
}

template <class Interface>
bool fake_control<Interface>::has_focus() const {
    return owner_.focused == this;
}

template class fake_control<platform::text_box>;
template class fake_control<platform::label>;
template class fake_control<platform::button>;
template class fake_control<platform::picture_box>;

// A position between the CR and the LF of a line break stands before the break.
int fake_text_box::snap(int pos) const {
    pos = std::clamp(pos, 0, static_cast<int>(text_.size()));
    if (pos > 0 && pos < static_cast<int>(text_.size()) && text_[pos - 1] == u'\r' && text_[pos] == u'\n') --pos;
    return pos;
}

void fake_text_box::changed() {
    ++changes;
    if (on_change) on_change();
}

void fake_text_box::set_text(const std::u16string& t) {
    if (refuse_writes) throw std::runtime_error(design_.name + " refuses the text");
    const std::u16string wanted = platform::to_crlf(platform::to_lf(t));
    start_ = 0;
    length_ = 0;
    hidden = 0;
    if (wanted == text_) return;
    text_ = wanted;
    log("set_text " + platform::to_utf8(text_));
    changed();
}

void fake_text_box::restore_text(std::u16string t) {
    const std::u16string front = platform::to_crlf(platform::to_lf(t));
    text_.insert(0, front);
    start_ += static_cast<int>(front.size());
    hidden = front.size();
    log("restore_text " + std::to_string(front.size()));
}

bool fake_text_box::show_restored(std::size_t units) {
    ++restore_steps;
    hidden -= std::min(units, hidden);
    return hidden > 0;
}

void fake_text_box::set_sel_start(int pos) {
    start_ = snap(pos);
    length_ = 0;
}

void fake_text_box::set_sel_length(int len) { length_ = snap(start_ + std::max(len, 0)) - start_; }

std::u16string fake_text_box::sel_text() const {
    return text_.substr(static_cast<std::size_t>(start_), static_cast<std::size_t>(length_));
}

void fake_text_box::set_sel_text(const std::u16string& t) {
    if (t.empty() && length_ == 0) return;
    const std::u16string inserted = platform::to_crlf(platform::to_lf(t));
    text_.replace(static_cast<std::size_t>(start_), static_cast<std::size_t>(length_), inserted);
    start_ += static_cast<int>(inserted.size());
    length_ = 0;
    log("set_sel_text " + platform::to_utf8(inserted));
    changed();
}

void fake_label::set_caption(const std::u16string& c) {
    caption_ = c;
    log("caption " + platform::to_utf8(c));
}

void fake_picture_box::show_form_icon() { log("show_form_icon"); }

fake_form::fake_form(const platform::form_design& d, fake_forms_runtime& runtime)
    : design_(d), runtime_(runtime), handle_(runtime.next_handle++) {
    const int border = 2 * 3 * 15;
    rect_ = {0, 0, d.client_width + border, d.client_height + border + 18 * 15};
    for (const platform::control_design& c : d.controls) {
        switch (c.kind) {
        case platform::control_kind::text_box: controls_.push_back(std::make_unique<fake_text_box>(c, *this)); break;
        case platform::control_kind::label: controls_.push_back(std::make_unique<fake_label>(c, *this)); break;
        case platform::control_kind::button: controls_.push_back(std::make_unique<fake_button>(c, *this)); break;
        case platform::control_kind::picture_box:
            controls_.push_back(std::make_unique<fake_picture_box>(c, *this));
            break;
        }
    }
    for (const platform::timer_design& t : d.timers) timers_.push_back(std::make_unique<fake_timer>(t));
    runtime_.forms.push_back(this);
    runtime_.log.push_back(d.name + ".create");
}

fake_form::~fake_form() {
    auto& forms = runtime_.forms;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

// Like the runtime's, a move that changes the size of a shown window raises Resize.
void fake_form::move(const platform::twips_rect& r) {
    const bool resized = r.width != rect_.width || r.height != rect_.height;
    rect_ = r;
    if (resized && visible_ && on_resize) on_resize();
}

void fake_form::show() {
    if (closed_) return;
    ++shows;
    runtime_.log.push_back(design_.name + ".show");
    if (!visible_) {
        visible_ = true;
        if (on_resize) on_resize();
    }
}

void fake_form::set_state(platform::window_state s) {
    state_ = s;
    runtime_.log.push_back(design_.name + ".state " + std::to_string(static_cast<int>(s)));
}

void fake_form::close() {
    if (closed_) return;
    closed_ = true;
    runtime_.log.push_back(design_.name + ".close");
    if (on_unload) on_unload();
    for (auto& t : timers_) t->set_enabled(false);
    visible_ = false;
    auto closed = on_closed;
    if (closed) closed();  // may destroy this form
}

template <class T>
T& fake_form::find(const std::string& n) {
    for (auto& c : controls_) {
        if (c->name() == n) {
            if (auto* t = dynamic_cast<T*>(c.get())) return *t;
        }
    }
    throw std::out_of_range("no control " + n);
}

fake_timer& fake_form::fake_timer_named(const std::string& n) {
    for (auto& t : timers_) {
        if (t->name() == n) return *t;
    }
    throw std::out_of_range("no timer " + n);
}

platform::timer& fake_form::timer_named(const std::string& n) { return fake_timer_named(n); }

std::vector<platform::control*> fake_form::controls() {
    std::vector<platform::control*> all;
    for (auto& c : controls_) all.push_back(c.get());
    return all;
}

std::unique_ptr<platform::form> fake_forms_runtime::create_form(const platform::form_design& d) {
    return std::make_unique<fake_form>(d, *this);
}

bool fake_forms_runtime::ask_retry(const std::u16string& message, const std::u16string& give_up) {
    log.push_back("ask_retry " + platform::to_utf8(message) + " | " + platform::to_utf8(give_up));
    return answer_retry && answer_retry();
}

fake_form* fake_forms_runtime::live(const std::string& name) const {
    for (fake_form* f : forms) {
        if (f->name() == name) return f;
    }
    return nullptr;
}

int fake_forms_runtime::open_windows() const {
    return static_cast<int>(std::count_if(forms.begin(), forms.end(), [](fake_form* f) { return f->visible(); }));
}

void fake_forms_runtime::run_beside(std::function<void()> work, std::function<void()> done) {
    if (hold_beside) {
        held.emplace_back(std::move(work), std::move(done));
        return;
    }
    work();
    done();
}

bool fake_forms_runtime::release_beside() {
    if (held.empty()) return false;
    auto [work, done] = std::move(held.front());
    held.pop_front();
    work();
    done();
    return true;
}

void fake_forms_runtime::finish_beside() {
    while (release_beside()) {}
}

bool fake_forms_runtime::run_one_soon() {
    if (soon.empty()) return false;
    const std::function<void()> step = std::move(soon.front());
    soon.pop_front();
    step();
    return true;
}

}  // namespace fakes
