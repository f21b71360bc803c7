// What travels over the link between two copies: a command is its UTF-8 text followed
// by a line feed, and every command is answered with one line, "ACK" when accepted and
// "NAK" when refused. Qt-free so that the framing can be tested on its own; the socket
// transport (qt_link_service.cpp) uses it on both ends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform::qt::link_protocol {

// The longest line either side accepts, line feed excluded. Commands are a few bytes;
// the bound keeps a misbehaving partner from making the other side buffer without end.
inline constexpr std::size_t max_line = 4096;

inline constexpr std::string_view accepted = "ACK\n";
inline constexpr std::string_view refused = "NAK\n";

// The bytes that carry a command. Throws platform::runtime_error (5, invalid argument)
// when the text cannot travel as one line: it holds a line feed or is longer than
// max_line bytes.
std::string encode_command(std::u16string_view command);
// A received line, without its line feed, as text; invalid UTF-8 becomes U+FFFD.
std::u16string decode_command(std::string_view line);

// Splits a byte stream into lines. It never holds more than its limit: a line that grows
// beyond it marks the stream as overflowed, and from then on nothing more is taken.
class line_reader {
public:
    explicit line_reader(std::size_t limit = max_line) : limit_(limit) {}
    // Takes received bytes and returns the lines they complete, line feeds removed.
    std::vector<std::string> feed(std::string_view bytes);
    bool overflowed() const { return overflowed_; }
    // Bytes of an unfinished line held so far.
    std::size_t pending() const { return partial_.size(); }

private:
    std::size_t limit_;
    std::string partial_;
    bool overflowed_ = false;
};

}  // namespace platform::qt::link_protocol
