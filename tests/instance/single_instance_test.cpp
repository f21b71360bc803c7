#include "instance/single_instance.h"

#include <gtest/gtest.h>

#include "app/calc_design.h"
#include "fakes/error_number.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_link_service.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

namespace {

using strings = std::vector<std::string>;

using fakes::error_number;

struct link_fixture : ::testing::Test {
    fakes::fake_link_network network;
    fakes::fake_link_service running{network, "tallix"};
    std::vector<std::u16string> received;
    void SetUp() override {
        running.serve("tallix", "FormDDE", [this](const std::u16string& c, int& cancel) {
            received.push_back(c);
            cancel = 0;
        });
    }
};

TEST_F(link_fixture, SendDdeCommandOpensExecutesAndClosesWithAShortWait) {
    fakes::fake_link_service second{network, "tallix"};
    instance::client_link link(second);
    instance::send_dde_command(link, u"showme", "tallix");
    EXPECT_EQ(network.log, (strings{"open tallix|FormDDE 300", "execute showme 300", "terminate 1"}));
    EXPECT_EQ(received, std::vector<std::u16string>{u"showme"});
    EXPECT_EQ(link.link_timeout(), 300);
    EXPECT_EQ(link.link_mode(), instance::link_kind::none);
    EXPECT_EQ(link.link_topic(), u"tallix|FormDDE");
}

TEST_F(link_fixture, SendDdeCommandWaitsAsLongAsTheStandingTimeOut) {
    fakes::fake_link_service second{network, "tallix"};
    instance::client_link link(second);
    link.set_link_timeout(7);
    instance::send_dde_command(link, u"SHOWME", "tallix");
    EXPECT_EQ(network.log, (strings{"open tallix|FormDDE 7", "execute SHOWME 7", "terminate 1"}));
    EXPECT_EQ(link.link_timeout(), 7);
}

TEST_F(link_fixture, SendDdeCommandFailuresPropagate) {
    fakes::fake_link_service second{network, "tallix"};
    {
        instance::client_link link(second);
        network.drop_acknowledgements = true;
        EXPECT_EQ(error_number([&] { instance::send_dde_command(link, u"showme", "tallix"); }),
                  platform::link_error_timeout);
    }
    // The conversation the failure left open is ended with the link.
    EXPECT_EQ(network.log.back(), "terminate 300");

    running.withdraw();
    instance::client_link link(second);
    EXPECT_EQ(error_number([&] { instance::send_dde_command(link, u"showme", "tallix"); }),
              platform::link_error_no_answer);
}

TEST_F(link_fixture, ClientLinkNeedsAnApplicationAndAnOpenConversation) {
    instance::client_link link(running);
    EXPECT_EQ(error_number([&] { link.link_execute(u"showme"); }), platform::link_error_no_channel);
    for (const char16_t* topic : {u"", u"tallix", u"|FormDDE", u"nobody|FormDDE", u"tallix|formdde"}) {
        link.set_link_topic(topic);
        EXPECT_EQ(error_number([&] { link.set_link_mode(instance::link_kind::manual); }),
                  platform::link_error_no_answer)
            << platform::to_utf8(topic);
        EXPECT_EQ(link.link_mode(), instance::link_kind::none);
    }
    EXPECT_TRUE(received.empty());
}

struct showme_fixture : ::testing::Test {
    fakes::fake_forms_runtime forms;
    std::unique_ptr<platform::form> window = forms.create_form(app::calc_design());
    fakes::fake_form& form() { return static_cast<fakes::fake_form&>(*window); }
    fakes::fake_text_box& formula() { return form().text("Text_calc"); }
    std::optional<std::int64_t> last_showme;
    // The command as the running copy receives it, at the runtime clock's time.
    int execute(const std::u16string& command) {
        int cancel = -1;
        instance::link_execute(*window, formula(), {}, command, cancel, forms.clock_ms, last_showme);
        return cancel;
    }
};

TEST_F(showme_fixture, ShowmeBringsTheWindowToItsPlaceNormalShownAndFocused) {
    const platform::window_state states[] = {platform::window_state::normal, platform::window_state::minimized,
                                             platform::window_state::maximized};
    for (auto state : states) {
        window->move({9000, 6000, 7200, 6000});
        window->set_state(state);
        form().text_box_named("Text_temp1").set_focus();
        forms.clock_ms += instance::showme_interval_ms;
        EXPECT_EQ(execute(u"showme"), 0);
        EXPECT_EQ(window->rect(), (platform::twips_rect{400, 300, 7200, 6000}));
        EXPECT_EQ(window->state(), platform::window_state::normal);
        EXPECT_TRUE(window->visible());
        EXPECT_TRUE(formula().has_focus());
    }
}

TEST_F(showme_fixture, ShowmePlacesTheWindowFromThePrimaryMonitorsCorner) {
    window->move({9000, 6000, 7200, 6000});
    int cancel = -1;
    instance::link_execute(*window, formula(), {19200, 150, 19200, 15360}, u"showme", cancel, forms.clock_ms,
                           last_showme);
    EXPECT_EQ(window->rect(), (platform::twips_rect{19600, 450, 7200, 6000}));
}

TEST_F(showme_fixture, AnyOtherCommandIsAcceptedAndChangesNothing) {
    const std::u16string others[] = {u"SHOWME",      u"showme ", u" showme", u"showme\r",
                                     u"Showme",      u"",        u"show",    std::u16string(u"showme\0", 7),
                                     u"\uFFFD\uFFFD"};
    window->move({9000, 6000, 7200, 6000});
    window->set_state(platform::window_state::minimized);
    for (const auto& command : others) {
        forms.log.clear();
        EXPECT_EQ(execute(command), 0);
        EXPECT_TRUE(forms.log.empty()) << forms.log.front();
        EXPECT_EQ(window->rect(), (platform::twips_rect{9000, 6000, 7200, 6000}));
        EXPECT_EQ(window->state(), platform::window_state::minimized);
        EXPECT_FALSE(window->visible());
        EXPECT_FALSE(formula().has_focus());
    }
}

// A flood of showme commands moves and raises the window at most once per interval; each
// one is still acknowledged.
TEST_F(showme_fixture, ShowmeActsAtMostOncePerIntervalAndAcknowledgesTheRest) {
    EXPECT_EQ(execute(u"showme"), 0);
    ASSERT_EQ(window->rect().left, 400);
    const auto act_after = [&](std::int64_t ms) {
        window->move({9000, 6000, 7200, 6000});
        forms.clock_ms += ms;
        EXPECT_EQ(execute(u"showme"), 0);
        return window->rect().left == 400;
    };
    EXPECT_FALSE(act_after(1));
    EXPECT_FALSE(act_after(instance::showme_interval_ms - 2));
    EXPECT_TRUE(act_after(1)) << "a full interval after the last one that acted";
    EXPECT_FALSE(act_after(50));
}

}  // namespace
