// The script-control service: an evaluator object made from a programmatic identifier,
// given a script language, that evaluates expression texts. The logic creates a fresh
// one for every evaluation through a script_control_factory, so tests can hand in a
// factory that fails or a control that answers what they need. The real one is the
// adapter on our own expression engine (eval/vbscript_control.h). Every failure is a
// platform::runtime_error.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/runtime_error.h"
#include "vbscript/variant.h"

namespace platform {

class script_control {
public:
    virtual ~script_control() = default;
    // Sets the Language property; a language the control does not have raises.
    virtual void set_language(std::u16string_view language) = 0;
    // The value of the expression in the set language, of any type; any failure raises.
    virtual vbscript::variant Eval(std::u16string_view expression) = 0;
};

// Creates a control from a programmatic identifier; an unknown one raises.
using script_control_factory = std::function<std::unique_ptr<script_control>(std::u16string_view prog_id)>;

}  // namespace platform
