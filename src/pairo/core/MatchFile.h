// The matching data file (".pry") as text: building it from the exercise,
// taking an XML matching file apart, reading its pairs into the pair list
// (also for Append), and reading the older line-based matching files into
// plain data.  Pure: no Qt, no windows; the main window puts the pieces in
// place and saves the text with SaveXMLFile.
#pragma once

#include <string>
#include <vector>

#include "shared/core/ConfigValues.h"
#include "shared/core/ExerciseDocument.h"

class TDataFile;
class TQList;

namespace pairo {

inline constexpr const char* kFileRoot = "tavrel-pairo-file";
inline constexpr const char* kInitialDefaultRight = "???";

// The whole document, without the XML declaration (the saver adds it).
// Removes the trailing empty pairs from the list and writes every pair
// before them, empty ones included.  title and defaultRight are stored
// escaped; readingElement (the reading dialog's `reading` element) and
// configXML (the embedded configuration block) are inserted as given.
std::string BuildMatchFileText(int majorVersion, const std::string& title,
                               const std::string& readingElement, const std::string& defaultRight,
                               TQList& pairs, const std::string& configXML);

// True when the text holds tavrel-pairo-file\version (an XML matching file);
// false for a text to be read as an old line-based file.
bool IsMatchDocument(const std::string& text);

// What an XML matching file holds besides its pairs' details: the title
// (unescaped; the current title when the file has none), the embedded
// pairo\next-ex-url (unescaped; else the current one), the raw content of
// data\reading and, as body, of data\matching-exercise ("" when absent).
exercisedoc::Parts ReadMatchXML(const std::string& text, const std::string& currentTitle,
                                const std::string& currentNextExURL);

// The raw content of tavrel-pairo-file\data\matching-exercise, "" when
// absent (the append command's source).
std::string ItemsOf(const std::string& text);

struct ItemsRead {
  bool hasDefault = false;   // the text holds a default-right-item element
  std::string defaultRight;  // its unescaped content
  int pairs = 0;             // pair elements read
};

// Reads a matching-exercise text into the list from firstNumber on (numbers
// below 1 read as 1): each pair element sets the left text, right text and
// fixed flag of its number; pairs before firstNumber and after the last one
// read stay.  The default right item is handed back (the caller replaces
// its default box only when the text has one).  Linear in the text.
ItemsRead ReadMatchItems(const std::string& itemsText, int firstNumber, TQList& pairs);

// An old line-based matching file (version 2 and later), as plain data.
struct OldPair {
  std::string left;
  std::string right;
  bool fixed = false;
};

struct OldMatch {
  int version = 0;             // FileInfo\Version; 0 when absent or not a number
  std::string title;           // line breaks restored
  std::string nextExURL;       // NextEx\strNextExURL, else the current address
  std::string checkCaption;    // Config\strCheckCaption: the file carries a configuration
  std::string defaultRight;    // Default\Default, "???" when absent
  std::vector<OldPair> pairs;  // pairs 1 to 100 (absent ones empty)
};

inline constexpr int kOldPairCount = 100;
// Old files below this version are refused.
inline constexpr int kOldMinVersion = 2;

OldMatch ReadOldMatch(const TDataFile& file, const std::string& currentNextExURL);

// Puts the pairs of an old file into the (emptied) list: pairs 1 up to the
// last one that is not empty; empty pairs before it stay as empty pairs.
void PutOldPairs(const OldMatch& old, TQList& pairs);

// The configuration an old matching file carries (section Config), read
// over the current values: every key defaults to its control's current text
// or state; the memos get their line breaks back.
ConfigValues ReadOldMatchConfig(const TDataFile& file, const ConfigValues& current);

}  // namespace pairo
