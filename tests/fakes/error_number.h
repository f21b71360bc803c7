// The number of the run-time error that a call raises, or 0 when it returns normally.
#pragma once

#include <functional>

#include "platform/runtime_error.h"

namespace fakes {

inline int error_number(const std::function<void()>& f) {
    try {
        f();
    } catch (const platform::runtime_error& e) {
        return e.number();
    }
    return 0;
}

}  // namespace fakes
