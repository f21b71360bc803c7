#include "platform/qt/qt_screen_placement.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <vector>

#include "app/calc_design.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_forms_runtime.h"
#include "platform/qt/qt_window_system.h"

namespace {

using platform::qt::move_tracker;
using platform::qt::place_on_screen;

// A 479 x 392 form on a 1280 x 1024 screen, where docking puts it.
TEST(place_on_screen, KeepsTheWindowOnTheScreenAndShowsThePartOfTheFormOnIt) {
    const QRect screen(0, 0, 1280, 1024);
    struct row {
        const char* where;
        QRect form;
        QRect window;
        QPoint offset;
        QRect visible;
    } rows[] = {
        {"on the screen", {400, 300, 479, 392}, {400, 300, 479, 392}, {0, 0}, {0, 0, 479, 392}},
        {"shown at the left edge", {-4, 300, 479, 392}, {0, 300, 479, 392}, {-4, 0}, {0, 0, 475, 392}},
        {"hidden at the left edge", {-475, 300, 479, 392}, {0, 300, 479, 392}, {-475, 0}, {0, 0, 4, 392}},
        {"shown at the right edge", {805, 300, 479, 392}, {801, 300, 479, 392}, {4, 0}, {4, 0, 475, 392}},
        {"hidden at the right edge", {1276, 300, 479, 392}, {801, 300, 479, 392}, {475, 0}, {475, 0, 4, 392}},
        {"hidden at the top edge", {200, -388, 479, 392}, {200, 0, 479, 392}, {0, -388}, {0, 0, 479, 4}},
        {"past the bottom", {200, 900, 479, 392}, {200, 632, 479, 392}, {0, 268}, {0, 268, 479, 124}},
        {"in the top-left corner, beyond both edges", {-4, -4, 479, 392}, {0, 0, 479, 392}, {-4, -4}, {0, 0, 475, 388}},
        {"taller than the screen", {0, -4, 479, 1100}, {0, 0, 479, 1100}, {0, -4}, {0, 0, 479, 1024}},
        {"wholly beyond the screen", {-600, 300, 479, 392}, {-600, 300, 479, 392}, {0, 0}, {0, 0, 479, 392}},
    };
    for (const row& r : rows) {
        const auto p = place_on_screen(r.form, screen);
        EXPECT_EQ(p.window, r.window) << r.where;
        EXPECT_EQ(p.offset, r.offset) << r.where;
        EXPECT_EQ(p.visible, r.visible) << r.where;
    }
}

TEST(move_tracker, TellsTheWindowManagersMovesFromTheWindowsOwn) {
    using report = move_tracker::report;
    const QRect start(0, 0, 479, 392), a(100, 0, 479, 392), b(110, 0, 479, 392), centred(401, 314, 479, 392);
    struct step {
        const char* what;
        std::vector<QRect> asked;
        QRect reported;
        bool mapping;
        report expected;
    };
    struct sequence {
        const char* name;
        std::vector<step> steps;
    } sequences[] = {
        {"placed elsewhere at mapping, then where asked",
         {{"mapped centred", {start}, centred, true, report::placed_apart},
          {"moved back", {}, start, true, report::asked_for}}},
        {"placed elsewhere at mapping by one that insists",
         {{"1", {start}, centred, true, report::placed_apart},
          {"2", {}, centred.translated(1, 0), true, report::placed_apart},
          {"3", {}, centred, true, report::placed_apart},
          {"4", {}, centred.translated(1, 0), true, report::moved_apart}}},
        {"a window placed by the window manager from the start", {{"mapped", {}, centred, true, report::moved_apart}}},
        {"reports of a drag arriving late",
         {{"first of two moves", {a, b}, a, false, report::asked_for},
          {"second", {}, b, false, report::asked_for},
          {"then the first place once more: a move of the window manager's", {}, a, false, report::moved_apart}}},
        {"moved by the user after mapping",
         {{"asked", {a}, a, false, report::asked_for},
          {"moved", {}, centred, false, report::moved_apart},
          {"a move and a resize of one report", {}, centred, false, report::asked_for}}},
    };
    for (const sequence& s : sequences) {
        move_tracker t;
        for (const step& st : s.steps) {
            for (const QRect& r : st.asked) t.ask(r);
            EXPECT_EQ(t.reported(st.reported, st.mapping), st.expected) << s.name << ": " << st.what;
        }
    }
}

TEST(move_tracker, AfterAMoveApartTheWindowWantsWhereItWasPut) {
    move_tracker t;
    t.ask({0, 0, 479, 392});
    ASSERT_EQ(t.reported({300, 200, 479, 392}, false), move_tracker::report::moved_apart);
    EXPECT_EQ(t.wanted(), QRect(300, 200, 479, 392));
}

// The offscreen screen is 800 x 600.
struct qt_form_beyond_the_screen : ::testing::Test {
    platform::qt::qt_forms_runtime forms;
    platform::qt::qt_window_system windows{forms};
    std::unique_ptr<platform::form> form = forms.create_form(app::calc_design());
    platform::qt::qt_form& qt = static_cast<platform::qt::qt_form&>(*form);
    QWidget* button_r = qt.client()->findChild<QWidget*>("Command_r");

    void move_to(int x, int y) { form->move({x * 15, y * 15, 479 * 15, 392 * 15}); }
    QPoint r_on_screen() const { return button_r->mapToGlobal(QPoint(0, 0)); }
};

TEST_F(qt_form_beyond_the_screen, HiddenAtTheLeftEdgeTheFormReportsItsPlaceAndItsWindowShowsTheStrip) {
    form->show();
    move_to(-475, 100);
    EXPECT_EQ(form->rect(), (platform::twips_rect{-475 * 15, 100 * 15, 479 * 15, 392 * 15}));
    EXPECT_EQ(windows.window_rect(form->handle()), (platform::pixel_rect{-475, 100, 4, 492}));
    EXPECT_EQ(qt.widget()->geometry(), QRect(0, 100, 479, 392));
    EXPECT_EQ(qt.widget()->mask(), QRegion(0, 0, 4, 392));
    EXPECT_EQ(r_on_screen(), QPoint(-475 + 445, 100 + 236)) << "the controls stand where the form does";
}

TEST_F(qt_form_beyond_the_screen, BackOnTheScreenTheWindowShowsAllOfIt) {
    form->show();
    move_to(-475, 100);
    move_to(795, 100);
    EXPECT_EQ(qt.widget()->geometry(), QRect(321, 100, 479, 392));
    EXPECT_EQ(qt.widget()->mask(), QRegion(474, 0, 5, 392));
    move_to(200, 100);
    EXPECT_EQ(qt.widget()->geometry(), QRect(200, 100, 479, 392));
    EXPECT_TRUE(qt.widget()->mask().isEmpty());
    EXPECT_EQ(r_on_screen(), QPoint(200 + 445, 100 + 236));
}

TEST_F(qt_form_beyond_the_screen, ABorderPressOnTheShownStripResizesTheFormFromItsOwnEdge) {
    form->show();
    move_to(-4, 100);
    // The form's right border lies at window x 474..476 once its left 4 pixels are cut off.
    QWidget* frame = qt.widget();
    const QPoint at = frame->mapToGlobal(QPoint(474, 200));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(474, 200), at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &press);
    QMouseEvent drag(QEvent::MouseMove, QPointF(524, 200), at + QPoint(50, 0), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(frame, &drag);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(524, 200), at + QPoint(50, 0), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(frame, &release);
    EXPECT_EQ(windows.window_rect(form->handle()), (platform::pixel_rect{-4, 100, 525, 492}));
}

}  // namespace
