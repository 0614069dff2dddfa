#include "platform/qt/Fonts.h"

#include <QWidget>

#include "platform/qt/QtText.h"

namespace tavrel {

QFont FontFromSpec(const FontSpec& fs, const QFont& base) {
  QFont font(base);
  font.setFamily(toQString(fs.name));
  if (fs.size > 0) font.setPointSize(fs.size);
  font.setBold(fs.bold);
  font.setItalic(fs.italic);
  font.setUnderline(fs.underline);
  return font;
}

FontSpec SpecFromFont(const QFont& font, const QColor& colour) {
  FontSpec fs;
  fs.name = fromQString(font.family());
  fs.size = font.pointSize() > 0 ? font.pointSize() : 10;
  fs.bold = font.bold();
  fs.italic = font.italic();
  fs.underline = font.underline();
  fs.color = BGRFromColour(colour);
  return fs;
}

QColor ColourFromBGR(unsigned bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

void SetTextColour(QWidget* w, QPalette::ColorRole role, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::Active, role, c);
  p.setColor(QPalette::Inactive, role, c);
  w->setPalette(p);
}

unsigned BGRFromColour(const QColor& c) {
  return static_cast<unsigned>(c.red()) | (static_cast<unsigned>(c.green()) << 8) |
         (static_cast<unsigned>(c.blue()) << 16);
}

}  // namespace tavrel
