// An error that escapes a handler. The top of the event dispatch catches it, shows the
// run-time error report ("Run-time error 'N':" and the description) and ends the
// program without its shut-down steps. Thrown by the logic and by any platform service.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

class runtime_error : public std::runtime_error {
public:
    runtime_error(int number, std::u16string description);
    int number() const { return number_; }
    const std::u16string& description() const { return description_; }

private:
    int number_;
    std::u16string description_;
};

// The report's text: "Run-time error 'N':", an empty line, the description.
std::u16string runtime_error_report(int number, const std::u16string& description);

}  // namespace platform
