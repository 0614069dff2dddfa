// Value types shared by the aligned grid's core and its widget: the
// enumerations (their ordinal values are stored, so their order is fixed),
// colours and cell ranges.
#pragma once

#include <cstdint>

// Alignment of a cell's text; alDefault means "not set here, inherit".
enum TMyAlign : std::uint8_t { alRight, alLeft, alCenter, alDefault };

// Word wrap of a cell's text; ww_default means "not set here, inherit".
enum T_Wordwrap : std::uint8_t { ww_none, ww_wordwrap, ww_ellipsis, ww_default };

// Direction of the step to the next cell (after Enter or on Tab).
enum T_nextcell : std::uint8_t {
  nc_rightdown, nc_downright, nc_leftdown, nc_downleft,
  nc_leftup, nc_upleft, nc_rightup, nc_upright
};

// What happens when a step runs off the end of the grid.
enum T_lastcell : std::uint8_t { lc_newcolrow, lc_stop, lc_first, lc_exit };

// Result of comparing two rows or columns: 2 the first is smaller, 1 equal,
// 0 the first is greater.
using t_relation = int;
constexpr t_relation relGreater = 0;
constexpr t_relation relEqual = 1;
constexpr t_relation relSmaller = 2;

// Editability held by a property record: 0 inherit, 1 not editable, 2 editable.
constexpr std::uint8_t editInherit = 0;
constexpr std::uint8_t editNo = 1;
constexpr std::uint8_t editYes = 2;

// Colours as 0x00BBGGRR.  With the top bit set the low byte names a system
// colour, resolved from the desktop's palette when the cell is painted.
using TColor = std::uint32_t;
constexpr TColor clSystemColor = 0x80000000u;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clWhite = 0xFFFFFF;

constexpr bool IsSystemColor(TColor c) { return (c & clSystemColor) != 0; }

// A rectangle of cells, inclusive on all sides.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

// Shift state of a key or mouse event.
enum TShiftBits : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;
