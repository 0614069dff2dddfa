#include "pairo/core/MatchExport.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "pairo/core/LookAlike.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"

namespace pairo {

namespace {

const char* const kProgramName = "Pairo";
const char* const kUnableToSave = "Unable to save file: ";
const std::string kCrLf = "\r\n";

// The title of a page whose exercise has none.
const char* const kExerciseWord = "Matching exercise";

// An address for a page: the characters that could end a quoted attribute
// or script string, start a tag or form a placeholder word, blanks and
// control characters are %-encoded; everything else (including "%", "?",
// "#", "&" and ":") stays, so web addresses keep their meaning.
std::string PageAddress(const std::string& s) { return PercentEncoded(s, "\"'\\<>[] `"); }

// A reading's web address in the frameset.
std::string ReadingAddress(const std::string& s) { return PageAddress(Trim(s)); }

std::string WithoutLineBreaks(const std::string& s) { return ReplaceAll(kCrLf, " ", s); }

ExportPlan NewPlan(const ExportNames& names) {
  ExportPlan plan;
  plan.programName = kProgramName;
  plan.rootPath = names.fileName;
  plan.rootName = names.name;
  return plan;
}

// The right and wrong indicators as four script lines.
std::string RightWrongChars(const ConfigValues& c) {
  const std::string right = c.Text("editCorrectIndicator");
  const std::string wrong = c.Text("editIncorrectIndicator");
  std::string s;
  s += "macrightchar='" + ScriptString(HighCharsToMacEscapes(right)) + "';" + kCrLf;
  s += "macwrongchar='" + ScriptString(HighCharsToMacEscapes(wrong)) + "';" + kCrLf;
  s += "winrightchar='" + ScriptString(HighCharsToEscapes(right)) + "';" + kCrLf;
  s += "winwrongchar='" + ScriptString(HighCharsToEscapes(wrong)) + "';" + kCrLf;
  return s;
}

// Takes the text between the two markers out of text as its template:
// every copy of it in text becomes replacement, and the markers go.  A text
// without the pair of markers has an empty template; only stray markers are
// removed.
std::string TakeBlock(std::string& text, const std::string& startMark, const std::string& endMark,
                      const std::string& replacement) {
  const std::string block = TextBetween(text, startMark, endMark);
  if (!block.empty()) text = ReplaceAll(block, replacement, text);
  text = ReplaceAll(startMark, "", text);
  text = ReplaceAll(endMark, "", text);
  return block;
}

}  // namespace

// ------------------------------------------------------------------ mix ----

SelectMix MakeSelectMix(TQList& pairs, int count, const std::string& defaultRight,
                        IMixRandom& random) {
  struct Entry {
    std::string text;
    int place;  // 1-based place before the jumble
  };
  // An option shows its text without markup, so right items that show the
  // same there (LookAlikeKey of the shown text, letter case not counting)
  // are one option.  Distractors are added each time they occur, but one
  // that shows as a right item of a row is that item's option.
  const size_t n = static_cast<size_t>(count > 0 ? count : 0);
  std::vector<std::u32string> keys(n);
  std::unordered_set<std::u32string> rowKeys;
  for (int i = 1; i <= count; ++i) {
    const std::string right = pairs.GetQuestionExtra(i);
    if (right.empty() || pairs.GetQuestionFlag(i)) continue;
    const std::string mixed = WithoutLineBreaks(right);
    if (mixed != right) pairs.SetQuestionExtra(i, mixed);
    keys[static_cast<size_t>(i - 1)] = LookAlikeKey(ShownText(mixed), true);
    if (!pairs.GetQuestionText(i).empty()) rowKeys.insert(keys[static_cast<size_t>(i - 1)]);
  }
  std::vector<Entry> entries;
  std::unordered_map<std::u32string, int> firstPlace;  // key -> place
  std::vector<int> placeOf(n, 0);
  for (int i = 1; i <= count; ++i) {
    const std::string mixed = pairs.GetQuestionExtra(i);
    if (mixed.empty() || pairs.GetQuestionFlag(i)) continue;
    const std::u32string& key = keys[static_cast<size_t>(i - 1)];
    const bool row = !pairs.GetQuestionText(i).empty();
    const auto found = firstPlace.find(key);
    if (found != firstPlace.end() && (row || rowKeys.count(key))) {
      if (row) placeOf[static_cast<size_t>(i - 1)] = found->second;
      continue;
    }
    // A new text, or a distractor that shows as no row's right item.
    entries.push_back({mixed, static_cast<int>(entries.size()) + 1});
    if (found == firstPlace.end()) firstPlace.emplace(key, entries.back().place);
    if (!pairs.GetQuestionText(i).empty())
      placeOf[static_cast<size_t>(i - 1)] = entries.back().place;
  }

  SelectMix mix;
  mix.mixable = static_cast<int>(entries.size());
  if (mix.mixable >= 2) MixInPlace(entries, random);
  std::vector<int> optionOfPlace(entries.size() + 1, 0);
  mix.options.reserve(entries.size() + 1);
  mix.options.push_back(WithoutLineBreaks(defaultRight));
  for (size_t k = 0; k < entries.size(); ++k) {
    optionOfPlace[static_cast<size_t>(entries[k].place)] = static_cast<int>(k) + 1;
    mix.options.push_back(entries[k].text);
  }
  mix.answerOption.resize(placeOf.size(), 0);
  for (size_t i = 0; i < placeOf.size(); ++i)
    mix.answerOption[i] = placeOf[i] ? optionOfPlace[static_cast<size_t>(placeOf[i])] : 0;
  return mix;
}

// ----------------------------------------------------- select-list export ----

MatchExport BuildSelectListExport(TQList& pairs, const MatchExportInput& in, IMixRandom& random) {
  const ConfigValues& c = in.config;
  const ExportNames names = MakeExportNames(in.fileName);
  MatchExport result;
  result.plan = NewPlan(names);
  ExportPlan& plan = result.plan;
  plan.multiPage = true;
  plan.reportButtons = tavrel::mbYesNoCancel;

  // The answers to mix come first: an exercise that cannot be made writes
  // nothing at all.
  const int n = pairs.RemoveTrailingEmptyQuestions();
  const SelectMix mix = MakeSelectMix(pairs, n, in.defaultRight, random);
  if (mix.mixable < 2) {
    ExportMessage refusal;
    refusal.text = kNotEnoughToMix;
    refusal.type = tavrel::MsgType::Warning;
    refusal.buttons = tavrel::mbOK;
    refusal.helpContext = 0;
    result.refusal = refusal;
    return result;
  }

  const bool reading = in.reading.include;
  const bool readingIsAddress = reading && IsWebAddress(in.reading.output);
  const std::string readingRef =
      readingIsAddress ? ReadingAddress(in.reading.output) : FileNameAsAddress(names.reading);
  const std::string codeName = reading ? names.code : names.name;
  const std::string codePath = reading ? names.PathOf(names.code) : names.fileName;

  if (reading) {
    AddReadingMessages(plan, in.reading);
    if (plan.abandoned) return result;
    AddReadingPageStep(plan, names, in.reading);
    std::string frameset = plan.UseTemplate(in.frameset);
    if (plan.abandoned) return result;
    plan.steps.push_back(ExportStep::Write(
        names.fileName,
        FilledFrameset(std::move(frameset), names, in.reading, in.title, kExerciseWord, false,
                       ReadingAddress),
        names.name, ListEntry::Front, kUnableToSave + names.name));
  }

  std::string page = plan.UseTemplate(in.code);
  if (plan.abandoned) return result;

  // The page holds every option in every row, so it grows with the square of
  // the pairs: it is written row by row as the rows are made, and only the
  // options (once), the rows' own texts and the page around them are held.
  std::string options;
  for (const std::string& o : mix.options) options += "<OPTION>" + ShownText(o) + kCrLf;
  options = PageText(options);

  std::string row = TakeBlock(page, "[BeginItemRow]", "[EndItemRow]", "[ItemList]");
  std::string indicator =
      TakeBlock(row, "[BeginIndicatorBox]", "[EndIndicatorBox]", "[IndicatorBox]");
  struct Row {
    std::string left;
    std::string right;  // a fixed pair's right item; empty for a select list
    bool fixed = false;
  };
  std::vector<Row> rows;
  std::string correct;
  int select = 0;
  for (int i = 1; i <= n; ++i) {
    const std::string left = pairs.GetQuestionText(i);
    if (left.empty()) continue;
    const bool fixed = pairs.GetQuestionFlag(i);
    rows.push_back({left, fixed ? pairs.GetQuestionExtra(i) : std::string(), fixed});
    if (fixed) continue;
    correct += "CorrectAnswers[" + std::to_string(select) +
               "]=" + std::to_string(mix.answerOption[static_cast<size_t>(i - 1)]) + ";" + kCrLf;
    ++select;
  }

  const std::string check = "<INPUT TYPE=\"button\" VALUE=\"" +
                            AttributeValue(c.Text("editCheck")) + "\" onClick=\"CheckAnswer()\">";
  const NavButtons buttons = BuildNavButtons(c, NavStyle::Matching);

  // The timer box settles the section whether or not a reading is attached:
  // the page's own script starts the timer only inside a frameset.
  KeepSection(page, "inclTimer", in.reading.timer);
  KeepSection(page, "inclInstructions", !c.Text("mmoInstructions").empty());
  FillPlaceholder(page, "[strShowReadingAgain]", ScriptCaption(c.Text("editShowReadingAgain")));
  FillReadingPlaceholders(page, c, in.reading.minutes, readingRef);
  FillPlaceholder(page, "[strExerciseTitle]", MarkupText(in.title, TextPlace::Heading));
  FillPlaceholder(page, "[strPlainTitle]", ShownText(in.title, false));
  FillPlaceholder(page, "[CorrectAnswersArray]", correct);
  FillPlaceholder(page, "[RightWrongChars]", RightWrongChars(c));
  FillPlaceholder(page, "[strGraphicURL]", PageAddress(c.Text("editGraphicURL")));
  FillPlaceholder(page, "[strExerciseSubtitle]",
                  MarkupText(c.Text("mmoExerciseSubtitle"), TextPlace::Block));
  FillPlaceholder(page, "[strInstructions]",
                  MarkupText(c.Text("mmoInstructions"), TextPlace::Block));
  // Where the rows go: a control character, which no teacher's text reaches
  // the page as (the writer makes them references), so a text cannot form
  // it.
  const std::string rowsMark = "\x11";
  FillPlaceholder(page, "[ItemList]", rowsMark);
  // What follows the rows in the page is filled in the row and indicator
  // templates too, as it would be in rows already in the page.
  auto fillAfterRows = [&](std::string& text) {
    FillPlaceholder(text, "[strYourScoreIs]", ScriptString(c.Text("editYourScoreIs")));
    FillPlaceholder(text, "[CheckButton]", check);
    FillPlaceholder(text, "[NextExButton]", buttons.nextEx);
    FillPlaceholder(text, "[ContentsButton]", buttons.contents);
    FillPlaceholder(text, "[BackButton]", buttons.back);
    KeepSection(text, "inclReading", reading);
    FillPlaceholder(text, "[strContentsURL]", PageAddress(c.Text("editContentsURL")));
    FillPlaceholder(text, "[strNextExURL]", PageAddress(c.Text("editNextExURL")));
    FillPlaceholder(text, "[strPageBGColor]", AttributeValue(c.Text("editPageBGColor")));
    FillPlaceholder(text, "[strTitleColor]", AttributeValue(c.Text("editTitleColor")));
    FillPlaceholder(text, "[strExBGColor]", AttributeValue(c.Text("editExBGColor")));
    FillPlaceholder(text, "[strTextColor]", AttributeValue(c.Text("editTextColor")));
    FillPlaceholder(text, "[strNavBarColor]", AttributeValue(c.Text("editNavBarColor")));
  };
  fillAfterRows(page);
  fillAfterRows(row);
  fillAfterRows(indicator);
  page = FinishPage(page, in.title, kExerciseWord);

  auto pieces = [](const std::string& text, const std::string& mark) {
    std::vector<std::string> out;
    size_t from = 0;
    for (size_t at; (at = text.find(mark, from)) != std::string::npos; from = at + mark.size())
      out.push_back(text.substr(from, at - from));
    out.push_back(text.substr(from));
    return out;
  };
  const std::string optionsMark = "\x12";
  struct Page {
    std::vector<std::string> around;  // the page's text before, between and after the rows
    std::vector<Row> rows;
    std::string row;
    std::string indicator;
    std::string options;
  };
  auto made = std::make_shared<Page>();
  made->around = pieces(page, rowsMark);
  made->rows = std::move(rows);
  made->row = std::move(row);
  made->indicator = std::move(indicator);
  made->options = std::move(options);
  page.clear();

  // The size, to ask before a page of unusual size is written.
  const size_t selects = static_cast<size_t>(select);
  size_t rowsSize = 0;
  for (const Row& r : made->rows) rowsSize += made->row.size() + 2 * r.left.size() + r.right.size();
  rowsSize += selects * (made->indicator.size() + made->options.size() + 64);
  size_t size = 0;
  for (const std::string& a : made->around) size += a.size();
  size += (made->around.size() - 1) * rowsSize;
  if (size > kLargePageBytes) plan.question = LargePageQuestion(size);

  ExportStep write = ExportStep::Write(codePath, std::string(), codeName,
                                       reading ? ListEntry::AppendLine : ListEntry::Front,
                                       kUnableToSave + codeName);
  write.produce = [made, pieces, optionsMark](const TextSink& sink) {
    const Page& p = *made;
    for (size_t k = 0; k < p.around.size(); ++k) {
      if (!sink(p.around[k])) return false;
      if (k + 1 == p.around.size()) break;
      int name = 0;
      for (const Row& r : p.rows) {
        std::string copy = p.row;
        FillPlaceholder(copy, "[FixedItem]", MarkupText(r.left, TextPlace::FormRowBlock));
        if (r.fixed) {
          FillPlaceholder(copy, "[MixedItems]", MarkupText(r.right, TextPlace::FormRowBlock));
          FillPlaceholder(copy, "[IndicatorBox]", "");
          if (!sink(PageText(copy))) return false;
          continue;
        }
        FillPlaceholder(copy, "[MixedItems]",
                        "<SELECT NAME=\"" + std::to_string(name) + "\" CLASS=\"choice\" aria-label=\"" +
                            QuotesToEntities(ShownText(r.left)) + "\">" + kCrLf + optionsMark +
                            "</SELECT>");
        ++name;
        std::string box = p.indicator;
        FillPlaceholder(box, "[IndicatorBoxName]", std::to_string(name));
        FillPlaceholder(copy, "[IndicatorBox]", box);
        ++name;
        const std::vector<std::string> parts = pieces(copy, optionsMark);
        for (size_t j = 0; j < parts.size(); ++j) {
          if (!sink(PageText(parts[j]))) return false;
          if (j + 1 < parts.size() && !sink(p.options)) return false;
        }
      }
    }
    return true;
  };
  plan.steps.push_back(std::move(write));
  return result;
}

ExportMessage LargePageQuestion(size_t bytes) {
  ExportMessage m;
  m.text = "The page will be about " + std::to_string((bytes + 500000) / 1000000) +
           " MB, since every select list offers every answer. It may take a long time to "
           "write, and a browser may be slow to open it. Do you want to continue?";
  m.type = tavrel::MsgType::Warning;
  m.buttons = tavrel::mbYesNo;
  m.helpContext = kWebExportHelpContext;
  return m;
}

// --------------------------------------------------- drag-and-drop export ----

int CountItemsForWarning(const TQList& pairs) {
  int n = 0;
  while (n < pairs.Count() &&
         !(pairs.GetQuestionText(n + 1).empty() && pairs.GetQuestionExtra(n + 1).empty()))
    ++n;
  return n;
}

std::optional<ExportMessage> LongExerciseQuestion(int count) {
  if (count <= kLongExerciseItems) return std::nullopt;
  ExportMessage m;
  m.text = "You have " + std::to_string(count) + " items in this exercise. " +
           "Including such a large number of items in a drag-and-drop page " +
           "will cause a lot of difficult scrolling for the user, and may " +
           "cause the page to fail or run very slowly on some browsers. " +
           "Are you sure you want to continue making the page?";
  m.type = tavrel::MsgType::Warning;
  m.buttons = tavrel::mbYesNoCancel;
  m.helpContext = kWebExportHelpContext;
  return m;
}

std::vector<int> MatchNumbers(const TQList& pairs, int count) {
  std::vector<int> numbers(static_cast<size_t>(count > 0 ? count : 0), 0);
  // A card shows its text without markup, as an option does; cards that
  // show the same (letter case counting) are one answer.
  std::unordered_map<std::u32string, int> first;
  for (int i = 1; i <= count; ++i) {
    const std::string right = pairs.GetQuestionExtra(i);
    if (right.empty()) continue;
    numbers[static_cast<size_t>(i - 1)] =
        first.emplace(LookAlikeKey(ShownText(right), false), i).first->second;
  }
  return numbers;
}

std::string MakeDragDropPage(TQList& pairs, const MatchExportInput& in,
                             const std::string& readingFileName, ExportPlan& plan) {
  const ConfigValues& c = in.config;
  std::string page = plan.UseTemplate(in.dhtml);
  if (plan.abandoned) return {};

  const int n = pairs.RemoveTrailingEmptyQuestions();
  const std::vector<int> match = MatchNumbers(pairs, n);
  std::string fixedArray;
  std::string dragArray;
  bool anyFixed = false;
  for (int i = 1; i <= n; ++i) {
    const std::string right = pairs.GetQuestionExtra(i);
    if (right.empty()) continue;
    const std::string left = pairs.GetQuestionText(i);
    const bool fixed = pairs.GetQuestionFlag(i);
    anyFixed = anyFixed || fixed;
    const std::string index = std::to_string(i - 1);
    const std::string m = std::to_string(match[static_cast<size_t>(i - 1)]);
    if (!Trim(left).empty()) {
      const std::string name = "FixedStuff[" + index + "]";
      fixedArray += name + " = new Array()" + kCrLf;
      fixedArray += SafeJSStringAssignment(name + "[0]", MarkupText(left, TextPlace::Block)) + kCrLf;
      fixedArray += name + "[1] = " + m + ";" + kCrLf;
      // The name of the item's place.
      fixedArray += SafeJSStringAssignment(name + "[2]", ShownText(left)) + kCrLf;
    }
    const std::string name = "DragStuff[" + index + "]";
    dragArray += name + " = new Array()" + kCrLf;
    // A card shows its text as an option of a select list does.
    dragArray += SafeJSStringAssignment(name + "[0]", ShownText(right)) + kCrLf;
    dragArray += name + "[1] = " + m + ";" + kCrLf;
    dragArray += name + (fixed ? "[2] = 1;" : "[2] = 0;") + kCrLf;
  }

  const bool reading = in.reading.include;
  KeepSection(page, "inclSlide", anyFixed);
  KeepSection(page, "inclBack", c.Checked("chkIncludeBack"));
  KeepSection(page, "inclContents", c.Checked("chkIncludeContents"));
  KeepSection(page, "inclNextEx", c.Checked("chkIncludeNextEx"));
  KeepSection(page, "inclTimer", in.reading.timer && reading);
  KeepSection(page, "inclParent", reading);

  std::string readingName;
  if (IsWebAddress(readingFileName))
    readingName = PageAddress(Trim(readingFileName));
  else if (!readingFileName.empty())
    readingName = ScriptString(FileNameAsAddress(ExtractFileName(readingFileName)));

  FillPlaceholder(page, "[strShowReadingAgain]", ScriptCaption(c.Text("editShowReadingAgain")));
  FillReadingPlaceholders(page, c, in.reading.minutes, readingName);
  FillPlaceholder(page, "[strCheckCaption]", ScriptCaption(c.Text("editCheck")));
  FillPlaceholder(page, "[strExerciseTitle]", ScriptMarkup(in.title));
  FillPlaceholder(page, "[strPlainTitle]", ShownText(in.title, false));
  FillPlaceholder(page, "[strExerciseSubtitle]", ScriptMarkup(c.Text("mmoExerciseSubtitle")));
  FillPlaceholder(page, "[strInstructions]", ScriptMarkup(c.Text("mmoInstructions")));
  FillPlaceholder(page, "[strGuessCorrect]", ScriptString(c.Text("editGuessCorrect")));
  FillPlaceholder(page, "[strGuessIncorrect]", ScriptString(c.Text("editGuessIncorrect")));
  FillPlaceholder(page, "[strYourScoreIs]", ScriptString(c.Text("editYourScoreIs")));
  FillScriptAddressesAndColours(page, c);
  FillPlaceholder(page, "[strGraphicURL]", ScriptString(c.Text("editGraphicURL")));
  FillPlaceholder(page, "[strOKCaption]", ScriptCaption(c.Text("editOKCaption")));
  FillPlaceholder(page, "[FixedArray]", fixedArray);
  FillPlaceholder(page, "[DragArray]", dragArray);
  return FinishPage(page, in.title, kExerciseWord);
}

MatchExport BuildDragDropExport(TQList& pairs, const MatchExportInput& in) {
  const ExportNames names = MakeExportNames(in.fileName);
  MatchExport result;
  result.plan = NewPlan(names);
  ExportPlan& plan = result.plan;
  plan.reportButtons = tavrel::mbYesNo;

  if (!in.reading.include) {
    plan.multiPage = false;
    const std::string page = MakeDragDropPage(pairs, in, std::string(), plan);
    if (plan.abandoned) return result;
    ExportStep write = ExportStep::Write(names.fileName, page, names.name, ListEntry::None,
                                         kUnableToSave + names.fileName);
    write.restoreCursorBefore = true;
    write.stopOnFailure = true;
    plan.steps.push_back(write);
    return result;
  }

  plan.multiPage = true;
  plan.viewQuestion = "Would you like to view the exercise now?";
  std::string frameset = plan.UseTemplate(in.frameset);
  AddReadingMessages(plan, in.reading);
  if (plan.abandoned) return result;
  const bool readingIsAddress = AddReadingPageStep(plan, names, in.reading);
  const std::string page = MakeDragDropPage(
      pairs, in, readingIsAddress ? in.reading.output : names.PathOf(names.reading), plan);
  if (plan.abandoned) return result;
  plan.steps.push_back(ExportStep::Write(names.PathOf(names.code), page, names.code,
                                         ListEntry::Front, kUnableToSave + names.code));

  plan.steps.push_back(ExportStep::Write(
      names.fileName,
      FilledFrameset(std::move(frameset), names, in.reading, in.title, kExerciseWord, true,
                     ReadingAddress),
      names.name, ListEntry::FrontLine, kUnableToSave + names.fileName));
  return result;
}

}  // namespace pairo
