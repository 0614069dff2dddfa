// Fonts and brushes as plain values: what a cell is painted with.  A font
// is a colour, a height in pixels, a face name, a pitch and style bits; a
// brush is a colour and a fill style.  Each carries a changed flag, set by
// every change, and a change callback, which the grid points at its repaint.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "aligrid/core/GridTypes.h"

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontStyleBits : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
constexpr unsigned fsAllStyles = fsBold | fsItalic | fsUnderline | fsStrikeOut;

enum TBrushStyle : std::uint8_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

// Heights outside this range are clamped: a font of a million pixels helps
// nobody and stalls the painter.
constexpr int kMinFontHeight = 1;
constexpr int kMaxFontHeight = 1000;

class TMyFont {
 public:
  TMyFont() = default;
  // A copy takes the values and the changed flag, not the callback.
  TMyFont(const TMyFont& other);
  TMyFont& operator=(const TMyFont&) = delete;

  TColor Color() const { return color_; }
  int Height() const { return height_; }
  const std::string& Name() const { return name_; }
  TFontPitch Pitch() const { return pitch_; }
  unsigned Style() const { return style_; }
  void SetColor(TColor c);
  void SetHeight(int pixels);  // clamped to kMinFontHeight..kMaxFontHeight
  // The size in points at 96 pixels per inch, as a font dialog shows it.
  int Size() const { return (height_ * 72 + 48) / 96; }
  void SetName(const std::string& name);
  void SetPitch(TFontPitch p);
  void SetStyle(unsigned bits);  // masked to the four style bits
  // Takes all values of source as one change.
  void Assign(const TMyFont& source);
  bool SameValues(const TMyFont& other) const;

  bool changed = false;
  std::function<void()> OnChange;

 private:
  void Changed();
  TColor color_ = clWindowText;
  int height_ = 13;
  std::string name_ = "Arial";
  TFontPitch pitch_ = fpDefault;
  unsigned style_ = 0;
};

class TMyBrush {
 public:
  TMyBrush() = default;
  TMyBrush(const TMyBrush& other);
  TMyBrush& operator=(const TMyBrush&) = delete;

  TColor Color() const { return color_; }
  TBrushStyle Style() const { return style_; }
  void SetColor(TColor c);
  void SetStyle(TBrushStyle s);
  void Assign(const TMyBrush& source);
  bool SameValues(const TMyBrush& other) const;

  bool changed = false;
  std::function<void()> OnChange;

 private:
  void Changed();
  TColor color_ = clWindow;
  TBrushStyle style_ = bsSolid;
};
