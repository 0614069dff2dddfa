#include "askery/core/QuizExport.h"

#include <utility>

#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"

namespace askery {

namespace {

const char* const kProgramName = "Askery";
// The title of a page whose quiz has none.
const char* const kExerciseWord = "Quiz";
const char* const kUnableToSave = "Unable to save file: ";

void Fill(std::string& page, const char* placeholder, const std::string& value) {
  FillPlaceholder(page, placeholder, value);
}

void Section(std::string& page, const char* tag, bool keep) { KeepSection(page, tag, keep); }

// The feedback and scoring texts of both exercise pages.
void FillFeedback(std::string& page, const ConfigValues& c) {
  Fill(page, "[strGuessCorrect]", ScriptString(c.Text("editGuessCorrect")));
  Fill(page, "[strGuessIncorrect]", ScriptString(c.Text("editGuessIncorrect")));
  Fill(page, "[strTheseAnswersToo]", ScriptString(c.Text("editTheseAnswersToo")));
  Fill(page, "[strThisMuch]", ScriptString(c.Text("editThisMuch")));
  Fill(page, "[strTheseWords]", ScriptString(c.Text("editTheseWords")));
  Fill(page, "[strPleaseEnter]", ScriptString(c.Text("editPleaseEnter")));
  Fill(page, "[strNextCorrect]", ScriptString(c.Text("editNextCorrect")));
  Fill(page, "[strCorrectList]", ScriptString(c.Text("editCorrectList")));
  Fill(page, "[CaseSensitive]", TrueFalse(c.Checked("chkCaseSensitive")));
  Fill(page, "[boolContinuousScoring]", TrueFalse(c.Checked("chkContinuousScoring")));
  Fill(page, "[strCorrectFirstTime]", ScriptString(c.Text("editCorrectFirstTime")));
  Fill(page, "[strYourScoreIs]", ScriptString(c.Text("editYourScoreIs")));
}

// The loop block of the code page: from "[StartQuestionLoop]" through
// "[EndQuestionLoop]".  Every copy of it in the page becomes "[Questions]" and
// the block loses its markers.  A template without a usable pair of markers
// has no block: no question goes into the page, and a stray marker is taken
// out so that it does not show.
std::string TakeQuestionBlock(std::string& page) {
  static const std::string startMark = "[StartQuestionLoop]";
  static const std::string endMark = "[EndQuestionLoop]";
  const auto s = page.find(startMark);
  const auto e = page.find(endMark);
  if (s == std::string::npos || e == std::string::npos || e < s) {
    page = ReplaceAll(startMark, "", page);
    page = ReplaceAll(endMark, "", page);
    return {};
  }
  std::string block = page.substr(s, e + endMark.size() - s);
  page = ReplaceAll(block, "[Questions]", page);
  block = ReplaceAll(startMark, "", block);
  block = ReplaceAll(endMark, "", block);
  return block;
}

}  // namespace

ExportPlan BuildFramesExport(TQList& questions, const QuizExportInput& in) {
  const ConfigValues& c = in.config;
  const ExportNames names = MakeExportNames(in.fileName);
  ExportPlan plan = MakeExportPlan(kProgramName, names, true, tavrel::mbYesNoCancel);

  // Reading page, or the web address that stands for it.
  bool readingIsAddress = false;
  if (in.reading.include) {
    AddReadingMessages(plan, in.reading);
    readingIsAddress = AddReadingPageStep(plan, names, in.reading);
  }
  const std::string readingInAttribute =
      readingIsAddress ? AttributeValue(in.reading.output) : FileNameAsAddress(names.reading);

  // Root page.
  {
    std::string page = plan.UseTemplate(in.frameset);
    Section(page, "V4BrowserVersion", false);
    Section(page, "V3BrowserVersion", true);
    Section(page, "NoReading", !in.reading.include);
    Section(page, "Reading", in.reading.include);
    Section(page, "NoTimer", !in.reading.timer);
    Section(page, "Timer", in.reading.timer);
    Fill(page, "[strPlainTitle]", ShownText(in.title, false));
    Fill(page, "[strQuizTitle]", MarkupText(in.title, TextPlace::Heading));
    Fill(page, "[WelcomeFileName]", FileNameAsAddress(names.welcome));
    Fill(page, "[CodeFileName]", FileNameAsAddress(names.code));
    Fill(page, "[ReadingFileName]", readingInAttribute);
    page = FinishPage(page, in.title, kExerciseWord);
    plan.steps.push_back(ExportStep::Write(names.fileName, page, names.name, ListEntry::Front,
                                           kUnableToSave + names.name));
  }

  const NavButtons buttons = BuildNavButtons(c, NavStyle::Quiz);

  // Welcome page.
  {
    std::string page = plan.UseTemplate(in.welcome);
    Section(page, "inclWelcome", !c.Text("mmoWelcome").empty());
    Section(page, "inclInstructions", !c.Text("mmoInstructions").empty());
    Fill(page, "[strPlainTitle]", ShownText(in.title, false));
    Fill(page, "[strGraphicURL]", AttributeValue(c.Text("editGraphicURL")));
    Fill(page, "[strWelcome]", MarkupText(c.Text("mmoWelcome"), TextPlace::Block));
    Fill(page, "[strInstructions]", MarkupText(c.Text("mmoInstructions"), TextPlace::Block));
    FillNavButtons(page, buttons);
    FillAddressesAndColours(page, c);
    page = FinishPage(page, in.title, kExerciseWord);
    plan.steps.push_back(ExportStep::Write(names.PathOf(names.welcome), page, names.welcome,
                                           ListEntry::AppendLine, kUnableToSave + names.welcome));
  }

  // Answer arrays (the list loses its empty questions and trailing empty
  // answers here).
  std::string answers;
  std::string collected;
  const int n = questions.RemoveEmptyQuestions();
  for (int i = 0; i < n; ++i) {
    const int k = questions.TrimEmptyAnswers(i + 1);
    const std::string item = "Answers[" + std::to_string(i) + "]";
    answers += item + " = new Array();\r\n";
    for (int j = 0; j < k; ++j) {
      const std::string a = questions.GetAnswerText(i + 1, j + 1);
      answers += SafeJSStringAssignment(item + "[" + std::to_string(j) + "]",
                                        HighCharsToEscapes(a)) +
                 "\r\n";
      collected += a;
    }
  }
  const std::string charScript = MakeCharListScript(collected);

  // Code page.
  {
    std::string page = plan.UseTemplate(in.code);
    Section(page, "inclHelpButton", c.Checked("chkIncludeHelp"));
    const std::string block = TakeQuestionBlock(page);
    const std::string check =
        c.Text("editCheck").empty()
            ? std::string()
            : "<INPUT TYPE=\"button\" VALUE=\"[CheckCaption]\" onClick='CheckAnswer(false, [QNum])'>";
    const std::string hint =
        c.Text("editHint").empty() || !c.Checked("chkIncludeHint")
            ? std::string()
            : "<INPUT TYPE=\"button\" VALUE=\"[HintCaption]\" onClick='CheckAnswer(true, [QNum])'>";
    const std::string show =
        c.Text("editShow").empty() || !c.Checked("chkIncludeShowAnswer")
            ? std::string()
            : "<INPUT TYPE=\"button\" VALUE=\"[ShowCaption]\" onClick='ShowAnswers([QNum])'>";
    std::string questionText;
    if (!block.empty()) {
      for (int q = 1; q <= n; ++q) {
        std::string copy = block;
        Fill(copy, "[CheckButton]", check);
        Fill(copy, "[HintButton]", hint);
        Fill(copy, "[ShowButton]", show);
        Fill(copy, "[QNum]", std::to_string(q));
        // Teacher text: never filled by the replacements that follow.
        Fill(copy, "[Question]", MarkupText(questions.GetQuestionText(q), TextPlace::Block));
        questionText += copy;
        questionText += "\r\n\r\n";
      }
    }
    Fill(page, "[Questions]", questionText);
    Fill(page, "[strEscapeLookup]", charScript);
    Fill(page, "[strShowReadingAgain]", ScriptCaption(c.Text("editShowReadingAgain")));
    FillReadingPlaceholders(page, c, in.reading.minutes, readingInAttribute);
    Fill(page, "[strQuizTitle]", MarkupText(in.title, TextPlace::Heading));
    FillFeedback(page, c);
    Fill(page, "[Answers]", answers);
    Fill(page, "[strGraphicURL]", AttributeValue(c.Text("editGraphicURL")));
    Fill(page, "[strQuizSubtitle]", MarkupText(c.Text("mmoQuizSubtitle"), TextPlace::Block));
    Fill(page, "[HelpButton]", buttons.help);
    Fill(page, "[WelcomeFileName]", FileNameAsAddress(names.welcome));
    Fill(page, "[HelpCaption]", AttributeValue(c.Text("editHelp")));
    Fill(page, "[CheckCaption]", AttributeValue(c.Text("editCheck")));
    Fill(page, "[HintCaption]", AttributeValue(c.Text("editHint")));
    Fill(page, "[ShowCaption]", AttributeValue(c.Text("editShow")));
    Fill(page, "[TopNextExButton]", buttons.topNextEx);
    FillNavButtons(page, buttons);
    FillAddressesAndColours(page, c);
    page = FinishPage(page, in.title, kExerciseWord);
    plan.steps.push_back(ExportStep::Write(names.PathOf(names.code), page, names.code,
                                           ListEntry::AppendLine, kUnableToSave + names.code));
  }
  return plan;
}

std::string MakeDHTMLPage(TQList& questions, const QuizExportInput& in,
                          const std::string& readingFileName, ExportPlan& plan) {
  const ConfigValues& c = in.config;
  std::string page = plan.UseTemplate(in.dhtml);

  // Item array (the list loses its empty questions and trailing empty answers).
  std::string items;
  std::string collected;
  const int n = questions.RemoveEmptyQuestions();
  int item = 0;
  for (int q = 1; q <= n; ++q) {
    if (questions.QuestionIsEmpty(q)) continue;
    const int k = questions.TrimEmptyAnswers(q);
    const std::string name = "I[" + std::to_string(item) + "]";
    items += "\r\n" + name + " = new Array();\r\n";
    // Put into a <div>, on the page and in its printed list.
    const std::string question = MarkupText(questions.GetQuestionText(q), TextPlace::Block);
    items += SafeJSStringAssignment(name + "[0]", PageEntities(question)) +
             "\r\n";
    items += name + "[1] = new Array();\r\n";
    for (int m = 0; m < k; ++m) {
      const std::string a = questions.GetAnswerText(q, m + 1);
      const std::string answerName = name + "[1][" + std::to_string(m) + "]";
      items += answerName + " = new Array();\r\n";
      items += SafeJSStringAssignment(answerName + "[0]", HighCharsToEscapes(Trim(a))) + "\r\n";
      collected += a;
    }
    ++item;
  }
  // The character script depends only on the collected text, so it is made
  // once for all questions.
  const std::string charScript = item > 0 ? MakeCharListScript(collected) : std::string();

  const bool reading = in.reading.include;
  Section(page, "inclBack", c.Checked("chkIncludeBack"));
  Section(page, "inclContents", c.Checked("chkIncludeContents"));
  Section(page, "inclNextEx", c.Checked("chkIncludeNextEx"));
  Section(page, "inclTimer", in.reading.timer && reading);
  Section(page, "inclParent", reading);
  Section(page, "inclHint", c.Checked("chkIncludeHint"));
  Section(page, "inclShow", c.Checked("chkIncludeShowAnswer"));

  std::string readingName;
  if (IsWebAddress(readingFileName))
    readingName = ScriptString(readingFileName);
  else if (!readingFileName.empty())
    readingName = ScriptString(FileNameAsAddress(ExtractFileName(readingFileName)));

  Fill(page, "[strEscapeLookup]", charScript);
  Fill(page, "[strShowReadingAgain]", ScriptCaption(c.Text("editShowReadingAgain")));
  Fill(page, "[strGraphicURL]", ScriptString(c.Text("editGraphicURL")));
  FillReadingPlaceholders(page, c, in.reading.minutes, readingName);
  Fill(page, "[strHintCaption]", ScriptCaption(c.Text("editHint")));
  Fill(page, "[strCheckCaption]", ScriptCaption(c.Text("editCheck")));
  Fill(page, "[strShowCaption]", ScriptCaption(c.Text("editShow")));
  FillFeedback(page, c);
  Fill(page, "[strExerciseTitle]", ScriptMarkup(in.title));
  Fill(page, "[strPlainTitle]", ShownText(in.title, false));
  Fill(page, "[strExerciseSubtitle]", ScriptMarkup(c.Text("mmoQuizSubtitle")));
  Fill(page, "[strInstructions]", ScriptMarkup(c.Text("mmoInstructions")));
  FillScriptAddressesAndColours(page, c);
  Fill(page, "[strOKCaption]", ScriptCaption(c.Text("editOKCaption")));
  Fill(page, "[boolShuffleQs]", TrueFalse(c.Checked("chkShuffleQs")));
  Fill(page, "[strItemArray]", items);
  return FinishPage(page, in.title, kExerciseWord);
}

ExportPlan BuildSinglePageExport(TQList& questions, const QuizExportInput& in) {
  // The companion pages lie in the chosen file's folder and take its base
  // name, as in the frames export: a folder whose name holds ".htm" plays no
  // part in them.
  const ExportNames names = MakeExportNames(in.fileName);
  ExportPlan plan = MakeExportPlan(kProgramName, names, in.reading.include, tavrel::mbYesNo);

  if (!in.reading.include) {
    const std::string page = MakeDHTMLPage(questions, in, std::string(), plan);
    plan.WriteSinglePage(page);
    return plan;
  }

  std::string frameset = plan.UseTemplate(in.frameset);
  AddReadingMessages(plan, in.reading);
  const bool readingIsAddress = AddReadingPageStep(plan, names, in.reading);
  const std::string page = MakeDHTMLPage(
      questions, in, readingIsAddress ? in.reading.output : names.PathOf(names.reading), plan);
  plan.steps.push_back(ExportStep::Write(names.PathOf(names.code), page, names.code,
                                         ListEntry::Front, kUnableToSave + names.code));

  plan.steps.push_back(ExportStep::Write(
      names.fileName,
      FilledFrameset(std::move(frameset), names, in.reading, in.title, kExerciseWord, true,
                     AttributeValue),
      names.name, ListEntry::FrontLine, kUnableToSave + names.fileName));
  return plan;
}

}  // namespace askery
