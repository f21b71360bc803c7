// The proportional layout: the form's size and every control's rectangle are recorded
// once, as designed; on each resize every control is placed at its recorded rectangle
// scaled by the form's current size over the recorded size, across and down apart.
#pragma once

#include <vector>

#include "platform/forms.h"

namespace window {

class autosize_form {
public:
    struct rect_record {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        friend bool operator==(const rect_record&, const rect_record&) = default;
    };

    void record_layout(platform::form& form);
    void apply_layout(platform::form& form);

    int design_width = 0;
    int design_height = 0;
    // One entry per control, in control order; two spare cleared entries.
    std::vector<rect_record> design_rects;
};

}  // namespace window
