// One set of display properties for one cell, column or row: alignment,
// word wrap, editability, and optionally its own brush and font (and the
// colours used while the cell is drawn selected).  Unset members inherit.
#pragma once

#include <cstdint>
#include <memory>

#include "aligrid/core/FontBrush.h"
#include "aligrid/core/GridTypes.h"

class TAlignGridCore;
class TReader;
class TWriter;

class TCellProperties {
 public:
  explicit TCellProperties(TAlignGridCore* grid) : Grid(grid) {}
  virtual ~TCellProperties() = default;
  TCellProperties(const TCellProperties&) = delete;
  TCellProperties& operator=(const TCellProperties&) = delete;

  // With a source: its alignment, wrap, objects and editability; without
  // one (nullptr): back to the defaults, all objects removed.
  // The members that differ from the defaults as (tag, values), closed by
  // the tag 0; ReadTag reads the values of one tag (an unknown tag: none).
  virtual void WriteData(TWriter& w) const;
  virtual void ReadTag(int tag, TReader& r);
  virtual void Assign(const TCellProperties* source);
  virtual bool IsDefault() const;
  // Always a plain TCellProperties with the same owner.
  virtual std::unique_ptr<TCellProperties> Clone() const;

  // The record keeps its own copies: nullptr removes the object, anything
  // else is copied into the record's own font or brush, whose changes then
  // repaint the grid.
  void SetBrush(const TMyBrush* b);
  void SetSelectedBrush(const TMyBrush* b);
  void SetFont(const TMyFont* f);
  void SetSelectedFont(const TMyFont* f);

  TAlignGridCore* Grid;
  std::unique_ptr<TMyBrush> Brush;
  std::unique_ptr<TMyBrush> SelectedBrush;
  std::unique_ptr<TMyFont> Font;
  std::unique_ptr<TMyFont> SelectedFont;
  TMyAlign Align = alDefault;
  T_Wordwrap Wordwrap = ww_default;
  std::uint8_t Edit = editInherit;
};
