// The ANSI code page of the systems the evaluator ran on: 936, simplified Chinese
// (GBK), through the C library's iconv. Asc and Chr, and String with a character code,
// see characters through it: Asc("中") is -10544 (&HD6D0 as an Integer).
#pragma once

#include <string>

namespace vbscript {

// The character code of a character: its one byte, or its two bytes as lead * 256 +
// trail read as a signed 16-bit number. A character the code page has no bytes for is
// "?" (63), as Windows substitutes it.
int ansi_code(char16_t c);

// The text of a character code: one byte up to &HFF, else the two bytes &HLLTT. A
// byte sequence that is no character of the code page is U+30FB, the code page's
// substitute (a lone lead byte, such as Chr(&H81)).
std::u16string ansi_text(unsigned code);

}  // namespace vbscript
