#include "platform/Fonts.h"

#include "platform/QtText.h"

namespace tavrel {

QFont FontFromSpec(const FontSpec& spec, const QFont& base) {
  QFont font(base);
  font.setFamily(toQString(spec.name));
  if (spec.size > 0) font.setPointSize(spec.size);
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  return font;
}

FontSpec SpecFromFont(const QFont& font, const QColor& colour) {
  FontSpec spec;
  spec.name = fromQString(font.family());
  spec.size = font.pointSize() > 0 ? font.pointSize() : 10;
  spec.bold = font.bold();
  spec.italic = font.italic();
  spec.underline = font.underline();
  spec.color = BGRFromColour(colour);
  return spec;
}

QColor ColourFromBGR(unsigned bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

unsigned BGRFromColour(const QColor& c) {
  return static_cast<unsigned>(c.red()) | (static_cast<unsigned>(c.green()) << 8) |
         (static_cast<unsigned>(c.blue()) << 16);
}

}  // namespace tavrel
