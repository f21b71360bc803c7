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
        cHwnd, [r = relay_](platform::window_handle w, platform::message_id m, platform::wparam wp,
                            platform::lparam lp) -> platform::lresult {
            if (r->owner) return r->owner->RaiseWindowMessage(w, m, wp, lp);
            return platform::window_system::call_window_proc(r->previous, w, m, wp, lp);
        });
    return previous_;
}

void iSubClass::SetMsgUnHook() {
    windows_.set_window_procedure(hooked_, previous_);
}

void iSubClass::CallDefaultWindowProc(platform::window_handle cHwnd, platform::message_id Message,
                                      platform::wparam wParam, platform::lparam lParam, platform::lresult& Result) {
    Result = platform::window_system::call_window_proc(previous_, cHwnd, Message, wParam, lParam);
}

platform::lresult iSubClass::RaiseWindowMessage(platform::window_handle cHwnd, platform::message_id Message,
                                                platform::wparam wParam, platform::lparam lParam) {
    platform::lresult result = 0;
    if (GetWindowMessage) GetWindowMessage(result, cHwnd, Message, wParam, lParam);
    return result;
}

}  // namespace window
