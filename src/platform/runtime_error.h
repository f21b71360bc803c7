// The one error type outside the expression engine: a number and a description, raised
// by the platform services and by the logic when an operation fails. One that escapes a
// handler reaches the top of the event dispatch, which shows the run-time error report
// ("Run-time error 'N':" and the description) and ends the program without its
// shut-down steps.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// The error numbers the program raises. Its own read as its catalogue says
// (runtime_error.cpp); those it shares with the expression engine read as the engine's
// catalogue says them (vbscript/messages.h). Either way the same number always reads
// the same, and no text stands in two places.
enum error_number : int {
    err_invalid_call = 5,    // the engine's
    err_out_of_memory = 7,   // the engine's
    err_type_mismatch = 13,  // the engine's
    err_internal = 51,
    err_data_folder_in_use = 70,       // another running copy owns the data folder
    link_error_no_answer = 282,        // nobody serves the addressed application|topic
    link_error_refused = 285,          // the partner refused the command or hung up
    link_error_timeout = 286,          // no acknowledgement within the time-out
    link_error_no_channel = 293,       // an execute on a link without an open conversation
    err_invalid_property_value = 380,  // e.g. a script language the control does not have
    err_cannot_create_object = 429,    // e.g. an unknown script control identifier
    err_control_not_found = 730,
};

class runtime_error : public std::runtime_error {
public:
    // With the catalogue's description of the number.
    explicit runtime_error(int number);
    runtime_error(int number, std::u16string description);
    int number() const { return number_; }
    const std::u16string& description() const { return description_; }

private:
    int number_;
    std::u16string description_;
};

// The description of a number above; `detail` names what the error is about where the
// description has a place for it (the control of err_control_not_found). A number that
// neither catalogue knows reads as err_invalid_call.
std::u16string describe(int number, std::u16string_view detail = {});

// Throws the catalogue's error for the number.
[[noreturn]] void raise(int number, std::u16string_view detail = {});

// Whatever exception is in flight, as the error the report shows: a runtime_error as it
// is, running out of memory as err_out_of_memory, anything else as err_internal. Call
// only inside a catch block.
runtime_error current_error();

// The report's text: "Run-time error 'N':", an empty line, the description.
std::u16string runtime_error_report(int number, const std::u16string& description);

}  // namespace platform
