#include "aligrid/core/FontBrush.h"

#include <algorithm>

TMyFont::TMyFont(const TMyFont& other)
    : changed(other.changed),
      color_(other.color_),
      height_(other.height_),
      name_(other.name_),
      pitch_(other.pitch_),
      style_(other.style_) {}

void TMyFont::Changed() {
  changed = true;
  if (OnChange) OnChange();
}

void TMyFont::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Changed();
}

void TMyFont::SetHeight(int pixels) {
  pixels = std::clamp(pixels, kMinFontHeight, kMaxFontHeight);
  if (pixels == height_) return;
  height_ = pixels;
  Changed();
}

void TMyFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TMyFont::SetPitch(TFontPitch p) {
  if (p > fpFixed) p = fpDefault;
  if (p == pitch_) return;
  pitch_ = p;
  Changed();
}

void TMyFont::SetStyle(unsigned bits) {
  bits &= fsAllStyles;
  if (bits == style_) return;
  style_ = bits;
  Changed();
}

void TMyFont::Assign(const TMyFont& source) {
  color_ = source.color_;
  height_ = source.height_;
  name_ = source.name_;
  pitch_ = source.pitch_;
  style_ = source.style_;
  Changed();
}

bool TMyFont::SameValues(const TMyFont& o) const {
  return color_ == o.color_ && height_ == o.height_ && name_ == o.name_ &&
         pitch_ == o.pitch_ && style_ == o.style_;
}

TMyBrush::TMyBrush(const TMyBrush& other)
    : changed(other.changed), color_(other.color_), style_(other.style_) {}

void TMyBrush::Changed() {
  changed = true;
  if (OnChange) OnChange();
}

void TMyBrush::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Changed();
}

void TMyBrush::SetStyle(TBrushStyle s) {
  if (s > bsDiagCross) s = bsSolid;
  if (s == style_) return;
  style_ = s;
  Changed();
}

void TMyBrush::Assign(const TMyBrush& source) {
  color_ = source.color_;
  style_ = source.style_;
  Changed();
}

bool TMyBrush::SameValues(const TMyBrush& o) const {
  return color_ == o.color_ && style_ == o.style_;
}
