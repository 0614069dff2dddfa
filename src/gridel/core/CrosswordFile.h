// The crossword data file (".gdl") as text: building it from the crossword,
// reading it back, and reading the older line-based crossword files.  Pure:
// no Qt, no windows; the main window asks, reports and puts the pieces in
// place.
//
// Reading never drops letters silently: the grid takes the size that holds
// the last letter stored (never smaller than the current size; empty cells
// and rows after it take no room), an XML grid with a letter beyond
// kMaxGridSize is refused as a whole, and a cell that cannot be read as one
// letter is counted, so that the window can say so.
#pragma once

#include <string>

#include "gridel/core/LetterGrid.h"
#include "gridel/core/Words.h"
#include "shared/core/ConfigValues.h"

class TDataFile;

namespace gridel {

inline constexpr const char* kFileRoot = "tavrel-gridel-file";

// "<grid><row><cell>A</cell>...</row>...</grid>", every row and cell of the
// grid, texts escaped, no line breaks.
std::string WriteGridXML(const LetterGrid& grid);
// "<clues><item><word>..</word><def>..</def></item>...</clues>".
std::string WriteCluesXML(const ClueList& clues);

// The whole document without the XML declaration (the saver adds it).
// configXML is the embedded configuration block, inserted as given.
std::string BuildCrosswordFileText(int majorVersion, const Crossword& crossword,
                                   const std::string& configXML);

// Writes the document through the shared XML saver; false, with any older
// file left as it was, when the file cannot be written.
bool SaveCrosswordFile(const std::string& fileName, int majorVersion, const Crossword& crossword,
                       const std::string& configXML);

// The name Save As writes: ".gdl" appended unless the name holds ".gdl".
std::string NameWithExtension(const std::string& chosen);

// True when the text holds tavrel-gridel-file\version (an XML crossword);
// false for a text to be read as an old line-based file.
bool IsCrosswordDocument(const std::string& text);

enum class LoadStatus {
  Loaded,
  TooLarge,     // the stored grid is larger than kMaxGridSize: nothing loaded
  UnsupportedVersion,  // an old file below version 2
  Unreadable,   // missing, or it could not be read
  Damaged,      // neither an XML crossword nor an old file: empty, cut short, another kind
};

enum class FileFormat { Xml, Old };

// The stored cells that could not be read as one letter (two letters, a
// control character) and were left empty: how many, and the first one's
// column and row from 0 in the order the file holds them.
struct UnreadableCells {
  int count = 0;
  int col = -1;
  int row = -1;
  void Add(int c, int r);
};
// What the window says after loading a crossword with such cells; the place
// is given as a teacher counts rows and columns, from 1.
std::string UnreadableCellsMessage(const UnreadableCells& cells);

struct LoadedCrossword {
  LoadStatus status = LoadStatus::Loaded;
  std::string message;    // the error to show when not Loaded
  Crossword crossword;    // title, grid (at its new size) and clue pairs
  std::string nextExURL;  // the next-exercise address the file carries, else the current one
  // Old files: the file carries a configuration (Config\strCheckCaption
  // present and not empty), which the window may reload.
  bool carriesConfig = false;
  FileFormat format = FileFormat::Xml;
  std::string text;  // the whole file as read (XML files: for the embedded configuration)
  UnreadableCells unreadable;  // cells left empty
};

// An XML crossword.  currentSize is the grid size in force; the title and
// the next-exercise address default to the current ones.
LoadedCrossword ReadCrosswordXML(const std::string& text, const std::string& currentTitle,
                                 const std::string& currentNextExURL, int currentSize);

// The grid element's content read into a grid of at least currentSize that
// holds the last letter.  TooLarge (a letter beyond kMaxGridSize) leaves grid
// untouched.  Cells that cannot be read are counted in unreadable.
LoadStatus ReadGridXML(const std::string& gridContent, int currentSize, LetterGrid& grid,
                       UnreadableCells* unreadable = nullptr);
ClueList ReadCluesXML(const std::string& cluesContent);

// An old line-based crossword (version 2 and later).  Only the rows a grid
// can have (GridRow0 to GridRow99) are read; a letter beyond the last column
// a grid can have counts as a cell that cannot be read.  Counts in the file
// are bounded by the keys it holds.
LoadedCrossword ReadOldCrossword(const TDataFile& file, const std::string& currentNextExURL,
                                 int currentSize);

// The configuration an old crossword file carries (section Config), read
// over the current values.
ConfigValues ReadOldCrosswordConfig(const TDataFile& file, const ConfigValues& current);

// Reads the text of a data file of either format, as read from fileName:
// the XML reader when the text holds tavrel-gridel-file\version, else the
// line-based reader.  Anything but Loaded leaves the crossword empty; the
// window then keeps its current file.
LoadedCrossword ReadCrosswordText(const std::string& fileName, const std::string& text,
                                  const std::string& currentTitle,
                                  const std::string& currentNextExURL, int currentSize);
// ReadCrosswordText of the file read by its name; Unreadable when it is
// missing or cannot be read.
LoadedCrossword ReadCrosswordFile(const std::string& fileName, const std::string& currentTitle,
                                  const std::string& currentNextExURL, int currentSize);

// Messages of the loader.
extern const char* const kUnsupportedVersionMessage;
extern const char* const kTooLargeMessage;
extern const char* const kReloadConfigQuestion;

}  // namespace gridel
