// The two options that every program of the package answers as GNU programs do:
// --help and --version print a text to standard output and end the program before it
// does anything else. Every other argument is left to the program.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

// When the arguments before a "--" hold --help or --version, the first of them is
// answered: the help text, or the version text of `program` ("<program> (tallix)
// <version>", the copyright, the licence and the warranty lines). Returns the exit
// status then: 0, or 1 when standard output could not be written (said on standard
// error). Returns nothing when neither option is there.
std::optional<int> answer_info_option(int argc, const char* const* argv, std::string_view program,
                                      std::string_view help);

}  // namespace platform
