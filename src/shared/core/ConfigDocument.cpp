#include "shared/core/ConfigDocument.h"

#include "platform/core/TextCodec.h"

#include <stdexcept>

#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace configdoc {

namespace {

const std::string kCrLf = "\r\n";

Element Text(const char* section, const char* name, const char* control, const char* def,
             const char* oldSection = nullptr, const char* oldKey = nullptr) {
  return Element{section, name, control, Kind::Text, def, false, false, oldSection, oldKey};
}

Element Memo(const char* section, const char* name, const char* control, const char* oldSection,
             const char* oldKey) {
  return Element{section, name, control, Kind::Text, "", false, true, oldSection, oldKey};
}

Element Switch(const char* section, const char* name, const char* control, bool def,
               const char* oldSection = nullptr, const char* oldKey = nullptr) {
  return Element{section, name, control, Kind::Switch, "", def, false, oldSection, oldKey};
}

int IndexOf(const Table& t, const std::string& section, const std::string& name) {
  for (size_t i = 0; i < t.elements.size(); ++i) {
    if (section == t.elements[i].section && name == t.elements[i].name) return static_cast<int>(i);
  }
  throw std::logic_error("configuration table: no element " + section + "\\" + name);
}

int IndexOfControl(const Table& t, const std::string& control) {
  for (size_t i = 0; i < t.elements.size(); ++i) {
    if (control == t.elements[i].control) return static_cast<int>(i);
  }
  throw std::logic_error("configuration table: no control " + control);
}

// Embedded order given as element names; a name starting with "+" follows
// the one before it on the same line.
std::vector<EmbeddedItem> Embedded(const Table& t, const std::string& section,
                                   std::initializer_list<const char*> names) {
  std::vector<EmbeddedItem> items;
  for (const char* n : names) {
    std::string name = n;
    bool sameLine = !name.empty() && name[0] == '+';
    if (sameLine) name.erase(0, 1);
    items.push_back({IndexOf(t, section, name), sameLine});
  }
  return items;
}

std::vector<int> OldOrder(const Table& t, std::initializer_list<const char*> controls) {
  std::vector<int> order;
  for (const char* c : controls) order.push_back(IndexOfControl(t, c));
  return order;
}

Table MakeAskeryTable() {
  Table t;
  t.program = Program::Askery;
  t.section = "askery";
  t.oldSection = "Askery";
  const char* A = "askery";
  const char* G = "global";
  const char* OA = "Askery";
  const char* OG = "Global";
  t.elements = {
      Memo(A, "quiz-subtitle", "mmoQuizSubtitle", OA, "QuizSubtitle"),
      Memo(G, "welcome", "mmoWelcome", OA, "Welcome"),
      Memo(A, "instructions", "mmoInstructions", OA, "Instructions"),
      Text(A, "guess-correct", "editGuessCorrect", "", OA, "GuessCorrect"),
      Text(A, "guess-incorrect", "editGuessIncorrect", "", OA, "GuessIncorrect"),
      Text(G, "remaining-time", "editRemainingTime", "Remaining time: "),
      Text(G, "start-reading", "editStartReading", "Start reading"),
      Text(G, "show-reading-again", "editShowReadingAgain", "Show reading again"),
      Text(G, "times-up", "editTimesUp", "Time's up!"),
      Text(G, "click-to-show", "editClickToShow", "Click on the button to see the reading again"),
      Text(G, "hint-caption", "editHint", "", OG, "HintCaption"),
      Text(G, "check-caption", "editCheck", "", OG, "CheckCaption"),
      Text(A, "show-answer-caption", "editShow", "", OA, "ShowCaption"),
      Switch(A, "include-hint", "chkIncludeHint", false, OA, "IncludeHint"),
      Switch(A, "include-show-answer", "chkIncludeShowAnswer", false, OA, "IncludeShowAnswer"),
      Switch(A, "case-sensitive", "chkCaseSensitive", true, OA, "CaseSensitive"),
      Text(G, "help-caption", "editHelp", "", OG, "HelpCaption"),
      Text(G, "next-ex-caption", "editNextEx", "", OG, "NextExCaption"),
      Text(G, "back-caption", "editBack", "", OG, "BackCaption"),
      Text(G, "contents-caption", "editContents", "", OG, "ContentsCaption"),
      Switch(A, "include-help", "chkIncludeHelp", false, OA, "IncludeHelp"),
      Switch(G, "include-next-ex", "chkIncludeNextEx", false, OG, "IncludeNextEx"),
      Switch(G, "include-contents", "chkIncludeContents", false, OG, "IncludeContents"),
      Switch(G, "include-back", "chkIncludeBack", false, OG, "IncludeBack"),
      Text(A, "also-correct", "editTheseAnswersToo", "", OA, "TheseAnswersToo"),
      Text(A, "this-much-correct", "editThisMuch", "", OA, "ThisMuch"),
      Text(A, "enter-a-guess", "editPleaseEnter", "", OA, "PleaseEnter"),
      Text(A, "these-words-correct", "editTheseWords", "", OA, "TheseWords"),
      Text(A, "next-correct-letter", "editNextCorrect", "", OA, "NextCorrect"),
      Text(A, "correct-answers", "editCorrectList", "", OA, "CorrectList"),
      Text(G, "graphic-url", "editGraphicURL", "", OG, "GraphicURL"),
      Text(A, "next-ex-url", "editNextExURL", "", OA, "NextExURL"),
      Text(G, "contents-url", "editContentsURL", "", OG, "ContentsURL"),
      Text(G, "page-bg-color", "editPageBGColor", "#FFFFFF", OG, "PageBGColor"),
      Text(G, "title-color", "editTitleColor", "#000000", OG, "TitleColor"),
      Text(G, "ex-bg-color", "editExBGColor", "#CCCCCC", OG, "ExBGColor"),
      Text(G, "text-color", "editTextColor", "#000000", OG, "TextColor"),
      Text(G, "nav-bar-color", "editNavBarColor", "#999999", OG, "NavBarColor"),
      Text(G, "correct-first-time", "editCorrectFirstTime",
           "Questions answered correctly first time: "),
      Text(G, "ok-caption", "editOKCaption", "OK"),
      Text(G, "popup-bg-color", "editPopupBGColor", "#FFFFFF"),
      Text(G, "your-score-is", "editYourScoreIs", "Your score is: "),
      Switch(A, "continuous-scoring", "chkContinuousScoring", true),
      Switch(A, "shuffle-questions", "chkShuffleQs", true),
  };
  t.embeddedOwn = Embedded(
      t, A,
      {"quiz-subtitle", "instructions", "guess-correct", "guess-incorrect", "also-correct",
       "this-much-correct", "enter-a-guess", "these-words-correct", "next-correct-letter",
       "correct-answers", "show-answer-caption", "include-hint", "include-show-answer",
       "case-sensitive", "include-help", "next-ex-url", "continuous-scoring", "shuffle-questions"});
  t.embeddedGlobal = Embedded(
      t, G,
      {"remaining-time", "welcome", "start-reading", "show-reading-again", "times-up",
       "click-to-show", "hint-caption", "check-caption", "help-caption", "next-ex-caption",
       "back-caption", "contents-caption", "include-next-ex", "include-contents", "include-back",
       "graphic-url", "contents-url", "page-bg-color", "title-color", "ex-bg-color", "text-color",
       "nav-bar-color", "+your-score-is", "correct-first-time", "ok-caption", "popup-bg-color"});
  t.oldOrder = OldOrder(
      t, {"mmoQuizSubtitle", "mmoWelcome", "mmoInstructions", "editGuessCorrect",
          "editGuessIncorrect", "editTheseAnswersToo", "editThisMuch", "editPleaseEnter",
          "editTheseWords", "editNextCorrect", "editCorrectList", "editShow", "chkIncludeHint",
          "chkIncludeShowAnswer", "chkIncludeHelp", "chkCaseSensitive", "editNextExURL",
          "editHelp", "editNextEx", "editBack", "editContents", "editHint", "editCheck",
          "chkIncludeNextEx", "chkIncludeContents", "chkIncludeBack", "editGraphicURL",
          "editContentsURL", "editPageBGColor", "editTitleColor", "editExBGColor",
          "editTextColor", "editNavBarColor"});
  return t;
}

Table MakePairoTable() {
  Table t;
  t.program = Program::Pairo;
  t.section = "pairo";
  t.oldSection = "Pairo";
  const char* P = "pairo";
  const char* G = "global";
  const char* OP = "Pairo";
  const char* OG = "Global";
  t.elements = {
      Memo(P, "exercise-subtitle", "mmoExerciseSubtitle", OP, "ExerciseSubtitle"),
      Memo(P, "instructions", "mmoInstructions", OP, "Instructions"),
      Text(G, "your-score-is", "editYourScoreIs", "", OP, "YourScoreIs"),
      Text(G, "remaining-time", "editRemainingTime", "Remaining time: "),
      Text(G, "start-reading", "editStartReading", "Start reading"),
      Text(G, "show-reading-again", "editShowReadingAgain", "Show reading again"),
      Text(G, "times-up", "editTimesUp", "Time's up!"),
      Text(G, "click-to-show", "editClickToShow", "Click on the button to see the reading again"),
      Text(G, "check-caption", "editCheck", "", OG, "CheckCaption"),
      Text(G, "next-ex-caption", "editNextEx", "", OG, "NextExCaption"),
      Text(G, "back-caption", "editBack", "", OG, "BackCaption"),
      Text(G, "contents-caption", "editContents", "", OG, "ContentsCaption"),
      Switch(G, "include-next-ex", "chkIncludeNextEx", false, OG, "IncludeNextEx"),
      Switch(G, "include-contents", "chkIncludeContents", false, OG, "IncludeContents"),
      Switch(G, "include-back", "chkIncludeBack", false, OG, "IncludeBack"),
      Text(G, "correct-indicator", "editCorrectIndicator", "", OP, "CorrectChar"),
      Text(G, "incorrect-indicator", "editIncorrectIndicator", "", OP, "IncorrectChar"),
      Text(G, "graphic-url", "editGraphicURL", "", OG, "GraphicURL"),
      Text(P, "next-ex-url", "editNextExURL", "", OP, "NextExURL"),
      Text(G, "contents-url", "editContentsURL", "", OG, "ContentsURL"),
      Text(G, "page-bg-color", "editPageBGColor", "#FFFFFF", OG, "PageBGColor"),
      Text(G, "title-color", "editTitleColor", "#000000", OG, "TitleColor"),
      Text(G, "ex-bg-color", "editExBGColor", "#DDDDDD", OG, "ExBGColor"),
      Text(G, "text-color", "editTextColor", "#000000", OG, "TextColor"),
      Text(G, "nav-bar-color", "editNavBarColor", "#000000", OG, "NavBarColor"),
      Text(G, "ok-caption", "editOKCaption", "OK"),
      Text(G, "popup-bg-color", "editPopupBGColor", "#FFFFFF"),
      Text(P, "guess-correct", "editGuessCorrect", "Correct! Well done."),
      Text(P, "guess-incorrect", "editGuessIncorrect",
           "Sorry! Try again. Incorrect matches have been removed."),
  };
  t.embeddedOwn = Embedded(
      t, P, {"exercise-subtitle", "instructions", "next-ex-url", "guess-correct", "guess-incorrect"});
  t.embeddedGlobal = Embedded(
      t, G,
      {"your-score-is", "correct-indicator", "incorrect-indicator", "remaining-time",
       "start-reading", "show-reading-again", "times-up", "click-to-show", "check-caption",
       "next-ex-caption", "back-caption", "contents-caption", "include-next-ex",
       "include-contents", "include-back", "graphic-url", "contents-url", "page-bg-color",
       "title-color", "ex-bg-color", "text-color", "nav-bar-color", "ok-caption",
       "popup-bg-color"});
  t.oldOrder = OldOrder(
      t, {"mmoExerciseSubtitle", "mmoInstructions", "editCorrectIndicator",
          "editIncorrectIndicator", "editYourScoreIs", "editNextExURL", "chkIncludeNextEx",
          "chkIncludeContents", "chkIncludeBack", "editNextEx", "editBack", "editContents",
          "editCheck", "editGraphicURL", "editContentsURL", "editPageBGColor", "editTitleColor",
          "editExBGColor", "editTextColor", "editNavBarColor"});
  return t;
}

Table MakeGridelTable() {
  Table t;
  t.program = Program::Gridel;
  t.section = "gridel";
  t.oldSection = "Gridel";
  const char* C = "gridel";
  const char* G = "global";
  const char* OC = "Gridel";
  const char* OG = "Global";
  t.elements = {
      Memo(C, "quiz-subtitle", "mmoSubtitle", OC, "PuzzleSubtitle"),
      Memo(G, "welcome", "mmoWelcome", OC, "Welcome"),
      Memo(C, "instructions", "mmoInstructions", OC, "Instructions"),
      Text(C, "clues-across", "editCluesAcross", "", OC, "CluesAcross"),
      Text(C, "clues-down", "editCluesDown", "", OC, "CluesDown"),
      Text(C, "guess-correct", "editCorrect", "", OC, "Correct"),
      Text(C, "guess-incorrect", "editIncorrect", "", OC, "Incorrect"),
      Text(C, "next-correct-letter", "editNextCorrect", "", OC, "GiveHint"),
      Text(G, "hint-caption", "editHint", "", OG, "HintCaption"),
      Text(G, "check-caption", "editCheck", "", OG, "CheckCaption"),
      Switch(C, "include-hint", "chkIncludeHint", false, OC, "IncludeHint"),
      Text(G, "help-caption", "editHelp", "", OG, "HelpCaption"),
      Text(G, "next-ex-caption", "editNextEx", "", OG, "NextExCaption"),
      Text(G, "back-caption", "editBack", "", OG, "BackCaption"),
      Text(G, "contents-caption", "editContents", "", OG, "ContentsCaption"),
      Switch(C, "include-help", "chkIncludeHelp", false, OC, "IncludeHelp"),
      Switch(G, "include-next-ex", "chkIncludeNextEx", false, OG, "IncludeNextEx"),
      Switch(G, "include-contents", "chkIncludeContents", false, OG, "IncludeContents"),
      Switch(G, "include-back", "chkIncludeBack", false, OG, "IncludeBack"),
      Text(G, "graphic-url", "editGraphicURL", "", OG, "GraphicURL"),
      Text(C, "next-ex-url", "editNextExURL", "", OC, "NextExURL"),
      Text(G, "contents-url", "editContentsURL", "", OG, "ContentsURL"),
      Text(G, "page-bg-color", "editPageBGColor", "#FFFFFF", OG, "PageBGColor"),
      Text(G, "title-color", "editTitleColor", "#000000", OG, "TitleColor"),
      Text(G, "ex-bg-color", "editExBGColor", "#CCCCCC", OG, "ExBGColor"),
      Text(G, "text-color", "editTextColor", "#000000", OG, "TextColor"),
      Text(G, "nav-bar-color", "editNavBarColor", "#999999", OG, "NavBarColor"),
      Text(G, "ok-caption", "editOKCaption", "OK"),
      Text(G, "popup-bg-color", "editPopupBGColor", "#FFFFFF"),
      Switch(C, "include-key-navigation", "chkKeyNavigation", true),
  };
  t.embeddedOwn = Embedded(
      t, C,
      {"quiz-subtitle", "instructions", "guess-correct", "guess-incorrect", "clues-across",
       "clues-down", "next-correct-letter", "include-hint", "include-help", "next-ex-url",
       "include-key-navigation"});
  t.embeddedGlobal = Embedded(
      t, G,
      {"welcome", "check-caption", "hint-caption", "help-caption", "next-ex-caption",
       "back-caption", "contents-caption", "include-next-ex", "include-contents", "include-back",
       "graphic-url", "contents-url", "page-bg-color", "title-color", "ex-bg-color", "text-color",
       "nav-bar-color", "ok-caption", "popup-bg-color"});
  t.blankLineInGlobal = true;
  t.oldOrder = OldOrder(
      t, {"mmoSubtitle", "mmoWelcome", "mmoInstructions", "editCorrect", "editIncorrect",
          "editNextCorrect", "editCluesAcross", "editCluesDown", "editHelp", "editNextEx",
          "editBack", "editContents", "editHint", "editCheck", "chkIncludeHint",
          "chkIncludeHelp", "chkIncludeNextEx", "chkIncludeContents", "chkIncludeBack",
          "editGraphicURL", "editNextExURL", "editContentsURL", "editPageBGColor",
          "editTitleColor", "editExBGColor", "editTextColor", "editNavBarColor"});
  return t;
}

// Text of the element's control, in its stored (escaped) form.
std::string StoredValue(const Element& e, const ConfigValues& values) {
  if (e.kind == Kind::Switch) return BoolToStr01(values.Checked(e.control));
  return XMLEscape(values.Text(e.control));
}

std::string MakeSection(const Table& t, const char* section, const std::vector<EmbeddedItem>& items,
                        bool blankLine, const ConfigValues& values) {
  std::string out = std::string("<") + section + ">" + kCrLf;
  if (blankLine) out += kCrLf;
  for (size_t i = 0; i < items.size(); ++i) {
    const Element& e = t.elements[static_cast<size_t>(items[i].element)];
    if (i > 0 && !items[i].sameLine) out += kCrLf;
    out += MakeElement(StoredValue(e, values), e.name);
  }
  out += kCrLf;
  out += std::string("</") + section + ">";
  return out;
}

}  // namespace

const Table& TableFor(Program program) {
  static const Table askery = MakeAskeryTable();
  static const Table pairo = MakePairoTable();
  static const Table gridel = MakeGridelTable();
  switch (program) {
    case Program::Pairo:
      return pairo;
    case Program::Gridel:
      return gridel;
    case Program::Askery:
      break;
  }
  return askery;
}

const Element* FindByControl(Program program, const std::string& control) {
  for (const Element& e : TableFor(program).elements) {
    if (control == e.control) return &e;
  }
  return nullptr;
}

std::string ElementPath(const Element& element) {
  return std::string(kRoot) + "\\" + element.section + "\\" + element.name;
}

ConfigValues Defaults(Program program) {
  ConfigValues v;
  for (const Element& e : TableFor(program).elements) {
    if (e.kind == Kind::Switch) {
      v.checked[e.control] = e.defaultOn;
    } else {
      v.text[e.control] = e.defaultText;
    }
  }
  return v;
}

std::string MakeConfigXML(Program program, const ConfigValues& values) {
  const Table& t = TableFor(program);
  std::string xml = std::string("<") + kRoot + ">" + kCrLf;
  xml += MakeSection(t, t.section, t.embeddedOwn, false, values);
  xml += kCrLf + kCrLf;
  xml += MakeSection(t, "global", t.embeddedGlobal, t.blankLineInGlobal, values);
  xml += kCrLf + "</" + kRoot + ">";
  return xml;
}

bool WriteConfig(Program program, const ConfigValues& values, int majorVersion, std::string& doc) {
  bool taken = SetElementByPath(std::string(kRoot) + "\\version", std::to_string(majorVersion), doc);
  for (const Element& e : TableFor(program).elements) {
    if (e.kind == Kind::Switch) {
      taken = SetBoolByPath(ElementPath(e), values.Checked(e.control), doc) && taken;
    } else {
      taken = SetElementByPath(ElementPath(e), XMLEscape(values.Text(e.control)), doc) && taken;
    }
  }
  return taken;
}

ConfigValues ReadConfigXML(Program program, const std::string& doc, const ConfigValues& current) {
  ConfigValues result = current;
  // Every path starts at the root element: find it once, then look each
  // element up inside its content (the same result as a lookup of the whole
  // path in doc, without scanning a large data file for every element).
  std::string root;
  int startPos = 0;
  const bool rootFound = FindElement(kRoot, doc, root, startPos);
  for (const Element& e : TableFor(program).elements) {
    const std::string path = std::string(e.section) + "\\" + e.name;
    if (e.kind == Kind::Switch) {
      const bool now = current.Checked(e.control);
      result.checked[e.control] = rootFound ? GetBoolByPath(root, path, now) : now;
    } else {
      const std::string now = current.Text(e.control);
      result.text[e.control] = XMLUnescape(rootFound ? GetValueByPath(root, path, now) : now);
    }
  }
  return result;
}

ConfigValues ReadOldConfig(Program program, const TDataFile& file, const ConfigValues& current) {
  ConfigValues result = current;
  const Table& t = TableFor(program);
  for (int index : t.oldOrder) {
    const Element& e = t.elements[static_cast<size_t>(index)];
    if (e.kind == Kind::Switch) {
      result.checked[e.control] = file.ReadBool(e.oldSection, e.oldKey, current.Checked(e.control));
    } else {
      std::string value = file.ReadString(e.oldSection, e.oldKey, current.Text(e.control));
      if (e.memo) value = SubCharsToReturns(value);
      result.text[e.control] = value;
    }
  }
  return result;
}

ConfigValues ReadOldFileConfig(const TDataFile& file, const std::string& section,
                               std::span<const OldFileKey> keys, const ConfigValues& current,
                               MissingSwitch missingSwitch) {
  ConfigValues result = current;
  for (const OldFileKey& k : keys) {
    if (k.isSwitch) {
      const bool fallback = missingSwitch == MissingSwitch::On    ? true
                            : missingSwitch == MissingSwitch::Off ? false
                                                                  : current.Checked(k.control);
      result.checked[k.control] = file.ReadBool(section, k.key, fallback);
    } else {
      std::string value = file.ReadString(section, k.key, current.Text(k.control));
      if (k.memo) value = SubCharsToReturns(value);
      result.text[k.control] = value;
    }
  }
  return result;
}

bool IsConfigDocument(const std::string& text) {
  return GetValueByPath(text, std::string(kRoot) + "\\version", "XYZ") != "XYZ";
}

LoadResult LoadConfigFromFile(Program program, const std::string& fileName, ConfigValues& values) {
  if (fileName.empty() || !FileExists(fileName)) return LoadResult::Missing;
  std::string text;
  if (!LoadTextFile(fileName, text)) {
    throw std::runtime_error("Unable to read the configuration file " + tavrel::ShownPath(fileName) + ".");
  }
  if (IsConfigDocument(text)) {
    values = ReadConfigXML(program, text, values);
    return LoadResult::Document;
  }
  TDataFile old(fileName);
  values = ReadOldConfig(program, old, values);
  return LoadResult::OldFormat;
}

bool SaveConfigToFile(Program program, const std::string& fileName, const ConfigValues& values,
                      int majorVersion) {
  if (fileName.empty()) return false;
  std::string doc;
  if (FileExists(fileName) && !LoadTextFile(fileName, doc)) return false;
  // A setting the document does not take (a malformed file) would be lost
  // without a word: the save fails instead.
  if (!WriteConfig(program, values, majorVersion, doc)) return false;
  return SaveXMLFile(fileName, doc);
}

}  // namespace configdoc
