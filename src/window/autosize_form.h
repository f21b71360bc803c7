// The proportional layout: the form's size and every control's rectangle are recorded
// once, as designed; on each resize every control is placed at its recorded rectangle
// scaled by the form's current size over the recorded size, across and down apart.
#pragma once

#include <optional>
#include <vector>

#include "platform/forms.h"

namespace window {

// A control as the layout reaches it, property by property, in twips. A control may lack
// a property or refuse to set one: the call then throws.
class layout_control {
public:
    virtual ~layout_control() = default;
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void set_Left(double v) = 0;
    virtual void set_Top(double v) = 0;
    virtual void set_Width(double v) = 0;
    virtual void set_Height(double v) = 0;
    // Without a height the control keeps its own.
    virtual void Move(double left, double top, double width, std::optional<double> height) = 0;
};

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
    // The same for a form of the given outer size (twips) with these controls, in order.
    void record_layout(int form_width, int form_height, const std::vector<layout_control*>& controls);
    void apply_layout(int form_width, int form_height, const std::vector<layout_control*>& controls);

    int design_width = 0;
    int design_height = 0;
    // One entry per control with a position, in control order; two spare cleared entries.
    std::vector<rect_record> design_rects;
};

}  // namespace window
