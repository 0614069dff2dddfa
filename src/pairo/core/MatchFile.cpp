#include "pairo/core/MatchFile.h"

#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/ElementWalker.h"
#include "shared/core/ExerciseDocument.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"

namespace pairo {

namespace {

const std::string kCrLf = "\r\n";

const exercisedoc::Layout kLayout{kFileRoot, "matching-exercise", "pairo"};

// The content of the element named tag in text, when its opening and
// closing tags are both there.
bool ElementContent(const std::string& tag, const std::string& text, std::string& content) {
  std::string doc = text;
  return ExtractElement(false, tag, doc, content);
}

}  // namespace

std::string BuildMatchFileText(int majorVersion, const std::string& title,
                               const std::string& readingElement, const std::string& defaultRight,
                               TQList& pairs, const std::string& configXML) {
  const int n = pairs.RemoveTrailingEmptyQuestions();
  std::string items;
  items.reserve(static_cast<size_t>(n) * 160);
  for (int i = 1; i <= n; ++i) {
    items += kCrLf + kCrLf;
    items += "<pair>" + kCrLf;
    items += "<left-item>";
    AppendElement(items, XMLEscape(pairs.GetQuestionText(i)), "text");
    items += kCrLf + "<fixed>1</fixed>" + kCrLf + "</left-item>" + kCrLf;
    items += "<right-item>";
    AppendElement(items, XMLEscape(pairs.GetQuestionExtra(i)), "text");
    items += kCrLf;
    AppendElement(items, pairs.GetQuestionFlag(i) ? "1" : "0", "fixed");
    items += kCrLf + "</right-item></pair>";
  }

  return exercisedoc::Build(kLayout, majorVersion, title, &readingElement,
                            MakeElement(XMLEscape(defaultRight), "default-right-item") + items, configXML, true);
}

bool IsMatchDocument(const std::string& text) { return exercisedoc::IsDocument(kLayout, text); }

exercisedoc::Parts ReadMatchXML(const std::string& text, const std::string& currentTitle,
                                const std::string& currentNextExURL) {
  return exercisedoc::Read(kLayout, text, currentTitle, currentNextExURL);
}

std::string ItemsOf(const std::string& text) {
  return exercisedoc::BodyOf(kLayout, text);
}

ItemsRead ReadMatchItems(const std::string& itemsText, int firstNumber, TQList& pairs) {
  ItemsRead result;
  std::string value;
  if (ElementContent("default-right-item", itemsText, value)) {
    result.hasDefault = true;
    result.defaultRight = XMLUnescape(value);
  }
  int a = firstNumber < 1 ? 1 : firstNumber;
  std::string pair;
  TElementWalker walker("pair", itemsText);
  while (walker.Next(pair)) {
    pairs.SetQuestionText(a, XMLUnescape(GetValueByPath(pair, "left-item\\text", "")));
    pairs.SetQuestionExtra(a, XMLUnescape(GetValueByPath(pair, "right-item\\text", "")));
    pairs.SetQuestionFlag(a, GetBoolByPath(pair, "right-item\\fixed", false));
    ++a;
    ++result.pairs;
  }
  return result;
}

OldMatch ReadOldMatch(const TDataFile& file, const std::string& currentNextExURL) {
  OldMatch old;
  old.version = file.ReadInteger("FileInfo", "Version", 0);
  old.title = SubCharsToReturns(file.ReadString("Title", "strExerciseTitle", ""));
  old.nextExURL = file.ReadString("NextEx", "strNextExURL", currentNextExURL);
  old.checkCaption = file.ReadString("Config", "strCheckCaption", "");
  old.defaultRight = file.ReadString("Default", "Default", kInitialDefaultRight);
  old.pairs.resize(kOldPairCount);
  for (int i = 1; i <= kOldPairCount; ++i) {
    const std::string section = "Item" + std::to_string(i);
    OldPair& p = old.pairs[static_cast<size_t>(i - 1)];
    p.left = file.ReadString(section, "LeftBit", "");
    p.right = file.ReadString(section, "RightBit", "");
    p.fixed = file.ReadBool(section, "Fix", false);
  }
  return old;
}

void PutOldPairs(const OldMatch& old, TQList& pairs) {
  int last = 0;
  for (size_t i = 0; i < old.pairs.size(); ++i) {
    const OldPair& p = old.pairs[i];
    if (!Trim(p.left).empty() || !Trim(p.right).empty()) last = static_cast<int>(i) + 1;
  }
  for (int i = 1; i <= last; ++i) {
    const OldPair& p = old.pairs[static_cast<size_t>(i - 1)];
    pairs.SetQuestionText(i, p.left);
    pairs.SetQuestionExtra(i, p.right);
    pairs.SetQuestionFlag(i, p.fixed);
  }
}

ConfigValues ReadOldMatchConfig(const TDataFile& file, const ConfigValues& current) {
  // Read in this order.
  static const configdoc::OldFileKey keys[] = {
      {"strExerciseSubtitle", "mmoExerciseSubtitle", false, true},
      {"strInstructions", "mmoInstructions", false, true},
      {"strCorrectChar", "editCorrectIndicator", false, false},
      {"strIncorrectChar", "editIncorrectIndicator", false, false},
      {"strYourScoreIs", "editYourScoreIs", false, false},
      {"IncludeNextEx", "chkIncludeNextEx", true, false},
      {"IncludeContents", "chkIncludeContents", true, false},
      {"IncludeBack", "chkIncludeBack", true, false},
      {"strNextExCaption", "editNextEx", false, false},
      {"strBackCaption", "editBack", false, false},
      {"strContentsCaption", "editContents", false, false},
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
  // A key the file does not hold leaves its control as it is.
  return configdoc::ReadOldFileConfig(file, "Config", keys, current,
                                      configdoc::MissingSwitch::Current);
}

}  // namespace pairo
