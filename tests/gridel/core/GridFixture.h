// Grids for the crossword tests, drawn as text: one string per row, "." for
// an empty cell.
#pragma once

#include <string>
#include <vector>

#include "gridel/core/LetterGrid.h"

namespace gridel::testing {

inline LetterGrid Draw(int size, const std::vector<std::string>& rows) {
  LetterGrid g(size);
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      if (rows[r][c] != '.') g.SetCell(static_cast<int>(c), static_cast<int>(r), std::string(1, rows[r][c]));
  return g;
}

inline std::vector<std::string> Rows(const LetterGrid& g) {
  std::vector<std::string> out;
  for (int r = 0; r < g.Size(); ++r) {
    std::string row;
    for (int c = 0; c < g.Size(); ++c) row += g.IsLetter(c, r) ? g.Cell(c, r) : std::string(1, '.');
    out.push_back(row);
  }
  return out;
}

}  // namespace gridel::testing
