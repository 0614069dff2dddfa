// The letter grid over arbitrary grids and keys: the first bytes choose the
// size, the rest are operations (type a key, put a text, delete, shift,
// resize, check a typed size).  After every step every cell holds nothing or
// one character of code 32 or above, no angle bracket, that the cell rule
// gives back as it is (so no lower-case letter with an upper case), and the
// words found agree with the numbering test.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "gridel/core/LetterGrid.h"
#include "gridel/core/Words.h"

using fuzzsupport::Check;
using namespace gridel;

namespace {

void CheckCells(const LetterGrid& g) {
  for (int r = -1; r <= g.Size(); ++r)
    for (int c = -1; c <= g.Size(); ++c) {
      const char32_t u = g.At(c, r);
      if (r < 0 || c < 0 || r == g.Size() || c == g.Size()) Check(u == 0);
      if (u == 0) continue;
      Check(u > 32 && u != 127 && u != '<' && u != '>');
      const std::string cell = g.Cell(c, r);
      Check(CellTextFor(cell) == cell);
    }
}

void CheckWords(const LetterGrid& g) {
  const CrosswordWords w = FindWords(g);
  int numbered = 0;
  for (int r = 0; r < g.Size(); ++r)
    for (int c = 0; c < g.Size(); ++c) numbered += StartsWord(g, c, r) ? 1 : 0;
  int last = 0;
  for (const auto* list : {&w.across, &w.down}) {
    int prev = 0;
    for (const Word& word : *list) {
      Check(word.text.size() >= 2);
      Check(word.number > prev && word.number <= numbered);
      prev = word.number;
      Check(StartsWord(g, word.col, word.row));
    }
    if (!list->empty()) last = std::max(last, list->back().number);
  }
  Check(last == numbered);
  ClueList stored;
  for (const Word& word : w.across) stored.push_back({word.text, "c"});
  const size_t before = stored.size();
  const CrosswordWords attached = GenerateClues(g, stored);
  // Every pair is used at most once: those used are gone from the list.
  size_t used = 0;
  for (const auto* list : {&attached.across, &attached.down})
    for (const Word& word : *list) used += word.clue.empty() ? 0 : 1;
  Check(used + stored.size() == before);
  Check(SaveWordsAndClues(attached).size() == w.across.size() + w.down.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 4096) return 0;
  LetterGrid g(data[0] % 24);  // 0..23, taken into 1..23
  size_t i = 1;
  auto next = [&]() -> int { return i < size ? data[i++] : 0; };
  while (i < size) {
    const int op = next() % 9;
    const int c = next() % (g.Size() + 2) - 1;
    const int r = next() % (g.Size() + 2) - 1;
    switch (op) {
      case 0:
      case 1:
        g.TypeKey(c, r, next());
        break;
      case 2: {
        const int len = next() % 3;
        std::string text;
        for (int k = 0; k < len; ++k) text += static_cast<char>(next());
        g.SetCell(c, r, text);
        break;
      }
      case 3:
        g.DeleteCell(c, r);
        break;
      case 4: {
        const Shift s = static_cast<Shift>(next() % 4);
        const bool edge = g.EdgeHoldsLetters(s);
        const LetterGrid before = g;
        g.ShiftLetters(s);
        if (!edge) {  // nothing falls off: shifting back restores the grid
          LetterGrid back = g;
          back.ShiftLetters(s == Shift::Up ? Shift::Down : s == Shift::Down ? Shift::Up
                            : s == Shift::Left ? Shift::Right : Shift::Left);
          Check(back == before);
        }
        break;
      }
      case 5: {
        std::string typed = std::to_string(next() - 64);
        int n = 0;
        if (CheckNewSize(typed, g, n) == SizeCheck::Accepted) {
          const Extent e = g.FindExtent();
          Check(n >= kMinGridSize && n <= kMaxGridSize && n > e.rightCol && n > e.bottomRow);
          int letters = 0, after = 0;
          for (int y = 0; y < g.Size(); ++y)
            for (int x = 0; x < g.Size(); ++x) letters += g.IsLetter(x, y);
          if (n > 30) break;  // keeps the runs quick
          g.Resize(n);
          for (int y = 0; y < g.Size(); ++y)
            for (int x = 0; x < g.Size(); ++x) after += g.IsLetter(x, y);
          Check(letters == after);
        }
        break;
      }
      case 6:
        CheckWords(g);
        break;
      case 7: {  // a character typed as its reference
        const int code = next() * 256 + next();
        g.TypeKey(c, r, "&#" + std::to_string(code) + ";");
        break;
      }
      default:  // 8
        Check(g.NoLetters() == g.FindExtent().Empty());
        break;
    }
    CheckCells(g);
  }
  CheckWords(g);
  return 0;
}
