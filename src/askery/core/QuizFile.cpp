#include "askery/core/QuizFile.h"

#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/ElementWalker.h"
#include "shared/core/ExerciseDocument.h"
#include "shared/core/ReadingData.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"

namespace askery::quizfile {

namespace {

const std::string kCrLf = "\r\n";

const exercisedoc::Layout kLayout{kRoot, "questions", "askery"};

}  // namespace

std::string EmptyReadingElement() { return ReadingElement(ReadingData{}); }

std::string BuildQuizFileText(int majorVersion, const std::string& title,
                              const std::string& readingElement, TQList& questions,
                              const std::string& configXML) {
  std::string records;
  const int count = questions.Count();
  for (int q = 1; q <= count; ++q) {
    if (questions.QuestionIsEmpty(q)) continue;
    const int answers = questions.TrimEmptyAnswers(q);
    records += kCrLf + kCrLf;
    records += "<question-record>" + kCrLf;
    AppendElement(records, XMLEscape(questions.GetQuestionText(q)), "question");
    records += kCrLf;
    for (int a = 1; a <= answers; ++a) {
      records += "<answer>" + kCrLf;
      AppendElement(records, XMLEscape(questions.GetAnswerText(q, a)), "text");
      records += kCrLf;
      AppendElement(records, std::to_string(questions.GetAnswerCorrect(q, a)), "correct");
      records += kCrLf;
      AppendElement(records, XMLEscape(questions.GetAnswerFeedback(q, a)), "feedback");
      records += kCrLf;
      records += "</answer>" + kCrLf;
    }
    records += kCrLf + "</question-record>";
  }

  return exercisedoc::Build(kLayout, majorVersion, title, &readingElement, records, configXML, true);
}

bool IsQuizDocument(const std::string& text) { return exercisedoc::IsDocument(kLayout, text); }

exercisedoc::Parts ReadQuizXML(const std::string& text, const std::string& currentTitle,
                               const std::string& currentNextExURL) {
  return exercisedoc::Read(kLayout, text, currentTitle, currentNextExURL);
}

std::string QuestionsOf(const std::string& text) {
  return exercisedoc::BodyOf(kLayout, text);
}

int ReadQuizQuestions(const std::string& questionsText, int firstNumber, TQList& list) {
  std::string found;
  int startPos = 0;
  if (!FindElement("question", questionsText, found, startPos)) return 0;
  int n = firstNumber < 1 ? 1 : firstNumber;
  int records = 0;
  std::string record;
  std::string answer;
  TElementWalker recordWalker("question-record", questionsText);
  while (recordWalker.Next(record)) {
    list.SetQuestionText(n, XMLUnescape(GetValueByPath(record, "question", "")));
    int j = 1;
    if (FindElement("answer", record, found, startPos)) {
      TElementWalker answerWalker("answer", record);
      while (answerWalker.Next(answer)) {
        const std::string text = XMLUnescape(GetValueByPath(answer, "text", ""));
        const std::string feedback = XMLUnescape(GetValueByPath(answer, "feedback", ""));
        const std::string correct = XMLUnescape(GetValueByPath(answer, "correct", "0"));
        list.SetAnswer(n, j, text, feedback, (!correct.empty() && correct[0] == '1') ? 1 : 0);
        ++j;
      }
    }
    // The record replaces the question: none of the old answers stay behind.
    for (int k = list.GetAnswerCount(n); k >= j; --k) list.DeleteAnswer(n, k);
    ++n;
    ++records;
  }
  return records;
}

OldQuiz ReadOldQuiz(const TDataFile& file, const std::string& currentNextExURL) {
  OldQuiz quiz;
  quiz.version = file.ReadInteger("FileInfo", "Version", 0);
  quiz.title = SubCharsToReturns(file.ReadString("Title", "strQuizTitle", ""));
  quiz.nextExURL = file.ReadString("NextEx", "strNextExURL", currentNextExURL);
  quiz.subtitle = file.ReadString("Config", "strQuizSubtitle", "");
  quiz.questions.resize(kOldQuestionCount);
  for (int i = 1; i <= kOldQuestionCount; ++i) {
    const std::string section = "Question" + std::to_string(i);
    OldQuestion& q = quiz.questions[static_cast<size_t>(i - 1)];
    q.text = SubCharsToReturns(file.ReadString(section, "Question", ""));
    for (int a = 1; a <= 4; ++a) {
      q.answers[static_cast<size_t>(a - 1)] =
          SubCharsToReturns(file.ReadString(section, "Answer" + std::to_string(a), ""));
    }
  }
  return quiz;
}

ConfigValues ReadOldQuizConfig(const TDataFile& file, const ConfigValues& current) {
  // Read in this order: texts and captions first, then switches, addresses
  // and colours.
  static const configdoc::OldFileKey keys[] = {
      {"strQuizSubtitle", "mmoQuizSubtitle", false, true},
      {"strWelcome", "mmoWelcome", false, true},
      {"strInstructions", "mmoInstructions", false, true},
      {"strGuessCorrect", "editGuessCorrect", false, false},
      {"strGuessIncorrect", "editGuessIncorrect", false, false},
      {"strTheseAnswersToo", "editTheseAnswersToo", false, false},
      {"strThisMuch", "editThisMuch", false, false},
      {"strPleaseEnter", "editPleaseEnter", false, false},
      {"strTheseWords", "editTheseWords", false, false},
      {"strNextCorrect", "editNextCorrect", false, false},
      {"strCorrectList", "editCorrectList", false, false},
      {"strHelpCaption", "editHelp", false, false},
      {"strNextExCaption", "editNextEx", false, false},
      {"strBackCaption", "editBack", false, false},
      {"strContentsCaption", "editContents", false, false},
      {"strHintCaption", "editHint", false, false},
      {"strCheckCaption", "editCheck", false, false},
      {"strShowCaption", "editShow", false, false},
      {"IncludeHint", "chkIncludeHint", true, false},
      {"IncludeShowAnswer", "chkIncludeShowAnswer", true, false},
      {"IncludeHelp", "chkIncludeHelp", true, false},
      {"IncludeNextEx", "chkIncludeNextEx", true, false},
      {"IncludeContents", "chkIncludeContents", true, false},
      {"IncludeBack", "chkIncludeBack", true, false},
      {"CaseSensitive", "chkCaseSensitive", true, false},
      {"strGraphicURL", "editGraphicURL", false, false},
      {"strNextExURL", "editNextExURL", false, false},
      {"strContentsURL", "editContentsURL", false, false},
      {"strPageBGColor", "editPageBGColor", false, false},
      {"strTitleColor", "editTitleColor", false, false},
      {"strExBGColor", "editExBGColor", false, false},
      {"strTextColor", "editTextColor", false, false},
      {"strNavBarColor", "editNavBarColor", false, false},
  };
  // A switch the file does not hold reads as on.
  return configdoc::ReadOldFileConfig(file, "Config", keys, current, configdoc::MissingSwitch::On);
}

}  // namespace askery::quizfile
