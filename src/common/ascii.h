// The case of ASCII letters, for words matched without regard to it: the engine's names,
// keywords and literals, and the script control's identifiers ("MSScriptControl.
// ScriptControl", "VBScript"). The wider folding of LCase and UCase plays no part here.
#pragma once

#include <cstddef>
#include <string_view>

namespace common {

inline char16_t ascii_lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

inline bool same_ignoring_case(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

}  // namespace common
