#include "platform/runtime_error.h"

#include "platform/text.h"

namespace platform {

runtime_error::runtime_error(int number, std::u16string description)
    : std::runtime_error("run-time error " + std::to_string(number)),
      number_(number),
      description_(std::move(description)) {}

std::u16string runtime_error_report(int number, const std::u16string& description) {
    return u"Run-time error '" + to_u16(std::to_string(number)) + u"':\r\n\r\n" + description;
}

}  // namespace platform
