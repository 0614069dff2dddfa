#include "gridel/core/LetterGrid.h"

#include <algorithm>

#include "gridel/core/UnseenCharacters.h"
#include "platform/core/TextCodec.h"
#include "shared/core/StringFunctions.h"

namespace gridel {

namespace {

constexpr char32_t kDotlessI = 0x131;

int ClampSize(int size) { return std::clamp(size, 1, kMaxGridSize); }

// Codes Windows-1252 leaves without a character.
bool Undefined1252(int code) {
  return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

// The letter a cell holds for a typed Windows-1252 key: 0 for a blank, none
// for a refused key (KeyToCell).
std::optional<char32_t> LetterForKey(int key) {
  const std::optional<std::string> cell = KeyToCell(key);
  if (!cell) return std::nullopt;
  if (cell->empty()) return char32_t{0};
  return tavrel::Win1252ToUnicode(static_cast<unsigned char>((*cell)[0]));
}

// The letter a cell holds for a character Windows-1252 cannot hold: the
// character upper-cased by its own case rules; none for a character that
// shows nothing by itself (a cell holding it would look empty) or a
// non-character.  The Turkish and Azerbaijani dotless i stays as it is:
// its capital I is the capital of i too, and the two are different letters.
std::optional<char32_t> LetterForForeign(char32_t u) {
  if (u > 0x10FFFF || IsUnseenCharacter(u) || (u & 0xFFFE) == 0xFFFE ||
      (u >= 0xFDD0 && u <= 0xFDEF))
    return std::nullopt;
  if (u == kDotlessI) return u;
  const char32_t upper = tavrel::UnicodeUpperCase(u);
  const int byte = tavrel::UnicodeToWin1252(upper);
  // A capital the code page holds follows its rules.
  return byte >= 0 ? LetterForKey(byte) : std::optional<char32_t>(upper);
}

// The letter a cell takes for a text: one Windows-1252 character, or the
// whole text one character reference, or (utf8) the whole text the UTF-8
// bytes of one character.
std::optional<char32_t> LetterFor(const std::string& text, bool utf8) {
  if (text.empty()) return char32_t{0};
  if (text.size() == 1) {
    const int key = static_cast<unsigned char>(text[0]);
    if (key == 8) return std::nullopt;  // a stored backspace is no blank
    return LetterForKey(key);
  }
  char32_t u = 0;
  std::size_t length = 0;
  if (tavrel::ForeignReferenceAt(text, 0, u, length) && length == text.size()) return LetterForForeign(u);
  if (!utf8) return std::nullopt;
  const std::string decoded = tavrel::Utf8ToWin1252(text);
  if (decoded == text) return std::nullopt;  // not UTF-8: more than one character
  return LetterFor(decoded, false);
}

}  // namespace

LetterGrid::LetterGrid(int size)
    : size_(ClampSize(size)), cells_(static_cast<size_t>(size_) * size_, 0) {}

char32_t LetterGrid::At(int col, int row) const {
  if (col < 0 || row < 0 || col >= size_ || row >= size_) return 0;
  return cells_[static_cast<size_t>(row) * size_ + col];
}

std::string LetterGrid::Cell(int col, int row) const {
  std::string text;
  if (const char32_t u = At(col, row)) tavrel::AppendWin1252(text, u);
  return text;
}

bool LetterGrid::SetCell(int col, int row, const std::string& text) {
  if (col < 0 || row < 0 || col >= size_ || row >= size_) return false;
  const std::optional<char32_t> letter = LetterFor(text, true);
  if (!letter) return false;
  char32_t& c = cells_[static_cast<size_t>(row) * size_ + col];
  if (c == *letter) return false;
  c = *letter;
  return true;
}

bool LetterGrid::TypeKey(int col, int row, int key) {
  if (col < 0 || row < 0 || col >= size_ || row >= size_) return false;
  const std::optional<char32_t> letter = LetterForKey(key);
  if (!letter) return false;
  cells_[static_cast<size_t>(row) * size_ + col] = *letter;
  return true;
}

bool LetterGrid::TypeKey(int col, int row, const std::string& typed) {
  if (typed.size() == 1) return TypeKey(col, row, static_cast<unsigned char>(typed[0]));
  if (col < 0 || row < 0 || col >= size_ || row >= size_) return false;
  const std::optional<char32_t> letter = LetterFor(typed, false);
  if (!letter) return false;
  cells_[static_cast<size_t>(row) * size_ + col] = *letter;
  return true;
}

bool LetterGrid::DeleteCell(int col, int row) {
  if (!IsLetter(col, row)) return false;
  cells_[static_cast<size_t>(row) * size_ + col] = 0;
  return true;
}

void LetterGrid::Clear() { std::fill(cells_.begin(), cells_.end(), 0); }

void LetterGrid::Resize(int newSize) {
  newSize = ClampSize(newSize);
  if (newSize == size_) return;
  std::vector<char32_t> next(static_cast<size_t>(newSize) * newSize, 0);
  const int keep = std::min(size_, newSize);
  for (int r = 0; r < keep; ++r)
    for (int c = 0; c < keep; ++c) next[static_cast<size_t>(r) * newSize + c] = At(c, r);
  size_ = newSize;
  cells_ = std::move(next);
}

bool LetterGrid::NoLetters() const {
  return std::all_of(cells_.begin(), cells_.end(), [](char32_t c) { return c == 0; });
}

Extent LetterGrid::FindExtent() const {
  Extent e;
  for (int r = 0; r < size_; ++r) {
    for (int c = 0; c < size_; ++c) {
      if (!At(c, r)) continue;
      if (e.leftCol < 0 || c < e.leftCol) e.leftCol = c;
      if (e.topRow < 0) e.topRow = r;
      if (c > e.rightCol) e.rightCol = c;
      e.bottomRow = r;
    }
  }
  return e;
}

bool LetterGrid::EdgeHoldsLetters(Shift shift) const {
  const int m = size_ - 1;
  for (int i = 0; i < size_; ++i) {
    switch (shift) {
      case Shift::Up:
        if (At(i, 0)) return true;
        break;
      case Shift::Down:
        if (At(i, m)) return true;
        break;
      case Shift::Left:
        if (At(0, i)) return true;
        break;
      case Shift::Right:
        if (At(m, i)) return true;
        break;
    }
  }
  return false;
}

void LetterGrid::ShiftLetters(Shift shift) {
  // The cell each cell takes its letter from; outside the grid gives empty.
  int dc = 0, dr = 0;
  switch (shift) {
    case Shift::Up: dr = 1; break;
    case Shift::Down: dr = -1; break;
    case Shift::Left: dc = 1; break;
    case Shift::Right: dc = -1; break;
  }
  std::vector<char32_t> next(cells_.size(), 0);
  for (int r = 0; r < size_; ++r)
    for (int c = 0; c < size_; ++c) next[static_cast<size_t>(r) * size_ + c] = At(c + dc, r + dr);
  cells_ = std::move(next);
}

std::optional<std::string> KeyToCell(int key) {
  if (key == 8 || key == ' ') return std::string();
  if (key < 32 || key > 255 || key == 127 || Undefined1252(key)) return std::nullopt;
  // The no-break space and the soft hyphen would look like an empty cell.
  if (IsUnseenCharacter(tavrel::Win1252ToUnicode(static_cast<unsigned char>(key)))) return std::nullopt;
  if (key == '<') return std::string("[");
  if (key == '>') return std::string("]");
  return std::string(1, UpperCase1252(static_cast<char>(key)));
}

std::optional<std::string> CellTextFor(const std::string& text) {
  const std::optional<char32_t> letter = LetterFor(text, true);
  if (!letter) return std::nullopt;
  std::string cell;
  if (*letter) tavrel::AppendWin1252(cell, *letter);
  return cell;
}

int GridSizeFromSetting(const std::string& value) {
  int n = 0;
  if (StrToIntStrict(value, n) && n >= 1 && n <= kMaxGridSize) return n;
  return kDefaultGridSize;
}

int CellSide(int width, int height, int gridSize) {
  const int room = std::max(0, std::min(width, height) - 24);
  return std::max(1, room / std::max(1, gridSize));
}

SizeCheck CheckNewSize(const std::string& typed, const LetterGrid& grid, int& newSize) {
  int n = 0;
  if (!StrToIntStrict(Trim(typed), n)) return SizeCheck::NotANumber;
  if (n > kMaxGridSize) return SizeCheck::TooLarge;
  const Extent e = grid.FindExtent();
  if (n <= e.rightCol || n <= e.bottomRow) return SizeCheck::TooSmallForLetters;
  if (n < kMinGridSize) return SizeCheck::TooSmallToBeUseful;
  newSize = n;
  return SizeCheck::Accepted;
}

std::string SizeRefusalMessage(SizeCheck check) {
  switch (check) {
    case SizeCheck::Accepted: return {};
    case SizeCheck::NotANumber: return "Not a valid number.";
    case SizeCheck::TooLarge:
      return "This is larger than the program can easily show. Please number less than 101.";
    case SizeCheck::TooSmallForLetters:
      return "This is too small for your current crossword. You will lose data if you do this.";
    case SizeCheck::TooSmallToBeUseful:
      return "This is too small to make a useful crossword. You need a grid at least 4 X 4.";
  }
  return {};
}

std::string ShiftQuestion(Shift shift) {
  const char* where = "top";
  const char* way = "up";
  switch (shift) {
    case Shift::Up: break;
    case Shift::Down: where = "bottom"; way = "down"; break;
    case Shift::Left: where = "left"; way = "left"; break;
    case Shift::Right: where = "right"; way = "right"; break;
  }
  return std::string("Some letters will be lost from the ") + where +
         " of the grid. Do you still want to move the grid " + way + "?";
}

}  // namespace gridel
