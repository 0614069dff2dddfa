// Fonts and colours as the font dialog hands them over (FontSpec) and as the
// widgets hold them.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "platform/core/Platform.h"

namespace tavrel {

// base with the name, size and style of fs (a size of 0 keeps base's).
QFont FontFromSpec(const FontSpec& fs, const QFont& base);
// A font and a text colour as a FontSpec.
FontSpec SpecFromFont(const QFont& font, const QColor& colour);

// Colours as 0x00BBGGRR, the font dialog's form.
QColor ColourFromBGR(unsigned bgr);
unsigned BGRFromColour(const QColor& c);

// Gives w's role (its text, a button's text) colour c, whether or not the
// window is active.
void SetTextColour(QWidget* w, QPalette::ColorRole role, const QColor& c);

}  // namespace tavrel
