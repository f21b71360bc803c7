#include "fakes/fake_link_service.h"

#include "platform/runtime_error.h"
#include "platform/text.h"

namespace fakes {

namespace {

class fake_conversation : public platform::link_conversation {
public:
    fake_conversation(fake_link_network& network, std::string name) : network_(network), name_(std::move(name)) {}

    void execute(const std::u16string& command, int timeout_tenths) override {
        network_.log.push_back("execute " + platform::to_utf8(command) + " " + std::to_string(timeout_tenths));
        auto it = network_.served.find(name_);
        if (it == network_.served.end()) throw platform::runtime_error(platform::link_error_refused, u"partner gone");
        int cancel = -1;
        it->second(command, cancel);
        if (network_.drop_acknowledgements) throw platform::runtime_error(platform::link_error_timeout, u"time-out");
        if (cancel != 0) throw platform::runtime_error(platform::link_error_refused, u"refused");
    }

    void terminate(int timeout_tenths) override {
        network_.log.push_back("terminate " + std::to_string(timeout_tenths));
    }

private:
    fake_link_network& network_;
    std::string name_;
};

}  // namespace

fake_link_service::fake_link_service(fake_link_network& network, std::string exe)
    : network_(network), exe_(std::move(exe)), previous_(network.running.count(exe_) > 0) {
    network_.running.insert(exe_);
}

fake_link_service::~fake_link_service() { resign(); }

void fake_link_service::resign() {
    withdraw();
    if (running_) network_.running.erase(network_.running.find(exe_));
    running_ = false;
}

bool fake_link_service::serve(const std::string& application, const std::string& topic,
                              platform::execute_handler on_execute) {
    const std::string name = application + "|" + topic;
    if (previous_ || network_.served.count(name)) return false;
    withdraw();
    network_.served[name] = std::move(on_execute);
    served_ = name;
    return true;
}

void fake_link_service::withdraw() {
    if (served_.empty()) return;
    network_.served.erase(served_);
    served_.clear();
}

std::unique_ptr<platform::link_conversation> fake_link_service::open(const std::string& application,
                                                                     const std::string& topic, int timeout_tenths) {
    const std::string name = application + "|" + topic;
    network_.log.push_back("open " + name + " " + std::to_string(timeout_tenths));
    if (!network_.served.count(name)) throw platform::runtime_error(platform::link_error_no_answer, u"no answer");
    return std::make_unique<fake_conversation>(network_, name);
}

}  // namespace fakes
