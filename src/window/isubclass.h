// The message hook of one window: it stands in front of the window's procedure, offers
// every message to GetWindowMessage first, and lets the handler pass a message on to the
// procedure that served the window before.
#pragma once

#include <functional>
#include <memory>

#include "platform/window_system.h"

namespace window {

class iSubClass {
public:
    explicit iSubClass(platform::window_system& windows) : windows_(windows) {}
    // Releasing the object leaves the window hooked (the window is gone by then); any
    // message that still arrives goes straight to the previous procedure.
    ~iSubClass();
    iSubClass(const iSubClass&) = delete;
    iSubClass& operator=(const iSubClass&) = delete;

    // Hooks cHwnd once and returns the procedure it had until now.
    platform::window_proc SetMsgHook(platform::window_handle cHwnd);
    // Puts the previous procedure back.
    void SetMsgUnHook();
    // Runs the previous procedure on the message; Result gets its answer.
    void CallDefaultWindowProc(platform::window_handle cHwnd, const platform::window_message& Message,
                               platform::lresult& Result);

    // Raised once per message before any default processing. Result, which the window
    // system gets back, starts at 0 and is left alone unless the handler sets it.
    std::function<void(platform::lresult& Result, platform::window_handle cHwnd,
                       const platform::window_message& Message)>
        GetWindowMessage;

private:
    struct relay;
    platform::lresult RaiseWindowMessage(platform::window_handle cHwnd, const platform::window_message& Message);

    platform::window_system& windows_;
    platform::window_handle hooked_ = 0;
    platform::window_proc previous_;
    std::shared_ptr<relay> relay_;
};

}  // namespace window
