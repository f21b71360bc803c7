// Text, fonts and the widget style for the Qt layer's controls.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

#include "platform/forms.h"

namespace platform::qt {

QString to_qstring(std::u16string_view s);
std::u16string from_qstring(const QString& s);

// The font as designed; faces that Linux lacks are mapped by substitutions installed once
// (see install_font_substitutions).
QFont to_qfont(const font_spec& f);
void install_font_substitutions();

// The application's widget style, with the frames of text boxes and the width of scroll
// bars kept on the pixel grid (see pixel_grid), so that at a fractional scale factor no
// frame line falls between screen pixels and vanishes under the box's content.
void install_grid_style();

// Font (when the control has its own), colours, object and accessible name.
void apply_style(QWidget* w, const control_design& design);

}  // namespace platform::qt
