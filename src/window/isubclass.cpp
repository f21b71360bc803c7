#include "window/isubclass.h"

namespace window {

// What the installed procedure holds: the hook object while it lives, and the previous
// procedure for the messages that come after it.
struct iSubClass::relay {
    iSubClass* owner;
    platform::window_proc previous;
};

iSubClass::~iSubClass() {
    if (relay_) relay_->owner = nullptr;
}

platform::window_proc iSubClass::SetMsgHook(platform::window_handle cHwnd) {
    hooked_ = cHwnd;
    previous_ = windows_.window_procedure(cHwnd);
    relay_ = std::make_shared<relay>(relay{this, previous_});
    windows_.set_window_procedure(
        cHwnd, [r = relay_](platform::window_handle w, const platform::window_message& m) -> platform::lresult {
            if (r->owner) return r->owner->RaiseWindowMessage(w, m);
            return platform::window_system::call_window_proc(r->previous, w, m);
        });
    return previous_;
}

void iSubClass::SetMsgUnHook() { windows_.set_window_procedure(hooked_, previous_); }

void iSubClass::CallDefaultWindowProc(platform::window_handle cHwnd, const platform::window_message& Message,
                                      platform::lresult& Result) {
    Result = platform::window_system::call_window_proc(previous_, cHwnd, Message);
}

platform::lresult iSubClass::RaiseWindowMessage(platform::window_handle cHwnd,
                                                const platform::window_message& Message) {
    platform::lresult result = 0;
    if (GetWindowMessage) GetWindowMessage(result, cHwnd, Message);
    return result;
}

}  // namespace window
