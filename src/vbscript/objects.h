// What an expression can do with arrays and objects beyond passing them on: index an
// array, read a member of the Err object or call one of its methods.
#pragma once

#include <string_view>

#include "vbscript/functions.h"

namespace vbscript {

// array(i): the element at i (rounded to a whole number); out of range, or not exactly
// one subscript, raises 9; a value that is no array raises 13.
variant element_of(const variant& target, arguments subscripts);

// object.member or object.member(arguments): Err's Number, Description, Source,
// HelpFile and HelpContext (as they read while no error is pending), Clear and Raise.
// `object` is the text written before the "." ("Err"), for the messages: a member of
// Nothing raises 91, of anything that is no object 424, a member Err does not have 438.
variant member_of(const variant& target, std::u16string_view object, std::u16string_view name, arguments args);

}  // namespace vbscript
