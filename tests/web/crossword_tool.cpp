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
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "gridel/core/CrosswordExport.h"
#include "gridel/core/CrosswordFile.h"
#include "platform/core/Platform.h"
#include "platform/core/TextCodec.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/FileFunctions.h"

namespace {

std::string Arg(int& i, int argc, char** argv) {
  if (i + 1 >= argc) throw std::runtime_error(std::string("missing value after ") + argv[i]);
  return argv[++i];
}

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

void PutRows(gridel::LetterGrid& grid, const std::string& rows) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = rows.find('/', start);
    lines.push_back(rows.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  std::size_t width = 0;
  for (const std::string& l : lines) width = std::max(width, l.size());
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
      if (lines[r][c] != '.' &&
          !grid.SetCell(static_cast<int>(c) + left, static_cast<int>(r) + top, lines[r].substr(c, 1)))
        throw std::runtime_error("the grid refuses the letter in row " + std::to_string(r));
}

}  // namespace

int RunCrosswordTool(int argc, char** argv) {
  using tavrel::Utf8ToWin1252;
  std::string mode = "frames";
  std::string out;
  std::string gdl;
  std::string rows;
  std::string configFile;
  std::string templates;
  bool titleGiven = false;
  std::string title;
  gridel::ClueList clues;
  ConfigValues overrides;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--kind") Arg(i, argc, argv);
    else if (a == "--mode") mode = Arg(i, argc, argv);
    else if (a == "--out") out = Utf8ToWin1252(Arg(i, argc, argv));
    else if (a == "--gdl") gdl = Utf8ToWin1252(Arg(i, argc, argv));
    else if (a == "--rows") rows = Utf8ToWin1252(Arg(i, argc, argv));
    else if (a == "--title") { title = Utf8ToWin1252(Arg(i, argc, argv)); titleGiven = true; }
    else if (a == "--config") configFile = Utf8ToWin1252(Arg(i, argc, argv));
    else if (a == "--templates") templates = Utf8ToWin1252(Arg(i, argc, argv));
    else if (a == "--clue" || a == "--set" || a == "--check") {
      const std::string v = Utf8ToWin1252(Arg(i, argc, argv));
      const auto eq = v.find('=');
      if (eq == std::string::npos) throw std::runtime_error("expected NAME=VALUE: " + v);
      const std::string name = v.substr(0, eq);
      const std::string value = v.substr(eq + 1);
      if (a == "--clue") clues.push_back({name, value});
      else if (a == "--set") overrides.text[name] = value;
      else overrides.checked[name] = value == "1";
    } else throw std::runtime_error("unknown argument " + a);
  }
  if (out.empty()) throw std::runtime_error("--out is required");
  if (templates.empty()) templates = tavrel::programFolder() + "source/";
  if (templates.back() != '/') templates += '/';

  gridel::CrosswordExportInput in;
  in.fileName = out;
  in.config = configdoc::Defaults(configdoc::Program::Gridel);
  if (!configFile.empty() &&
      configdoc::LoadConfigFromFile(configdoc::Program::Gridel, configFile, in.config) ==
          configdoc::LoadResult::Missing)
    throw std::runtime_error("no configuration file " + configFile);
  for (const auto& [k, v] : overrides.text) in.config.text[k] = v;
  for (const auto& [k, v] : overrides.checked) in.config.checked[k] = v;

  gridel::Crossword crossword;
  if (!gdl.empty()) {
    gridel::LoadedCrossword loaded =
        gridel::ReadCrosswordFile(gdl, "", "", gridel::kDefaultGridSize);
    if (loaded.status != gridel::LoadStatus::Loaded)
      throw std::runtime_error("cannot read " + gdl + ": " + loaded.message);
    crossword = loaded.crossword;
  } else {
    if (rows.empty()) {
      rows = Utf8ToWin1252(kDemoRows);
      for (const auto& [w, c] : kDemoClues) clues.push_back({Utf8ToWin1252(w), Utf8ToWin1252(c)});
      if (!titleGiven) title = Utf8ToWin1252("Caf\xC3\xA9s & streets: a crossword");
    }
    PutRows(crossword.grid, rows);
    crossword.clues = clues;
  }
  if (titleGiven || crossword.title.empty()) crossword.title = title;

  auto readTemplate = [&templates](TemplateSource& t) {
    std::string text;
    if (LoadTextFile(FindFileNoCase(templates, t.fileName), text)) t.disk = text;
  };
  readTemplate(in.frameset);
  readTemplate(in.welcome);
  readTemplate(in.code);
  readTemplate(in.dhtml);
  in.title = crossword.title;

  gridel::CrosswordWords words;
  const std::string refusal = gridel::CheckBeforeExport(crossword, words);
  if (!refusal.empty()) throw std::runtime_error(refusal);
  const ExportPlan plan = mode == "single"
                              ? gridel::BuildSinglePageExport(crossword.grid, words, in)
                              : gridel::BuildFramesExport(crossword.grid, words, in);
  const ExportOutcome outcome = RunExportPlan(plan, nullptr);
  for (const std::string& p : outcome.written) std::cout << NativePath(p) << "\n";
  return outcome.reported ? 0 : 1;
}
