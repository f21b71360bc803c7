// Fake link between copies: a network in memory that several fake services share, one
// per pretend process. A service offered on the network is reached by a synchronous
// call; the network records every operation of the clients.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/link_service.h"

namespace fakes {

struct fake_link_network {
    std::map<std::string, platform::execute_handler> served;  // by "application|topic"
    std::multiset<std::string> running;                       // executable names
    std::vector<std::string> log;                             // client operations
    // When set, commands reach the server but no acknowledgement comes back.
    bool drop_acknowledgements = false;
};

class fake_link_service : public platform::link_service {
public:
    // A copy of the executable `exe` starts: it is a previous instance for later copies.
    fake_link_service(fake_link_network& network, std::string exe);
    ~fake_link_service() override;

    bool previous_instance() const override { return previous_; }
    bool serve(const std::string& application, const std::string& topic, platform::execute_handler on_execute) override;
    void withdraw() override;
    void resign() override;
    std::unique_ptr<platform::link_conversation> open(const std::string& application, const std::string& topic,
                                                      int timeout_tenths) override;

    // The name this copy serves under, or empty.
    const std::string& served_name() const { return served_; }

private:
    fake_link_network& network_;
    std::string exe_;
    bool previous_;
    bool running_ = true;  // counts as a running copy of exe_
    std::string served_;
};

}  // namespace fakes
