#include "instance/client_link.h"

#include "platform/runtime_error.h"
#include "platform/text.h"

namespace instance {

client_link::~client_link() { close(); }

void client_link::close() {
    if (conversation_) conversation_->terminate(timeout_);
    conversation_.reset();
    mode_ = link_kind::none;
}

void client_link::set_link_mode(link_kind mode) {
    close();
    if (mode == link_kind::none) return;
    const std::string topic = platform::to_utf8(topic_);
    const std::size_t bar = topic.find('|');
    if (bar == std::string::npos || bar == 0) platform::raise(platform::link_error_no_answer);
    conversation_ = service_.open(topic.substr(0, bar), topic.substr(bar + 1), timeout_);
    mode_ = mode;
}

void client_link::link_execute(const std::u16string& command) {
    if (!conversation_) platform::raise(platform::link_error_no_channel);
    conversation_->execute(command, timeout_);
}

}  // namespace instance
