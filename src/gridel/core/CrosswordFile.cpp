#include "gridel/core/CrosswordFile.h"

#include "platform/core/TextCodec.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/ElementWalker.h"
#include "shared/core/ExerciseDocument.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace gridel {

const char* const kUnsupportedVersionMessage =
    "This file version is not supported by this version of Gridel.";
const char* const kReloadConfigQuestion =
    "Do you want to reload the configuration information saved with this file?";

const char* const kTooLargeMessage =
    "This crossword's grid is larger than Gridel can show (100 X 100). The file has not been "
    "loaded.";

namespace {

const std::string kCrLf = "\r\n";

const exercisedoc::Layout kLayout{kFileRoot, "crossword", "gridel"};

// The index in a key "<prefix><decimal>" as TDataFile keys are written (no
// sign, no leading zero), -1 for any other key; indices past limit give limit.
int KeyIndex(const std::string& key, const std::string& prefix, int limit) {
  if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) return -1;
  const std::string digits = key.substr(prefix.size());
  if (digits.size() > 1 && digits[0] == '0') return -1;
  long long n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
    if (n >= limit) return limit;
  }
  return static_cast<int>(n);
}

std::string Lookup(const std::unordered_map<std::string, std::string>& keys,
                   const std::string& key) {
  auto it = keys.find(key);
  return it == keys.end() ? std::string() : it->second;
}

}  // namespace

std::string WriteGridXML(const LetterGrid& grid) {
  const int n = grid.Size();
  std::string out;
  out.reserve(static_cast<size_t>(n) * (n * 14 + 11) + 13);
  out += "<grid>";
  for (int r = 0; r < n; ++r) {
    out += "<row>";
    for (int c = 0; c < n; ++c) AppendElement(out, XMLEscape(grid.Cell(c, r)), "cell");
    out += "</row>";
  }
  out += "</grid>";
  return out;
}

std::string WriteCluesXML(const ClueList& clues) {
  std::string out = "<clues>";
  for (const CluePair& p : clues) {
    out += "<item>";
    AppendElement(out, XMLEscape(p.word), "word");
    AppendElement(out, XMLEscape(p.clue), "def");
    out += "</item>";
  }
  out += "</clues>";
  return out;
}

std::string BuildCrosswordFileText(int majorVersion, const Crossword& crossword,
                                   const std::string& configXML) {
  return exercisedoc::Build(kLayout, majorVersion, crossword.title, nullptr,
                            WriteGridXML(crossword.grid) + kCrLf + kCrLf + WriteCluesXML(crossword.clues),
                            configXML, false);
}

bool SaveCrosswordFile(const std::string& fileName, int majorVersion, const Crossword& crossword,
                       const std::string& configXML) {
  return SaveXMLFile(fileName, BuildCrosswordFileText(majorVersion, crossword, configXML));
}

std::string NameWithExtension(const std::string& chosen) {
  return chosen.find(".gdl") == std::string::npos ? chosen + ".gdl" : chosen;
}

bool IsCrosswordDocument(const std::string& text) { return exercisedoc::IsDocument(kLayout, text); }

void UnreadableCells::Add(int c, int r) {
  if (count++ == 0) {
    col = c;
    row = r;
  }
}

std::string UnreadableCellsMessage(const UnreadableCells& cells) {
  const std::string place =
      "row " + std::to_string(cells.row + 1) + ", column " + std::to_string(cells.col + 1);
  const std::string what =
      cells.count == 1 ? "One cell of this crossword's grid does not hold a single letter and has been "
                         "left empty (" + place + ")."
                       : std::to_string(cells.count) +
                             " cells of this crossword's grid do not hold a single letter and have been "
                             "left empty; the first is in " + place + ".";
  return what + " Please check the grid before you save the crossword.";
}

LoadStatus ReadGridXML(const std::string& gridContent, int currentSize, LetterGrid& grid,
                       UnreadableCells* unreadable) {
  // The letters with their places; empty cells and rows take no room, and a
  // letter beyond the largest grid refuses the grid before anything is put.
  struct Placed {
    int col;
    int row;
    std::string text;
  };
  std::vector<Placed> letters;
  UnreadableCells bad;
  int needed = std::max(1, currentSize);
  std::string row;
  std::string cell;
  TElementWalker rowWalker("row", gridContent);
  for (int r = 0; rowWalker.Next(row); ++r) {
    TElementWalker cellWalker("cell", row);
    for (int c = 0; cellWalker.Next(cell); ++c) {
      std::optional<std::string> text = CellTextFor(XMLUnescape(cell));
      if (!text) {
        bad.Add(c, r);
      } else if (!text->empty()) {
        if (c >= kMaxGridSize || r >= kMaxGridSize) return LoadStatus::TooLarge;
        needed = std::max({needed, c + 1, r + 1});
        letters.push_back({c, r, std::move(*text)});
      }
    }
  }
  LetterGrid result(std::min(needed, kMaxGridSize));
  for (const Placed& p : letters) result.SetCell(p.col, p.row, p.text);
  grid = std::move(result);
  if (unreadable) *unreadable = bad;
  return LoadStatus::Loaded;
}

ClueList ReadCluesXML(const std::string& cluesContent) {
  ClueList clues;
  std::string item;
  TElementWalker walker("item", cluesContent);
  while (walker.Next(item))
    clues.push_back({XMLUnescape(GetValueByPath(item, "word", "")),
                     XMLUnescape(GetValueByPath(item, "def", ""))});
  return clues;
}

LoadedCrossword ReadCrosswordXML(const std::string& text, const std::string& currentTitle,
                                 const std::string& currentNextExURL, int currentSize) {
  LoadedCrossword out;
  out.crossword.grid = LetterGrid(currentSize);
  exercisedoc::Parts parts = exercisedoc::Read(kLayout, text, currentTitle, currentNextExURL);
  std::string grid, clues;
  ExtractElement(false, "grid", parts.body, grid);
  ExtractElement(false, "clues", parts.body, clues);
  if (ReadGridXML(grid, currentSize, out.crossword.grid, &out.unreadable) == LoadStatus::TooLarge) {
    out.status = LoadStatus::TooLarge;
    out.message = kTooLargeMessage;
    out.crossword = Crossword{};
    return out;
  }
  out.crossword.title = std::move(parts.title);
  out.nextExURL = std::move(parts.nextExURL);
  out.crossword.clues = ReadCluesXML(clues);
  return out;
}

LoadedCrossword ReadOldCrossword(const TDataFile& file, const std::string& currentNextExURL,
                                 int currentSize) {
  LoadedCrossword out;
  const int version = file.ReadInteger("FileInfo", "Version", 0);
  if (version < 2) {
    out.status = LoadStatus::UnsupportedVersion;
    out.message = kUnsupportedVersionMessage;
    return out;
  }
  // Grid: one key per row, one character per cell; the section's blank
  // marker (182 from version 3 on, 26 before) is an empty cell.  Only the
  // rows a grid can have are read.
  const bool v3 = version >= 3;
  const char blank = v3 ? '\xB6' : '\x1A';
  const auto gridKeys = file.ReadSection(v3 ? "GridV3" : "Grid");
  int needed = std::max(1, currentSize);
  for (int r = 0; r < kMaxGridSize; ++r) {
    const std::string row = Lookup(gridKeys, "GridRow" + std::to_string(r));
    for (size_t i = 0; i < row.size(); ++i) {
      const int c = static_cast<int>(i);
      if (row[i] == blank) continue;
      const std::optional<std::string> text = CellTextFor(std::string(1, row[i]));
      if (!text || (!text->empty() && c >= kMaxGridSize)) out.unreadable.Add(c, r);
      else if (!text->empty()) needed = std::max({needed, c + 1, r + 1});
    }
  }
  LetterGrid grid(needed);
  for (int r = 0; r < needed; ++r) {
    const std::string row = Lookup(gridKeys, "GridRow" + std::to_string(r));
    for (size_t i = 0; i < row.size() && i < static_cast<size_t>(needed); ++i)
      if (row[i] != blank) grid.SetCell(static_cast<int>(i), r, std::string(1, row[i]));
  }
  out.crossword.grid = std::move(grid);

  out.crossword.title = SubCharsToReturns(file.ReadString("Title", "strPuzzleTitle", ""));
  out.nextExURL = file.ReadString("NextEx", "strNextExURL", currentNextExURL);
  out.carriesConfig = !file.ReadString("Config", "strCheckCaption", "").empty();

  // Words: TotalWords pairs, but none past the last Word or Def key present.
  const auto wordKeys = file.ReadSection("Words");
  const auto defKeys = file.ReadSection("Definitions");
  const int total = file.ReadInteger("Words", "TotalWords", 0);
  int present = 0;
  const int limit = static_cast<int>(file.LineCount()) + 1;
  for (const auto& [key, value] : wordKeys) present = std::max(present, KeyIndex(key, "Word", limit) + 1);
  for (const auto& [key, value] : defKeys) present = std::max(present, KeyIndex(key, "Def", limit) + 1);
  const int count = std::clamp(total, 0, present);
  out.crossword.clues.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    out.crossword.clues.push_back({Lookup(wordKeys, "Word" + std::to_string(i)),
                                   Lookup(defKeys, "Def" + std::to_string(i))});
  return out;
}

LoadedCrossword ReadCrosswordText(const std::string& fileName, const std::string& text,
                                  const std::string& currentTitle,
                                  const std::string& currentNextExURL, int currentSize) {
  LoadedCrossword out;
  if (IsCrosswordDocument(text)) {
    out = ReadCrosswordXML(text, currentTitle, currentNextExURL, currentSize);
    if (out.status == LoadStatus::Loaded) out.text = text;
    return out;
  }
  if (!IsOldDataFile(text)) {
    out.status = LoadStatus::Damaged;
    out.message = DamagedFileMessage(fileName);
    return out;
  }
  out = ReadOldCrossword(TDataFile(fileName, text), currentNextExURL, currentSize);
  out.format = FileFormat::Old;
  return out;
}

LoadedCrossword ReadCrosswordFile(const std::string& fileName, const std::string& currentTitle,
                                  const std::string& currentNextExURL, int currentSize) {
  std::string text;
  if (!FileExists(fileName) || !LoadTextFile(fileName, text)) {
    LoadedCrossword out;
    out.status = LoadStatus::Unreadable;
    out.message = "Unable to read the file " + tavrel::ShownPath(fileName) + ".";
    return out;
  }
  return ReadCrosswordText(fileName, text, currentTitle, currentNextExURL, currentSize);
}

ConfigValues ReadOldCrosswordConfig(const TDataFile& file, const ConfigValues& current) {
  static const configdoc::OldFileKey keys[] = {
      {"strPuzzleSubtitle", "mmoSubtitle", false, true},
      {"strWelcome", "mmoWelcome", false, true},
      {"strInstructions", "mmoInstructions", false, true},
      {"strGuessCorrect", "editCorrect", false, false},
      {"strGiveHint", "editNextCorrect", false, false},
      {"strGuessIncorrect", "editIncorrect", false, false},
      {"strCluesAcross", "editCluesAcross", false, false},
      {"strCluesDown", "editCluesDown", false, false},
      {"IncludeHint", "chkIncludeHint", true, false},
      {"IncludeHelp", "chkIncludeHelp", true, false},
      {"IncludeNextEx", "chkIncludeNextEx", true, false},
      {"IncludeContents", "chkIncludeContents", true, false},
      {"IncludeBack", "chkIncludeBack", true, false},
      {"strHelpCaption", "editHelp", false, false},
      {"strNextExCaption", "editNextEx", false, false},
      {"strBackCaption", "editBack", false, false},
      {"strContentsCaption", "editContents", false, false},
      {"strHintCaption", "editHint", false, false},
      {"strCheckCaption", "editCheck", false, false},
      {"strGraphicURL", "editGraphicURL", false, false},
      {"strNextExURL", "editNextExURL", false, false},
      {"strContentsURL", "editContentsURL", false, false},
      {"strPageBGColor", "editPageBGColor", false, false},
      {"strTitleColor", "editTitleColor", false, false},
      {"strExBGColor", "editExBGColor", false, false},
      {"strTextColor", "editTextColor", false, false},
      {"strNavBarColor", "editNavBarColor", false, false},
  };
  // A switch the file does not hold keeps its current value.
  return configdoc::ReadOldFileConfig(file, "Config", keys, current,
                                      configdoc::MissingSwitch::Current);
}

}  // namespace gridel
