// The crossword part of the export tool: exports a crossword (a .gdl file,
// rows given on the command line, or the demonstration crossword) as the
// frames or the single page, through the crossword's page builders.  A .gdl
// file may be of either format.
//
//   tavrel_export_tool --kind crossword --mode frames|single --out FOLDER/NAME.htm
//       [--gdl FILE.gdl | --rows ROW/ROW/... [--clue WORD=CLUE]...]
//       [--title TEXT] [--config FILE.cfg] [--templates FOLDER/]
//       [--set CONTROL=TEXT]... [--check CONTROL=0|1]...
//
// Rows are read from the top, "." for an empty cell; they are put from row 2,
// column 3 of the grid (so the used extent is not its corner) when the grid
// can be made large enough, else from its corner.
// Paths and texts are UTF-8.  Prints the pages written, one a line.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "gridel/core/CrosswordExport.h"
#include "gridel/core/CrosswordFile.h"
#include "platform/core/TextCodec.h"
#include "tool_support.h"

namespace {

// The demonstration crossword: words crossing in shared cells, accented
// capitals (one of them from the 0x80..0x9F range) and a clue with markup.
//   . C A F E'        1 across CAFE'   1 down C OE U R
//   . OE. . T         3 across RUAS    2 down E'TE'S
//   . U . . E'        5 across NIN~O   4 down AN~O
//   . R U A S
//   . . . N~.
//   N I N~O .
const char* const kDemoRows = ".CAF\xC3\x89/.\xC5\x92..T/.U..\xC3\x89/.RUAS/...\xC3\x91./NI\xC3\x91O.";
const std::vector<std::pair<const char*, const char*>> kDemoClues = {
    {"CAF\xC3\x89", "A place for <i>coffee</i>, in Paris"},
    {"C\xC5\x92UR", "Heart, in Paris"},
    {"\xC3\x89T\xC3\x89S", "Summers, in Paris"},
    {"RUAS", "Streets, in Lisbon"},
    {"A\xC3\x91O", "Year, in Madrid"},
    {"NI\xC3\x91O", "A boy, in Madrid"},
};

// The cells of a row: one character each, a letter Windows-1252 cannot hold
// being its character reference.
std::vector<std::string> RowCells(const std::string& row) {
  std::vector<std::string> cells;
  for (std::size_t i = 0; i < row.size();) {
    char32_t u = 0;
    std::size_t length = 1;
    if (!tavrel::ForeignReferenceAt(row, i, u, length)) length = 1;
    cells.push_back(row.substr(i, length));
    i += length;
  }
  return cells;
}

void PutRows(gridel::LetterGrid& grid, const std::string& rows) {
  std::vector<std::vector<std::string>> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = rows.find('/', start);
    lines.push_back(RowCells(rows.substr(start, slash == std::string::npos ? std::string::npos : slash - start)));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  std::size_t width = 0;
  for (const auto& l : lines) width = std::max(width, l.size());
  // Away from the grid's corner when the grid can hold it so.
  int top = 2;
  int left = 3;
  int size = std::max<int>({grid.Size(), static_cast<int>(lines.size()) + top, static_cast<int>(width) + left});
  if (size > gridel::kMaxGridSize) {
    top = left = 0;
    size = std::max<int>({grid.Size(), static_cast<int>(lines.size()), static_cast<int>(width)});
  }
  if (size > gridel::kMaxGridSize) throw std::runtime_error("the rows do not fit the largest grid");
  grid.Resize(size);
  for (std::size_t r = 0; r < lines.size(); ++r)
    for (std::size_t c = 0; c < lines[r].size(); ++c)
      if (lines[r][c] != "." &&
          !grid.SetCell(static_cast<int>(c) + left, static_cast<int>(r) + top, lines[r][c]))
        throw std::runtime_error("the grid refuses the letter in row " + std::to_string(r));
}

}  // namespace

int RunCrosswordTool(int argc, char** argv) {
  std::string gdl;
  std::string rows;
  bool titleGiven = false;
  std::string title;
  gridel::ClueList clues;
  const ToolArgs args = ReadToolArgs(argc, argv, [&](const std::string& a, const NextValue& value) {
    if (a == "--kind") value();
    else if (a == "--gdl") gdl = value();
    else if (a == "--rows") rows = value();
    else if (a == "--title") { title = value(); titleGiven = true; }
    else if (a == "--clue") {
      const std::string v = value();
      const auto eq = v.find('=');
      if (eq == std::string::npos) throw std::runtime_error("expected NAME=VALUE: " + v);
      clues.push_back({v.substr(0, eq), v.substr(eq + 1)});
    } else return false;
    return true;
  });

  gridel::CrosswordExportInput in;
  in.fileName = args.out;
  in.config = ToolConfig(configdoc::Program::Gridel, args);

  gridel::Crossword crossword;
  if (!gdl.empty()) {
    gridel::LoadedCrossword loaded =
        gridel::ReadCrosswordFile(gdl, "", "", gridel::kDefaultGridSize);
    if (loaded.status != gridel::LoadStatus::Loaded)
      throw std::runtime_error("cannot read " + gdl + ": " + loaded.message);
    crossword = loaded.crossword;
  } else {
    if (rows.empty()) {
      rows = FromUtf8(kDemoRows);
      for (const auto& [w, c] : kDemoClues) clues.push_back({FromUtf8(w), FromUtf8(c)});
      if (!titleGiven) title = FromUtf8("Caf\xC3\xA9s & streets: a crossword");
    }
    PutRows(crossword.grid, rows);
    crossword.clues = clues;
  }
  if (titleGiven || crossword.title.empty()) crossword.title = title;

  ReadToolTemplates(args, {&in.frameset, &in.welcome, &in.code, &in.dhtml});
  in.title = crossword.title;

  gridel::CrosswordWords words;
  const std::string refusal = gridel::CheckBeforeExport(crossword, words);
  if (!refusal.empty()) throw std::runtime_error(refusal);
  return RunToolPlan(args.mode == "single"
                         ? gridel::BuildSinglePageExport(crossword.grid, words, in)
                         : gridel::BuildFramesExport(crossword.grid, words, in));
}
