// The crossword's letter grid as plain data: a square grid of cells, each
// empty or holding exactly one letter, stored upper-cased.  A letter is kept
// as its Unicode code point; its text is the Windows-1252 character, or the
// numeric character reference ("&#321;") of a letter the code page cannot
// hold, the way every other text of the suite keeps such letters.  Columns
// and rows count from 0; a cell is named column first.  Everything that
// reads a neighbour goes through At(), which gives "empty" for any place
// outside the grid.  Pure: no Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shared/core/StringFunctions.h"

namespace gridel {

inline constexpr int kMinGridSize = 4;
inline constexpr int kMaxGridSize = 100;
inline constexpr int kDefaultGridSize = 20;

// The used extent: smallest and largest row and column holding a letter;
// all four are -1 when the grid is empty.
struct Extent {
  int topRow = -1;
  int bottomRow = -1;
  int leftCol = -1;
  int rightCol = -1;
  bool Empty() const { return topRow < 0; }
};

enum class Shift { Up, Down, Left, Right };

class LetterGrid {
 public:
  LetterGrid() : LetterGrid(kDefaultGridSize) {}
  // size is taken into 1..kMaxGridSize.
  explicit LetterGrid(int size);

  int Size() const { return size_; }

  // The letter of a cell as a Unicode code point, 0 for an empty cell or a
  // place outside the grid.
  char32_t At(int col, int row) const;
  bool IsLetter(int col, int row) const { return At(col, row) != 0; }
  // The cell's text: "", one Windows-1252 character or one character
  // reference.
  std::string Cell(int col, int row) const;

  // Puts text into a cell by the cell rule (CellTextFor).  True when the cell
  // changed; a refused text or a place outside the grid changes nothing.
  bool SetCell(int col, int row, const std::string& text);

  // A key typed on a cell (a Windows-1252 code 0..255, or -1 for a character
  // the code page cannot hold), by KeyToCell.  True when the key is one the
  // grid takes (the crossword is then marked modified); control keys and
  // refused characters change nothing and give false.
  bool TypeKey(int col, int row, int key);
  // A character typed on a cell as text: one Windows-1252 character, or the
  // character reference of one the code page cannot hold (a letter of any
  // language is taken, upper-cased by its own case rules).  As TypeKey.
  bool TypeKey(int col, int row, const std::string& typed);

  // The Delete key: empties the cell.  True when the cell held a letter.
  bool DeleteCell(int col, int row);

  // Empties every cell; the size stays.
  void Clear();

  // New size (taken into 1..kMaxGridSize); letters keep their row and column,
  // letters outside the new size are dropped (callers check first).
  void Resize(int newSize);

  bool NoLetters() const;
  Extent FindExtent() const;

  // Whether the row or column that a shift pushes off the grid holds a letter
  // (the window then asks before shifting).
  bool EdgeHoldsLetters(Shift shift) const;
  // Moves every letter one cell; the edge that falls off is lost and the
  // opposite edge becomes empty.  Every shift is a change to the crossword
  // (the window marks it modified, whichever the direction).
  void ShiftLetters(Shift shift);

  bool operator==(const LetterGrid& other) const = default;

 private:
  int size_;
  std::vector<char32_t> cells_;  // row by row; 0 = empty
};

// The Windows-1252 upper case of a character or text (the shared case
// mapping: sharp s and the micro sign stay as they are).
using ::UpperCase1252;

// The cell text a typed key gives: "" for Backspace (8) and Space; "[" for
// "<" and "]" for ">"; else the character upper-cased.  None for control
// characters, DEL, the five codes Windows-1252 leaves undefined, the
// no-break space and the soft hyphen (they would look like an empty cell)
// and -1 (a character the code page cannot hold): the key is refused.
std::optional<std::string> KeyToCell(int key);

// The cell text for a text put into a cell (a loaded cell, a paste): "" for
// an empty text or a blank; else one character by KeyToCell, where the
// character may also be the reference of a letter Windows-1252 cannot hold
// ("&#322;" gives "&#321;") or the UTF-8 bytes of one character (what a
// file edited in a UTF-8 editor holds).  None for a text of more than one
// character or a refused character, among them every character that shows
// nothing by itself (IsUnseenCharacter: other spaces, zero-width and format
// characters, a lone combining accent).
std::optional<std::string> CellTextFor(const std::string& text);

// The grid size stored in the settings: a whole number from 1 to
// kMaxGridSize, else kDefaultGridSize.
int GridSizeFromSetting(const std::string& value);

// Side of a cell in pixels for a grid control of the given size in pixels:
// never below 1, whatever the window size.
int CellSide(int width, int height, int gridSize);

// The size dialog's answer.  The refusals are tested in this order.
enum class SizeCheck {
  Accepted,
  NotANumber,           // "Not a valid number."
  TooLarge,             // above kMaxGridSize
  TooSmallForLetters,   // not above the extent's last row or column
  TooSmallToBeUseful,   // below kMinGridSize
};
SizeCheck CheckNewSize(const std::string& typed, const LetterGrid& grid, int& newSize);
// The warning of a refusal ("" for Accepted).
std::string SizeRefusalMessage(SizeCheck check);

// The question asked before a shift whose edge holds letters.
std::string ShiftQuestion(Shift shift);

}  // namespace gridel
