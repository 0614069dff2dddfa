// The configuration document ("tavrel-config-file") that the three programs
// share: one table per program binds each element path to the control of the
// program's configuration window that holds it, with its kind (text or
// switch), the value the window starts with, the order in which the program
// writes it into a file, its place in the copy embedded in data files, and
// its key in the old line-based configuration files.
//
// Writing into a file sets each of the program's paths in the file's own
// text, so everything the program does not know (other programs' sections,
// elements it does not use, the file's line layout) stays as it was.
//
// Values cross as ConfigValues keyed by control name, so the windows only
// bind their widgets by name.  Pure: no Qt.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "shared/core/ConfigValues.h"

class TDataFile;

namespace configdoc {

enum class Program { Askery, Pairo, Gridel };
enum class Kind { Text, Switch };

// Root element of the configuration document.
inline constexpr const char* kRoot = "tavrel-config-file";

struct Element {
  const char* section;      // "askery", "pairo", "gridel" or "global"
  const char* name;         // element name, "quiz-subtitle"
  const char* control;      // control of the window, "mmoQuizSubtitle"
  Kind kind;
  const char* defaultText;  // initial text of a text control
  bool defaultOn;           // initial state of a switch
  bool memo;                // multi-line; old files hold character 26 for line breaks
  const char* oldSection;   // section of the old line-based file; nullptr: no key
  const char* oldKey;
};

// A place in the embedded copy: the element (index into Table::elements) and
// whether it follows the element before it on the same line.
struct EmbeddedItem {
  int element;
  bool sameLine;
};

struct Table {
  Program program;
  const char* section;     // the program's own section, "askery"
  const char* oldSection;  // its section in old files, "Askery"
  // Every element the program reads and writes, in the order it writes them
  // (which is also the order it reads them).
  std::vector<Element> elements;
  std::vector<EmbeddedItem> embeddedOwn;
  std::vector<EmbeddedItem> embeddedGlobal;
  // The embedded global section starts with an empty line.
  bool blankLineInGlobal = false;
  // Elements that old files hold, in the order they are read.
  std::vector<int> oldOrder;
};

const Table& TableFor(Program program);

// The element bound to a control, or null.
const Element* FindByControl(Program program, const std::string& control);

// "tavrel-config-file\" + section + "\" + name.
std::string ElementPath(const Element& element);

// The values a window holds before any file is loaded.
ConfigValues Defaults(Program program);

// The copy embedded in a data file: own section, an empty line, global; every
// element whatever its value; no version; no line break after the root's
// closing tag.
std::string MakeConfigXML(Program program, const ConfigValues& values);

// Sets the version (first) and then every element of the program, in its
// writing order, inside the existing document text.
void WriteConfig(Program program, const ConfigValues& values, int majorVersion, std::string& doc);

// Values read from a text that holds a tavrel-config-file element (a
// configuration file, or a whole data file).  Every element is read with its
// current value as the default: a missing text element keeps the current
// text (passed through XMLUnescape), a missing switch its current state.
ConfigValues ReadConfigXML(Program program, const std::string& doc, const ConfigValues& current);

// Values read from an old line-based configuration file; every key defaults
// to the current value, and elements the old format lacks keep theirs.
ConfigValues ReadOldConfig(Program program, const TDataFile& file, const ConfigValues& current);

// True when the text is a configuration document (it holds a version below
// tavrel-config-file), false when it is to be read as an old file.
// One value of the configuration section of an old line-based data file:
// its key, the control it goes to, and whether it is a switch or a memo
// text (whose line breaks the file keeps as substitute characters).
struct OldFileKey {
  const char* key;
  const char* control;
  bool isSwitch;
  bool memo;
};
// What a switch that the file does not hold reads as.
enum class MissingSwitch { On, Off, Current };

// Reads the keys from section of an old data file, in the table's order,
// into a copy of current: a missing text keeps its current value, a missing
// switch follows missingSwitch.
ConfigValues ReadOldFileConfig(const TDataFile& file, const std::string& section,
                               std::span<const OldFileKey> keys, const ConfigValues& current,
                               MissingSwitch missingSwitch);

bool IsConfigDocument(const std::string& text);

enum class LoadResult { Missing, Document, OldFormat };

// Reads a configuration file of either format into values (which hold the
// current values on entry).  Missing (values untouched) when the name is
// empty or no such file exists.  Throws std::runtime_error when the file
// exists but cannot be read.
LoadResult LoadConfigFromFile(Program program, const std::string& fileName, ConfigValues& values);

// Writes values into the configuration file: into its existing text when it
// exists, else into a new document.  False, with the file untouched, when an
// existing file cannot be read or the file cannot be written.
bool SaveConfigToFile(Program program, const std::string& fileName, const ConfigValues& values,
                      int majorVersion);

}  // namespace configdoc
