#include "window/isubclass.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fakes/fake_window_system.h"

namespace {

using platform::lresult;
using platform::message_id;
using platform::window_handle;
using platform::window_message;

constexpr window_handle hwnd = 7;

// A message as a procedure saw it: its number, and a press's payload.
struct seen {
    window_handle window;
    message_id message;
    platform::hit_test_code hit_test = 0;
    platform::pixel_point point;
    friend bool operator==(const seen&, const seen&) = default;
};

seen as_seen(window_handle w, const window_message& m) {
    if (m.id() == platform::wm_nclbuttondown) return {w, m.id(), m.press().hit_test, m.press().point};
    return {w, m.id(), 0, {}};
}

struct isubclass_test : ::testing::Test {
    fakes::fake_window_system windows;
    std::vector<seen> previous_saw;
    std::vector<seen> handler_saw;

    isubclass_test() {
        // The window's own procedure answers the message number plus 1000.
        windows.set_window_procedure(hwnd, [this](window_handle w, const window_message& m) -> lresult {
            previous_saw.push_back(as_seen(w, m));
            return 1000 + m.id();
        });
    }
};

TEST_F(isubclass_test, EveryMessageReachesTheHandlerFirstAndOnlyThere) {
    window::iSubClass hook(windows);
    hook.GetWindowMessage = [&](lresult&, window_handle w, const window_message& m) {
        handler_saw.push_back(as_seen(w, m));
    };
    hook.SetMsgHook(hwnd);
    platform::pixel_rect proposed{1, 2, 3, 4};
    windows.send(hwnd, window_message::nclbuttondown(5, {-9, 300}));
    windows.send(hwnd, window_message::moving(proposed));
    for (message_id m : {platform::wm_exitsizemove, 2u, 0x86u}) windows.send(hwnd, m);
    ASSERT_EQ(handler_saw.size(), 5u);
    EXPECT_EQ(handler_saw[0], (seen{hwnd, platform::wm_nclbuttondown, 5, {-9, 300}}));
    EXPECT_EQ(handler_saw[1], (seen{hwnd, platform::wm_moving, 0, {}}));
    EXPECT_TRUE(previous_saw.empty()) << "nothing is passed on unless the handler asks";
}

TEST_F(isubclass_test, ResultOfAnUnansweredMessageIsZeroAndOfAnAnsweredOneIsTheHandlers) {
    window::iSubClass hook(windows);
    hook.GetWindowMessage = [&](lresult& Result, window_handle, const window_message& m) {
        if (m.id() == 42) Result = -3;
    };
    hook.SetMsgHook(hwnd);
    EXPECT_EQ(windows.send(hwnd, 41), 0);
    EXPECT_EQ(windows.send(hwnd, 42), -3);
}

TEST_F(isubclass_test, PassingOnReturnsExactlyWhatThePreviousProcedureReturned) {
    window::iSubClass hook(windows);
    hook.GetWindowMessage = [&](lresult& Result, window_handle w, const window_message& m) {
        hook.CallDefaultWindowProc(w, m, Result);
    };
    hook.SetMsgHook(hwnd);
    EXPECT_EQ(windows.send(hwnd, 562), 1562);
    EXPECT_EQ(windows.send(hwnd, window_message::nclbuttondown(2, {10, 20})), 1161);
    EXPECT_EQ(previous_saw, (std::vector<seen>{{hwnd, 562, 0, {}}, {hwnd, 161, 2, {10, 20}}}));
}

TEST_F(isubclass_test, CallDefaultWindowProcPassesTheHandleItIsGiven) {
    window::iSubClass hook(windows);
    hook.SetMsgHook(hwnd);
    lresult r = 0;
    hook.CallDefaultWindowProc(99, window_message::plain(12), r);
    EXPECT_EQ(r, 1012);
    EXPECT_EQ(previous_saw, (std::vector<seen>{{99, 12, 0, {}}}));
}

TEST_F(isubclass_test, TheHandlerMayRewriteTheRectangleBeforePassingItOn) {
    window::iSubClass hook(windows);
    platform::pixel_rect passed_on;
    windows.set_window_procedure(hwnd, [&](window_handle, const window_message& m) -> lresult {
        passed_on = m.proposed();
        return 0;
    });
    hook.GetWindowMessage = [&](lresult& Result, window_handle w, const window_message& m) {
        m.proposed().left = 0;
        hook.CallDefaultWindowProc(w, m, Result);
    };
    hook.SetMsgHook(hwnd);
    platform::pixel_rect proposed{-20, 5, 100, 50};
    windows.send(hwnd, window_message::moving(proposed));
    EXPECT_EQ(passed_on, (platform::pixel_rect{0, 5, 100, 50}));
    EXPECT_EQ(proposed, passed_on) << "the sender sees the rewritten rectangle";
}

TEST_F(isubclass_test, NestedMessagesSentWhileTheHandlerPassesOnReachItToo) {
    window::iSubClass hook(windows);
    windows.set_window_procedure(hwnd, [&](window_handle w, const window_message& m) -> lresult {
        if (m.id() == platform::wm_nclbuttondown) windows.send(w, platform::wm_exitsizemove);
        return 0;
    });
    std::vector<message_id> order;
    hook.GetWindowMessage = [&](lresult& Result, window_handle w, const window_message& m) {
        order.push_back(m.id());
        hook.CallDefaultWindowProc(w, m, Result);
        order.push_back(m.id() + 10000);
    };
    hook.SetMsgHook(hwnd);
    windows.send(hwnd, window_message::nclbuttondown(platform::htcaption, {}));
    EXPECT_EQ(order, (std::vector<message_id>{161, 562, 10562, 10161}));
}

TEST_F(isubclass_test, SetMsgHookReturnsThePreviousProcedureAndUnHookPutsItBack) {
    window::iSubClass hook(windows);
    int handled = 0;
    hook.GetWindowMessage = [&](lresult&, window_handle, const window_message&) { ++handled; };
    const platform::window_proc previous = hook.SetMsgHook(hwnd);
    EXPECT_EQ(previous(hwnd, window_message::plain(1)), 1001);
    hook.SetMsgUnHook();
    EXPECT_EQ(windows.send(hwnd, 3), 1003);
    EXPECT_EQ(handled, 0);
}

TEST_F(isubclass_test, AMessageAfterTheHookObjectIsGoneGoesToThePreviousProcedure) {
    auto hook = std::make_unique<window::iSubClass>(windows);
    hook->SetMsgHook(hwnd);
    hook.reset();
    EXPECT_EQ(windows.send(hwnd, 5), 1005);
}

}  // namespace
