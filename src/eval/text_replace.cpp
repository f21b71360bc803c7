#include "eval/text_replace.h"

namespace eval {

std::u16string replace_all(std::u16string_view text, std::u16string_view from, std::u16string_view to) {
    std::u16string out;
    size_t start = 0;
    for (size_t at = text.find(from); at != std::u16string_view::npos; at = text.find(from, start)) {
        out.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

}  // namespace eval
