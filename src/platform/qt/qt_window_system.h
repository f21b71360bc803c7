// The window system on Qt, made once by main.cpp beside the forms runtime.
#pragma once

#include "platform/window_system.h"

namespace platform::qt {

class qt_forms_runtime;

// The window system on Qt: the forms of the runtime, placed in screen pixels.
class qt_window_system : public window_system {
public:
    explicit qt_window_system(qt_forms_runtime& forms) : forms_(forms) {}
    bool set_window_pos(window_handle w, window_handle insert_after, int x, int y, int cx, int cy,
                        unsigned flags) override;
    pixel_rect window_rect(window_handle w) const override;
    std::vector<monitor> monitors() const override;
    pixel_point cursor_pos() const override;
    bool pointer_gone_from(window_handle w) const override;
    window_proc window_procedure(window_handle w) const override;
    window_proc set_window_procedure(window_handle w, window_proc p) override;

private:
    qt_forms_runtime& forms_;
};

}  // namespace platform::qt
