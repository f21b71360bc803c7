// The script-control service: an evaluator object made from a programmatic identifier,
// given a script language, that evaluates expression texts. The logic creates a fresh
// one for every evaluation through a script_control_factory, so tests can hand in a
// factory that fails. The real one (make_script_control, platform/vbscript/) knows
// the identifier "MSScriptControl.ScriptControl" and the language "vbscript" and runs
// our own VBScript expression engine.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/vbscript/variant.h"

namespace platform {

// Every failure of the service: creation, the language, an evaluation.
class script_error : public std::runtime_error {
public:
    script_error(int number, std::u16string description);
    // With the description the real control gives the number.
    explicit script_error(int number);
    int number() const { return number_; }
    const std::u16string& description() const { return description_; }

private:
    int number_;
    std::u16string description_;
};

class script_control {
public:
    virtual ~script_control() = default;
    // Sets the Language property; a language the control does not have raises.
    virtual void set_language(std::u16string_view language) = 0;
    // The value of the expression in the set language; any failure raises.
    virtual vbscript::variant Eval(std::u16string_view expression) = 0;
};

// Creates a control from a programmatic identifier; an unknown one raises.
using script_control_factory = std::function<std::unique_ptr<script_control>(std::u16string_view prog_id)>;

// The real factory.
std::unique_ptr<script_control> make_script_control(std::u16string_view prog_id);

}  // namespace platform
