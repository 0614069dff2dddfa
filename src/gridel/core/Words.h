// The words of a crossword, found in its letter grid every time they are
// needed: a word is a run of two or more letters across (left to right) or
// down (top to bottom) bounded by empty cells or the grid's edges.  Cells
// that start a word are numbered 1, 2, 3 ... in reading order; a cell that
// starts both an across and a down word has one number.  Stored clues are
// (word, clue) pairs that follow their words by text.  Pure: no Qt.
#pragma once

#include <string>
#include <vector>

#include "gridel/core/LetterGrid.h"

namespace gridel {

struct Word {
  int number = 0;
  int col = 0;  // first cell
  int row = 0;
  std::string text;
  std::string clue;
};

struct CluePair {
  std::string word;
  std::string clue;
};
using ClueList = std::vector<CluePair>;

// The words of the grid in numbering order, with their clues.
struct CrosswordWords {
  std::vector<Word> across;
  std::vector<Word> down;
};

// The crossword as the main window holds it.
struct Crossword {
  std::string title;
  LetterGrid grid;
  ClueList clues;  // across words in order, then down words, once generated
};

// Whether the letter cell starts a down word / an across word.
bool StartsDown(const LetterGrid& grid, int col, int row);
bool StartsAcross(const LetterGrid& grid, int col, int row);
// Whether the cell carries a number (starts a word either way).
bool StartsWord(const LetterGrid& grid, int col, int row);

// Every word of the grid, numbered, with empty clues.  Linear in the cells.
CrosswordWords FindWords(const LetterGrid& grid);

// The words with the stored clues attached: the across words in number
// order, then the down words, each take the first unused pair of stored
// whose word matches without regard to Windows-1252 letter case; every pair
// is used at most once.  That is the order SaveWordsAndClues writes, so a
// word that occurs more than once keeps its own clue however often the
// clues are found again.  Pairs used are removed from stored; the others
// stay in their order.
CrosswordWords GenerateClues(const LetterGrid& grid, ClueList& stored);

// The pairs of the words, across first, then down (what the clue dialog
// leaves in the main window when it closes).
ClueList SaveWordsAndClues(const CrosswordWords& words);

// True when no word lacks a clue.
bool AllCluesDone(const CrosswordWords& words);

// Windows-1252 text compared without regard to letter case.
inline bool SameTextNoCase(const std::string& a, const std::string& b) { return SameText1252(a, b); }

}  // namespace gridel
