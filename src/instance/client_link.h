// The client end of the link to a running copy, as calc's picDDE holds it.
#pragma once

#include <memory>
#include <string>

#include "platform/link_service.h"

namespace instance {

// A client link's mode, with the forms runtime's numbers: none has no conversation,
// manual keeps one open for commands.
enum class link_kind { none = 0, manual = 2 };

// The time-out a client link starts with, in tenths of a second. The forms runtime's
// 5 seconds are too short for a running copy that is busy (a long evaluation, a history
// coming in) or crowded; it gets half a minute to answer.
inline constexpr int default_link_timeout = 300;

// The client link of a picture box: a topic "application|topic", a mode and a response
// time-out in tenths of a second. Switching the mode to manual opens a conversation with
// the topic's partner; switching it to none ends the conversation, waiting at most the
// current time-out. Failures are thrown as platform::runtime_error.
class client_link {
public:
    explicit client_link(platform::link_service& service) : service_(service) {}
    ~client_link();
    client_link(const client_link&) = delete;
    client_link& operator=(const client_link&) = delete;

    const std::u16string& link_topic() const { return topic_; }
    void set_link_topic(std::u16string topic) { topic_ = std::move(topic); }
    link_kind link_mode() const { return mode_; }
    void set_link_mode(link_kind mode);
    int link_timeout() const { return timeout_; }
    void set_link_timeout(int tenths) { timeout_ = tenths; }
    // Sends a command over the open conversation and waits for its acceptance.
    void link_execute(const std::u16string& command);

private:
    void close();

    platform::link_service& service_;
    std::u16string topic_;
    link_kind mode_ = link_kind::none;
    int timeout_ = default_link_timeout;
    std::unique_ptr<platform::link_conversation> conversation_;
};

}  // namespace instance
