#include "platform/command_line.h"

#include <cstdio>
#include <string>

namespace platform {

namespace {

enum class info_option { none, help, version };

info_option find_info_option(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == "--help") return info_option::help;
        if (arg == "--version") return info_option::version;
    }
    return info_option::none;
}

std::string version_text(std::string_view program) {
    std::string first(program);
    if (program != "tallix") first += " (tallix)";
    return first + " " TALLIX_VERSION
                   "\n"
                   "Copyright (C) 2026 the tallix authors\n"
                   "License MIT: <https://opensource.org/license/mit>\n"
                   "This is free software: you are free to change and redistribute it.\n"
                   "There is NO WARRANTY, to the extent permitted by law.\n";
}

}  // namespace

std::optional<int> answer_info_option(int argc, const char* const* argv, std::string_view program,
                                      std::string_view help) {
    const info_option option = find_info_option(argc, argv);
    if (option == info_option::none) return std::nullopt;
    const std::string text = option == info_option::help ? std::string(help) : version_text(program);
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) == 0 && written) return 0;
    std::fprintf(stderr, "%.*s: write error\n", static_cast<int>(program.size()), program.data());
    return 1;
}

}  // namespace platform
