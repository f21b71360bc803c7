#include "platform/qt/link_protocol.h"

#include "platform/runtime_error.h"
#include "platform/text.h"

namespace platform::qt::link_protocol {

std::string encode_command(std::u16string_view command) {
    std::string bytes = to_utf8(command);
    if (bytes.find('\n') != std::string::npos || bytes.size() > max_line) raise(err_invalid_call);
    bytes += '\n';
    return bytes;
}

std::u16string decode_command(std::string_view line) { return to_u16(line); }

std::vector<std::string> line_reader::feed(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!overflowed_ && !bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (partial_.size() + piece.size() > limit_) {
            overflowed_ = true;
            partial_.clear();
            partial_.shrink_to_fit();
            break;
        }
        partial_.append(piece);
        if (end == std::string_view::npos) break;
        lines.push_back(std::move(partial_));
        partial_.clear();
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace platform::qt::link_protocol
