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

// Font (when the control has its own), colours, object and accessible name.
void apply_style(QWidget* w, const control_design& design);

}  // namespace platform::qt
