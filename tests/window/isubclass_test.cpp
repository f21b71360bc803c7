#include "window/isubclass.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fakes/fake_window_system.h"

namespace {

using platform::lparam;
using platform::lresult;
using platform::message_id;
using platform::window_handle;
using platform::wparam;

constexpr window_handle hwnd = 7;

struct seen {
    window_handle window;
    message_id message;
    wparam wp;
    lparam lp;
    friend bool operator==(const seen&, const seen&) = default;
};

struct isubclass_test : ::testing::Test {
    fakes::fake_window_system windows;
    std::vector<seen> previous_saw;
    std::vector<seen> handler_saw;

    isubclass_test() {
        // The window's own procedure answers the message number plus 1000.
        windows.set_window_procedure(hwnd, [this](window_handle w, message_id m, wparam wp, lparam lp) -> lresult {
            previous_saw.push_back({w, m, wp, lp});
            return 1000 + m;
        });
    }
};

TEST_F(isubclass_test, EveryMessageReachesTheHandlerFirstAndOnlyThere) {
    window::iSubClass hook(windows);
    hook.GetWindowMessage = [&](lresult&, window_handle w, message_id m, wparam wp, lparam lp) {
        handler_saw.push_back({w, m, wp, lp});
    };
    hook.SetMsgHook(hwnd);
    for (message_id m : {platform::wm_nclbuttondown, platform::wm_moving, platform::wm_exitsizemove, 2u, 0x86u}) {
        windows.send(hwnd, m, 5, -9);
    }
    ASSERT_EQ(handler_saw.size(), 5u);
    EXPECT_EQ(handler_saw[0], (seen{hwnd, platform::wm_nclbuttondown, 5, -9}));
    EXPECT_TRUE(previous_saw.empty()) << "nothing is passed on unless the handler asks";
}

TEST_F(isubclass_test, ResultOfAnUnansweredMessageIsZeroAndOfAnAnsweredOneIsTheHandlers) {
    window::iSubClass hook(windows);
    hook.GetWindowMessage = [&](lresult& Result, window_handle, message_id m, wparam, lparam) {
        if (m == 42) Result = -3;
    };
    hook.SetMsgHook(hwnd);
    EXPECT_EQ(windows.send(hwnd, 41), 0);
    EXPECT_EQ(windows.send(hwnd, 42), -3);
}

TEST_F(isubclass_test, PassingOnReturnsExactlyWhatThePreviousProcedureReturned) {
    window::iSubClass hook(windows);
    hook.GetWindowMessage = [&](lresult& Result, window_handle w, message_id m, wparam wp, lparam lp) {
        hook.CallDefaultWindowProc(w, m, wp, lp, Result);
    };
    hook.SetMsgHook(hwnd);
    EXPECT_EQ(windows.send(hwnd, 562, 1, 2), 1562);
    EXPECT_EQ(previous_saw, (std::vector<seen>{{hwnd, 562, 1, 2}}));
}

TEST_F(isubclass_test, CallDefaultWindowProcPassesTheHandleItIsGiven) {
    window::iSubClass hook(windows);
    hook.SetMsgHook(hwnd);
    lresult r = 0;
    hook.CallDefaultWindowProc(99, 12, 3, 4, r);
    EXPECT_EQ(r, 1012);
    EXPECT_EQ(previous_saw, (std::vector<seen>{{99, 12, 3, 4}}));
}

TEST_F(isubclass_test, TheHandlerMayRewriteTheRectangleBeforePassingItOn) {
    window::iSubClass hook(windows);
    platform::pixel_rect passed_on;
    windows.set_window_procedure(hwnd, [&](window_handle, message_id, wparam, lparam lp) -> lresult {
        passed_on = platform::read_rect_param(lp);
        return 0;
    });
    hook.GetWindowMessage = [&](lresult& Result, window_handle w, message_id m, wparam wp, lparam lp) {
        platform::pixel_rect r = platform::read_rect_param(lp);
        r.left = 0;
        platform::write_rect_param(lp, r);
        hook.CallDefaultWindowProc(w, m, wp, lp, Result);
    };
    hook.SetMsgHook(hwnd);
    platform::pixel_rect proposed{-20, 5, 100, 50};
    windows.send(hwnd, platform::wm_moving, 2, platform::rect_param(proposed));
    EXPECT_EQ(passed_on, (platform::pixel_rect{0, 5, 100, 50}));
    EXPECT_EQ(proposed, passed_on) << "the sender sees the rewritten rectangle";
}

TEST_F(isubclass_test, NestedMessagesSentWhileTheHandlerPassesOnReachItToo) {
    window::iSubClass hook(windows);
    windows.set_window_procedure(hwnd, [&](window_handle w, message_id m, wparam, lparam) -> lresult {
        if (m == platform::wm_nclbuttondown) windows.send(w, platform::wm_exitsizemove);
        return 0;
    });
    std::vector<message_id> order;
    hook.GetWindowMessage = [&](lresult& Result, window_handle w, message_id m, wparam wp, lparam lp) {
        order.push_back(m);
        hook.CallDefaultWindowProc(w, m, wp, lp, Result);
        order.push_back(m + 10000);
    };
    hook.SetMsgHook(hwnd);
    windows.send(hwnd, platform::wm_nclbuttondown, platform::htcaption);
    EXPECT_EQ(order, (std::vector<message_id>{161, 562, 10562, 10161}));
}

TEST_F(isubclass_test, SetMsgHookReturnsThePreviousProcedureAndUnHookPutsItBack) {
    window::iSubClass hook(windows);
    int handled = 0;
    hook.GetWindowMessage = [&](lresult&, window_handle, message_id, wparam, lparam) { ++handled; };
    const platform::window_proc previous = hook.SetMsgHook(hwnd);
    EXPECT_EQ(previous(hwnd, 1, 0, 0), 1001);
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
