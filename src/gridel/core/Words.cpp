#include "gridel/core/Words.h"

#include <deque>
#include <unordered_map>

namespace gridel {

bool StartsDown(const LetterGrid& g, int col, int row) {
  return g.IsLetter(col, row) && !g.IsLetter(col, row - 1) && g.IsLetter(col, row + 1);
}

bool StartsAcross(const LetterGrid& g, int col, int row) {
  return g.IsLetter(col, row) && !g.IsLetter(col - 1, row) && g.IsLetter(col + 1, row);
}

bool StartsWord(const LetterGrid& g, int col, int row) {
  return StartsDown(g, col, row) || StartsAcross(g, col, row);
}

CrosswordWords FindWords(const LetterGrid& g) {
  CrosswordWords words;
  const int n = g.Size();
  int number = 1;
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) {
      bool starts = false;
      if (StartsDown(g, c, r)) {
        Word w{number, c, r, {}, {}};
        for (int i = r; g.IsLetter(c, i); ++i) w.text += g.Cell(c, i);
        words.down.push_back(std::move(w));
        starts = true;
      }
      if (StartsAcross(g, c, r)) {
        Word w{number, c, r, {}, {}};
        for (int i = c; g.IsLetter(i, r); ++i) w.text += g.Cell(i, r);
        words.across.push_back(std::move(w));
        starts = true;
      }
      if (starts) ++number;
    }
  }
  return words;
}

CrosswordWords GenerateClues(const LetterGrid& grid, ClueList& stored) {
  CrosswordWords words = FindWords(grid);
  // The unused pairs of each word text (upper-cased), first in list first.
  std::unordered_map<std::string, std::deque<size_t>> byWord;
  for (size_t i = 0; i < stored.size(); ++i) byWord[UpperCase1252(stored[i].word)].push_back(i);
  std::vector<bool> used(stored.size(), false);

  auto attach = [&](Word& w) {
    auto it = byWord.find(UpperCase1252(w.text));
    if (it == byWord.end() || it->second.empty()) return;
    const size_t i = it->second.front();
    it->second.pop_front();
    w.clue = stored[i].clue;
    used[i] = true;
  };
  // The order of SaveWordsAndClues: across first, then down.
  for (Word& w : words.across) attach(w);
  for (Word& w : words.down) attach(w);
  ClueList rest;
  for (size_t i = 0; i < stored.size(); ++i)
    if (!used[i]) rest.push_back(std::move(stored[i]));
  stored = std::move(rest);
  return words;
}

ClueList SaveWordsAndClues(const CrosswordWords& words) {
  ClueList list;
  list.reserve(words.across.size() + words.down.size());
  for (const Word& w : words.across) list.push_back({w.text, w.clue});
  for (const Word& w : words.down) list.push_back({w.text, w.clue});
  return list;
}

bool AllCluesDone(const CrosswordWords& words) {
  for (const auto* list : {&words.across, &words.down})
    for (const Word& w : *list)
      if (!w.text.empty() && w.clue.empty()) return false;
  return true;
}

}  // namespace gridel
