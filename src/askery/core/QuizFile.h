// The quiz data file (".aky") as text: building it from the quiz, taking an
// XML quiz file apart, reading its question records into the question list,
// and reading the older line-based quiz files into plain data.  Pure: no Qt,
// no windows; the main window (MainFile.cpp) puts the pieces in place.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "shared/core/ConfigValues.h"
#include "shared/core/ExerciseDocument.h"

class TDataFile;
class TQList;

namespace askery::quizfile {

inline constexpr const char* kRoot = "tavrel-askery-file";

// The reading element of a quiz without a reading: not included, no timer,
// a time limit of 1, typed (internal) source, empty path, title and text.
std::string EmptyReadingElement();

// The whole document, without the XML declaration (the saver adds it).
// Writes every question that is not empty, in list order, with its answers up
// to the last one that is not empty; the trailing empty answers of each
// written question are removed from the list on the way.  title is stored
// escaped; readingElement and configXML are inserted as given.
std::string BuildQuizFileText(int majorVersion, const std::string& title,
                              const std::string& readingElement, TQList& questions,
                              const std::string& configXML);

// True when the text holds tavrel-askery-file\version (an XML quiz); false
// for a text to be read as an old line-based file.
bool IsQuizDocument(const std::string& text);

// What an XML quiz file holds besides its question records' details: the
// title (unescaped; the current title when the file has none), the embedded
// askery\next-ex-url (unescaped; else the current one), the raw content of
// data\reading and, as body, of data\questions ("" when absent).
exercisedoc::Parts ReadQuizXML(const std::string& text, const std::string& currentTitle,
                               const std::string& currentNextExURL);

// The raw content of tavrel-askery-file\data\questions, "" when absent (the
// append command's source).
std::string QuestionsOf(const std::string& text);

// Reads the question records of a questions text into the list from
// firstNumber on (numbers below 1 read as 1).  Each record replaces the text
// and the whole answer list of the question at its number; questions before
// firstNumber and after the last record stay as they are.  Returns the number
// of records read.  Linear in the length of the text.
int ReadQuizQuestions(const std::string& questionsText, int firstNumber, TQList& list);

// An old line-based quiz file (version 2 and later), as plain data.
struct OldQuestion {
  std::string text;
  std::array<std::string, 4> answers;
};

struct OldQuiz {
  int version = 0;                     // FileInfo\Version; 0 when absent or not a number
  std::string title;                   // line breaks restored
  std::string nextExURL;               // NextEx\strNextExURL, else the current address
  std::string subtitle;                // Config\strQuizSubtitle: the file carries a configuration
  std::vector<OldQuestion> questions;  // questions 1 to 100 (absent ones empty)
};

inline constexpr int kOldQuestionCount = 100;

// Old files below this version are refused.
inline constexpr int kOldMinVersion = 2;

OldQuiz ReadOldQuiz(const TDataFile& file, const std::string& currentNextExURL);

// The configuration an old quiz file carries (section Config), read over the
// current values: texts default to the current text, switches to on.
ConfigValues ReadOldQuizConfig(const TDataFile& file, const ConfigValues& current);

}  // namespace askery::quizfile
