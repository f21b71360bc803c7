// The link between running copies of the program, standing in for DDE: the
// previous-instance test, a named service that the running copy offers, and client
// conversations that carry one command and wait for its acknowledgement. Abstract so the
// single-instance logic runs on a fake in tests (tests/fakes/); the real one is a local
// socket in the user's private runtime folder (src/platform/qt/qt_link_service.cpp).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/runtime_error.h"

namespace platform {

// Receives one command; sets cancel to 0 to accept it. The service starts every call
// with cancel true (-1), so a handler that leaves it alone refuses the command.
using execute_handler = std::function<void(const std::u16string& command, int& cancel)>;

// One client conversation. Failures are thrown as platform::runtime_error.
class link_conversation {
public:
    virtual ~link_conversation() = default;
    // Sends the command and waits up to timeout_tenths (tenths of a second) for the
    // partner's answer; returns only when the command was accepted.
    virtual void execute(const std::u16string& command, int timeout_tenths) = 0;
    // Ends the conversation, waiting at most timeout_tenths for the partner. Never throws.
    virtual void terminate(int timeout_tenths) = 0;
};

class link_service {
public:
    virtual ~link_service() = default;
    // True exactly when another copy of the same program (same executable name) runs
    // for this user. The answer is fixed when the service is made.
    virtual bool previous_instance() const = 0;
    // Offers application|topic; each complete command a client sends goes to on_execute
    // and is answered with its acceptance. Only the first copy can serve: returns false
    // when another copy runs or the service cannot be offered.
    virtual bool serve(const std::string& application, const std::string& topic, execute_handler on_execute) = 0;
    // Stops offering the service; nothing happens when none is offered.
    virtual void withdraw() = 0;
    // Stops counting as the running copy: withdraws the service and lets a copy started
    // from now on be the first.
    virtual void resign() = 0;
    // Opens a conversation with application|topic, waiting up to timeout_tenths for the
    // server. Throws platform::runtime_error (link_error_no_answer) when nobody serves it.
    virtual std::unique_ptr<link_conversation> open(const std::string& application, const std::string& topic,
                                                    int timeout_tenths) = 0;
};

}  // namespace platform
