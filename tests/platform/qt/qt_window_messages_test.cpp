#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <vector>

#include "app/calc_design.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_forms_runtime.h"
#include "platform/qt/qt_window_system.h"
#include "window/calc_window_fixture.h"

namespace {

using platform::lresult;
using platform::message_id;
using platform::window_handle;
using platform::window_message;

struct seen {
    message_id message;
    platform::hit_test_code hit_test;  // of wm_nclbuttondown
    platform::pixel_rect rect;         // of wm_moving and wm_sizing
};

// The main window's frame on real widgets, with a recording procedure in front of the
// window's own, as the hook puts one there.
struct qt_window_messages : ::testing::Test {
    platform::qt::qt_forms_runtime forms;
    platform::qt::qt_window_system windows{forms};
    std::unique_ptr<platform::form> form = forms.create_form(app::calc_design());
    platform::qt::qt_form& qt = static_cast<platform::qt::qt_form&>(*form);
    std::vector<seen> messages;
    bool pass_press_on = true;
    std::function<void(platform::pixel_rect&)> rewrite;

    qt_window_messages() {
        form->move({200 * 15, 100 * 15, 479 * 15, 392 * 15});
        form->show();
        platform::window_proc previous = windows.window_procedure(form->handle());
        windows.set_window_procedure(form->handle(),
                                     [this, previous](window_handle w, const window_message& m) -> lresult {
                                         seen s{m.id(), 0, {}};
                                         if (m.id() == platform::wm_nclbuttondown) s.hit_test = m.press().hit_test;
                                         if (m.id() == platform::wm_moving || m.id() == platform::wm_sizing) {
                                             if (rewrite) rewrite(m.proposed());
                                             s.rect = m.proposed();
                                         }
                                         messages.push_back(s);
                                         if (m.id() == platform::wm_nclbuttondown && !pass_press_on) return 0;
                                         return platform::window_system::call_window_proc(previous, w, m);
                                     });
    }

    QWidget* caption() { return qt.widget()->findChild<QWidget*>("caption_bar"); }

    static void mouse(QWidget* target, QEvent::Type type, QPoint global) {
        const bool press = type != QEvent::MouseButtonRelease;
        QMouseEvent e(type, target->mapFromGlobal(global), global,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, press ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
    // Presses at from on target, moves to each point, releases at the last.
    static void drag(QWidget* target, QPoint from, std::initializer_list<QPoint> path) {
        mouse(target, QEvent::MouseButtonPress, from);
        QPoint last = from;
        for (QPoint p : path) mouse(target, QEvent::MouseMove, last = p);
        mouse(target, QEvent::MouseButtonRelease, last);
    }
    std::vector<message_id> ids() const {
        std::vector<message_id> r;
        for (const seen& s : messages) r.push_back(s.message);
        return r;
    }
};

TEST_F(qt_window_messages, ACaptionDragSendsThePressEachProposedRectangleAndTheEnd) {
    drag(caption(), {300, 110}, {{250, 130}, {200, 150}});
    EXPECT_EQ(ids(), (std::vector<message_id>{platform::wm_nclbuttondown, platform::wm_entersizemove,
                                              platform::wm_moving, platform::wm_moving, platform::wm_exitsizemove}));
    EXPECT_EQ(messages[0].hit_test, platform::htcaption);
    EXPECT_EQ(messages[2].rect, (platform::pixel_rect{150, 120, 629, 512}));
    EXPECT_EQ(messages[3].rect, (platform::pixel_rect{100, 140, 579, 532}));
    EXPECT_EQ(windows.window_rect(form->handle()), (platform::pixel_rect{100, 140, 579, 532}));
}

TEST_F(qt_window_messages, TheRectangleAsTheProcedureLeavesItIsTheOneApplied) {
    rewrite = [](platform::pixel_rect& r) {
        r.right -= r.left;
        r.left = 0;
        r.bottom = r.top + 600;
    };
    drag(caption(), {300, 110}, {{150, 110}});
    EXPECT_EQ(windows.window_rect(form->handle()), (platform::pixel_rect{0, 100, 479, 700}));
    EXPECT_EQ(form->rect().height, 600 * 15);
}

TEST_F(qt_window_messages, APressThatIsNotPassedOnStartsNoDrag) {
    pass_press_on = false;
    drag(caption(), {300, 110}, {{100, 300}});
    EXPECT_EQ(ids(), (std::vector<message_id>{platform::wm_nclbuttondown}));
    EXPECT_EQ(windows.window_rect(form->handle()), (platform::pixel_rect{200, 100, 679, 492}));
}

TEST_F(qt_window_messages, ABorderPressResizesThroughSizingMessages) {
    QWidget* frame = qt.widget();
    drag(frame, {678, 300}, {{778, 300}});
    EXPECT_EQ(ids(), (std::vector<message_id>{platform::wm_nclbuttondown, platform::wm_entersizemove,
                                              platform::wm_sizing, platform::wm_exitsizemove}));
    EXPECT_EQ(messages[0].hit_test, platform::htright);
    EXPECT_EQ(windows.window_rect(form->handle()), (platform::pixel_rect{200, 100, 779, 492}));
}

TEST_F(qt_window_messages, ABorderResizeStopsAtTheSmallestSizeExactly) {
    const QSize least = static_cast<platform::qt::form_widget*>(qt.widget())->minimum_outer_size();
    for (QPoint corner : {QPoint(678, 491), QPoint(200, 100)}) {
        form->move({200 * 15, 100 * 15, 479 * 15, 392 * 15});
        const QPoint far = corner.x() == 200 ? QPoint(900, 900) : QPoint(-500, -500);
        drag(qt.widget(), corner, {far});
        const platform::pixel_rect r = windows.window_rect(form->handle());
        EXPECT_EQ(QSize(r.right - r.left, r.bottom - r.top), least) << corner.x();
    }
}

TEST_F(qt_window_messages, ABottomLeftCornerPressNamesThatCorner) {
    drag(qt.widget(), {200, 491}, {{150, 541}});
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].hit_test, platform::htbottomleft);
    EXPECT_EQ(windows.window_rect(form->handle()), (platform::pixel_rect{150, 100, 679, 542}));
}

TEST_F(qt_window_messages, TheCloseButtonIsNoCaptionPress) {
    const QWidget* bar = caption();
    const QPoint close_button = bar->mapToGlobal(QPoint(bar->width() - 8, bar->height() / 2));
    QWidget* pressed = qt.widget()->childAt(qt.widget()->mapFromGlobal(close_button));
    ASSERT_NE(pressed, nullptr);
    EXPECT_EQ(pressed->accessibleName(), QStringLiteral("关闭"));
    mouse(pressed, QEvent::MouseButtonPress, close_button);
    EXPECT_TRUE(messages.empty());
    mouse(pressed, QEvent::MouseButtonRelease, QPoint(0, 0));
}

TEST_F(qt_window_messages, ProcedureOfAnUnknownWindowIsEmptyAndCannotBeReplaced) {
    EXPECT_FALSE(windows.window_procedure(12345));
    EXPECT_FALSE(windows.set_window_procedure(12345, [](window_handle, const window_message&) { return lresult{1}; }));
    EXPECT_EQ(windows.window_rect(12345), platform::pixel_rect{});
}

// A tick as the event loop would deliver it, without waiting for the timer.
void tick(platform::timer& t) { t.on_tick(); }
void slide_home(platform::timer& tmrMove) {
    for (int ticks = 0; tmrMove.enabled() && ticks < 1000; ++ticks) tick(tmrMove);
}

TEST(qt_calc_window, TheHookedMainWindowIsHeldAtTheLeftEdgeAndDocksThere) {
    platform::qt::qt_forms_runtime forms;
    platform::qt::qt_window_system windows{forms};
    const std::unique_ptr<platform::form> form = forms.create_form(app::calc_design());
    // The window's own procedure, recording what the hook passes on to it.
    std::vector<message_id> passed_on;
    const platform::window_proc own = windows.window_procedure(form->handle());
    windows.set_window_procedure(form->handle(), [&passed_on, own](window_handle w, const window_message& m) {
        passed_on.push_back(m.id());
        return platform::window_system::call_window_proc(own, w, m);
    });
    window_test::window_parts parts(*form, forms, windows);
    form->show();
    auto& qt = static_cast<platform::qt::qt_form&>(*form);
    form->move({200 * 15, 100 * 15, 479 * 15, 392 * 15});
    QWidget* caption = qt.widget()->findChild<QWidget*>("caption_bar");
    qt_window_messages::drag(caption, {300, 110}, {{150, 110}, {20, 120}});
    EXPECT_EQ(windows.window_rect(form->handle()), (platform::pixel_rect{0, 110, 479, 502}));
    platform::timer& tmrCheck = form->timer_named("tmrCheck");
    platform::timer& tmrMove = form->timer_named("tmrMove");
    EXPECT_TRUE(tmrCheck.enabled());

    // Docked at the left: with the pointer on it, then gone, it slides out of view there.
    QCursor::setPos(100, 300);
    tick(tmrCheck);
    slide_home(tmrMove);
    QCursor::setPos(700, 550);
    tick(tmrCheck);
    slide_home(tmrMove);
    EXPECT_EQ(form->rect().left, 60 - 479 * 15);

    // The drag is over: a wm_moving on its own is neither clamped nor passed on.
    passed_on.clear();
    platform::pixel_rect proposed{-40, 300, 439, 692};
    qt.send_message(window_message::moving(proposed));
    EXPECT_EQ(proposed, (platform::pixel_rect{-40, 300, 439, 692}));
    EXPECT_TRUE(passed_on.empty());
}

}  // namespace
