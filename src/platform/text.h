// Text helpers shared by the platform adapters and the logic: UTF-8/UTF-16 conversion
// and the mapping between the text box model (line breaks as CR LF) and a view that
// holds each line break as a single LF, for texts and positions.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Invalid UTF-8 sequences become U+FFFD; unpaired surrogates likewise on the way back.
std::u16string to_u16(std::string_view utf8);
// Whether the bytes are UTF-8 throughout, so that to_u16 replaces nothing.
bool is_utf8(std::string_view bytes);
std::string to_utf8(std::u16string_view utf16);
// UTF-16 bytes (no byte-order mark) as code units, taken as they are; an odd last byte
// is left out.
std::u16string utf16_from_bytes(std::string_view bytes, bool little_endian = true);

// CR LF (and any lone CR or LF) to LF: the model text as a one-unit-per-break view.
std::u16string to_lf(std::u16string_view model);
// The same, in place: no second copy of a long text.
void to_lf_in_place(std::u16string& text);
// LF to CR LF.
std::u16string to_crlf(std::u16string_view view);

// A position in the model text (CR LF breaks) to the position in its LF view, counted
// on the view, so that no model text need be made for it. A position between CR and LF
// maps to the position before the break.
int model_to_view_pos(std::u16string_view view, int model_pos);
// A position in the LF view to the position in the model text.
int view_to_model_pos(std::u16string_view view, int pos);

}  // namespace platform
