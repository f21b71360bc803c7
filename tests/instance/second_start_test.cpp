// Two copies of the main window on one fake link network, each with its own forms
// runtime and window system, as two processes would have.
#include <gtest/gtest.h>

#include "app/calc.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_link_service.h"
#include "fakes/fake_window_system.h"
#include "instance/single_instance.h"
#include "platform/runtime_error.h"

namespace {

fakes::fake_forms_runtime forms_named(const std::string& exe) {
    fakes::fake_forms_runtime forms;
    forms.exe = exe;
    return forms;
}

struct copy {
    copy(fakes::fake_link_network& network, const std::string& exe) : forms(forms_named(exe)), link(network, exe) {}
    fakes::fake_forms_runtime forms;
    fakes::fake_window_system windows{&forms.log};
    fakes::fake_link_service link;
    int file_systems_made = 0;
    app::calc window{{.forms = forms,
                      .windows = windows,
                      .make_file_system =
                          [this] {
                              ++file_systems_made;
                              return std::unique_ptr<platform::file_system>();
                          },
                      .link = &link}};
    fakes::fake_form& form() { return *forms.live("calc"); }
};

// The copy's start-up ends with the run-time error report of that number.
void expect_load_ends_with(copy& c, int number) {
    try {
        c.window.load();
        ADD_FAILURE() << "the copy carried on instead of ending with error " << number;
    } catch (const platform::runtime_error& e) {
        EXPECT_EQ(e.number(), number);
    }
}

struct second_start : ::testing::Test {
    fakes::fake_link_network network;
    std::unique_ptr<copy> first = std::make_unique<copy>(network, "tallix");
    void SetUp() override {
        ASSERT_TRUE(first->window.load());
        first->window.show();
    }
};

TEST_F(second_start, FirstCopyServesItsTopicUnderItsOwnName) {
    EXPECT_EQ(first->link.served_name(), "tallix|FormDDE");
    EXPECT_TRUE(network.log.empty());
}

TEST_F(second_start, SecondCopyBringsTheFirstForwardAndEndsUnseen) {
    first->form().text("Text_calc").set_text(u"1+2");
    first->form().text("Text_re").set_text(u"3");
    first->form().text("Text_temp1").set_text(u"\r\n▲1=1");
    first->form().move({15000, 9000, 7185, 6060});
    first->form().set_state(platform::window_state::minimized);
    first->form().text("Text_temp1").set_focus();

    copy second(network, "tallix");
    EXPECT_FALSE(second.window.load());

    EXPECT_EQ(first->form().rect(), (platform::twips_rect{400, 300, 7185, 6060}));
    EXPECT_EQ(first->form().state(), platform::window_state::normal);
    EXPECT_TRUE(first->form().visible());
    EXPECT_TRUE(first->form().text("Text_calc").has_focus());
    EXPECT_EQ(first->form().text("Text_calc").text(), u"1+2");
    EXPECT_EQ(first->form().text("Text_re").text(), u"3");
    EXPECT_EQ(first->form().text("Text_temp1").text(), u"\r\n▲1=1");

    // The second copy did nothing after its first step.
    EXPECT_FALSE(second.form().visible());
    EXPECT_EQ(second.form().shows, 0);
    EXPECT_EQ(second.file_systems_made, 0);
    EXPECT_TRUE(second.windows.windows.empty());
    EXPECT_EQ(second.forms.log, (std::vector<std::string>{"init_common_controls", "calc.create"}));
    EXPECT_EQ(network.log, (std::vector<std::string>{"open tallix|FormDDE 300", "execute showme 300", "terminate 1"}));
    // Its own service was never offered, so the first copy still serves.
    EXPECT_EQ(first->link.served_name(), "tallix|FormDDE");
    EXPECT_TRUE(second.link.served_name().empty());
}

TEST_F(second_start, SecondCopyWithoutAnAnswerEndsWithTheErrorBeforeAnyOtherStep) {
    first->link.withdraw();
    copy second(network, "tallix");
    expect_load_ends_with(second, platform::link_error_no_answer);
    EXPECT_FALSE(second.form().visible());
    EXPECT_EQ(second.file_systems_made, 0);
    EXPECT_EQ(second.forms.log, (std::vector<std::string>{"init_common_controls", "calc.create"}));
}

TEST_F(second_start, UnacknowledgedCommandEndsTheSecondCopyWithTheTimeOutError) {
    network.drop_acknowledgements = true;
    copy second(network, "tallix");
    expect_load_ends_with(second, platform::link_error_timeout);
    EXPECT_EQ(second.file_systems_made, 0);
}

TEST_F(second_start, AfterTheFirstCopyEndsANewCopyStartsNormally) {
    first.reset();
    EXPECT_TRUE(network.served.empty());
    copy next(network, "tallix");
    EXPECT_TRUE(next.window.load());
    EXPECT_EQ(next.file_systems_made, 1);
    EXPECT_EQ(next.link.served_name(), "tallix|FormDDE");
}

// A program that runs on for its help window alone is no running copy any more: the
// next start opens a window of its own instead of failing to reach the closed one.
TEST_F(second_start, AClosedWindowResignsAndTheNextStartOpensItsOwn) {
    first->form().picture("Picture_show").dbl_click();
    first->form().close();
    EXPECT_NE(first->window.help_window(), nullptr);
    EXPECT_TRUE(network.served.empty());
    copy second(network, "tallix");
    EXPECT_TRUE(second.window.load());
    EXPECT_EQ(second.link.served_name(), "tallix|FormDDE");
    EXPECT_TRUE(network.log.empty()) << "the new copy asked nobody";
}

// A renamed copy is a program of its own: it serves its own name, and its second start
// brings it forward, whether tallix runs or not.
TEST_F(second_start, RenamedCopyServesAndFindsItsOwnName) {
    copy renamed(network, "calc2");
    ASSERT_TRUE(renamed.window.load());
    EXPECT_EQ(renamed.link.served_name(), "calc2|FormDDE");

    first->form().move({15000, 9000, 7185, 6060});
    renamed.form().move({15000, 9000, 7185, 6060});
    copy again(network, "calc2");
    EXPECT_FALSE(again.window.load());
    EXPECT_EQ(renamed.form().rect().left, 400);
    EXPECT_EQ(first->form().rect().left, 15000);

    first.reset();
    renamed.form().move({15000, 9000, 7185, 6060});
    renamed.forms.clock_ms += instance::showme_interval_ms;
    copy last(network, "calc2");
    EXPECT_FALSE(last.window.load());
    EXPECT_EQ(renamed.form().rect().left, 400);
}

TEST_F(second_start, ADifferentProgramIsNoPreviousInstance) {
    copy other(network, "calc2");
    EXPECT_TRUE(other.window.load());
    EXPECT_EQ(other.file_systems_made, 1);
}

}  // namespace
