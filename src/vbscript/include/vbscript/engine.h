// The VBScript expression engine: text in, a Variant value or an error (a VBScript
// number and its Chinese description) out. It knows nothing of who asks. This header,
// with the value type (variant.h), the number-to-text conversion (number_text.h) and
// the message catalogue (messages.h), is the engine's public face; the rest of
// src/vbscript/ is its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vbscript/variant.h"

namespace vbscript {

struct evaluation {
    variant value;
    int error_number = 0;  // 0: no error
    std::u16string error_description;

    bool failed() const { return error_number != 0; }
};

// Compiles the whole text, then runs it; a syntax error is reported before any run-time
// error. Never throws; safe on any input, however long or deeply nested.
evaluation evaluate(std::u16string_view expression);

// The text as the engine reads it when it holds full-width forms outside its string
// literals, as a Chinese input method types them: U+FF01 to U+FF5E read as their ASCII
// counterparts ("１＋２" as "1+2") and the ideographic space U+3000 as a blank, while
// string literals keep every character. Nothing when the text has none.
std::optional<std::u16string> halfwidth_forms(std::u16string_view text);

}  // namespace vbscript
