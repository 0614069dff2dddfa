// TfrmMain's data-file members: saving and loading ".aky" quizzes, reading
// the older line-based quiz files, and Append File.  The text itself is
// built and taken apart by QuizFile; this unit puts the pieces into the
// window, the configuration window and the question list.
#include <QAction>
#include <QSignalBlocker>
#include <QSpinBox>
#include <exception>
#include <optional>
#include <utility>

#include "askery/forms/Config.h"
#include "askery/forms/Main.h"
#include "askery/core/QuizFile.h"
#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"
#include "shared/core/ReadingData.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/TLFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace askery {

using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::platform;

namespace {

constexpr int kHelpFile = kHelpSaveQuestion;
constexpr int kHelpReload = kHelpReloadConfig;

TfrmConfig* QuizConfig() { return dynamic_cast<TfrmConfig*>(frmConfig); }

bool ReloadConfigTicked(const TfrmMain& w) {
  return w.mnuReloadConfig && w.mnuReloadConfig->isChecked();
}

// The reading element of the quiz: the reading dialog holds the reading; a
// program without the dialog writes the element of an empty reading.
std::string QuizReadingElement() {
  return ReadingElement(frmAddReadingText ? frmAddReadingText->Reading() : ReadingData{});
}

// The quiz as loaded, from its first question.
void ShowLoadedQuiz(TfrmMain& w) {
  {
    const QSignalBlocker quiet(w.SpinQNum);
    w.SpinQNum->setValue(1);
  }
  w.FCurrQ = 1;
  w.ShowQuestion(1);
}

// A quiz read from a data file apart from the window, so that a read that
// fails part-way leaves the quiz in the window as it was.
struct ReadQuiz {
  std::string title;
  std::string nextExURL;
  std::optional<ReadingData> reading;  // XML files; an old file's reading is cleared
  TQList questions;
  std::optional<ConfigValues> config;  // the configuration to reload
};

// The configuration values in force once the file's next exercise is in.
ConfigValues ValuesWithNextEx(const TfrmConfig& config, const std::string& nextExURL) {
  ConfigValues values = config.Values();
  values.text["editNextExURL"] = nextExURL;
  return values;
}

ReadQuiz ReadXMLQuiz(const TfrmMain& w, const std::string& text) {
  TfrmConfig* config = QuizConfig();
  const quizfile::XMLParts parts = quizfile::ReadQuizXML(
      text, "", config ? config->ControlText("editNextExURL") : std::string());
  ReadQuiz quiz;
  quiz.title = parts.title;
  // The next exercise's address always comes from the file, whatever the
  // reload option says.
  quiz.nextExURL = parts.nextExURL;
  if (frmAddReadingText) quiz.reading = ReadReadingElement(parts.reading);
  quizfile::ReadQuizQuestions(parts.questions, 1, quiz.questions);
  if (config && ReloadConfigTicked(w)) {
    quiz.config = configdoc::ReadConfigXML(config->ConfigProgram(),
                                           GetValueByPath(text, quizfile::kRoot, ""),
                                           ValuesWithNextEx(*config, quiz.nextExURL));
  }
  return quiz;
}

// Reads an old line-based quiz, read as text, asking whether to reload the
// configuration it carries.  None when the file is refused (damaged, of a
// version below 2, or a read that could not be finished), after saying why.
std::optional<ReadQuiz> ReadOldQuizFile(TfrmMain& w, const std::string& fileName,
                                        const std::string& text) {
  if (!IsOldDataFile(text)) {
    w.ShowDamagedFile(fileName);
    return std::nullopt;
  }
  const TDataFile file(fileName, text);
  TfrmConfig* config = QuizConfig();
  const quizfile::OldQuiz old = quizfile::ReadOldQuiz(
      file, config ? config->ControlText("editNextExURL") : std::string());
  if (old.version < quizfile::kOldMinVersion) {
    platform().messageDlg("This file version is not supported by this version of Askery.",
                          MsgType::Error, tavrel::mbOK, kHelpOldVersion);
    return std::nullopt;
  }
  tavrel::BusyCursor busy;
  try {
    ReadQuiz quiz;
    quiz.title = old.title;
    quiz.nextExURL = old.nextExURL;
    if (!old.subtitle.empty() && (ReloadConfigTicked(w) || w.FSaveWithFile) &&
        platform().messageDlg("Do you want to reload the configuration information saved with "
                              "this file?",
                              MsgType::Confirmation, tavrel::mbYesNo,
                              kHelpReload) == ModalResult::Yes &&
        config) {
      quiz.config = quizfile::ReadOldQuizConfig(file, ValuesWithNextEx(*config, quiz.nextExURL));
    }
    for (int i = 1; i <= quizfile::kOldQuestionCount; ++i) {
      const quizfile::OldQuestion& q = old.questions[static_cast<size_t>(i - 1)];
      quiz.questions.SetQuestionText(i, q.text);
      for (int a = 1; a <= 4; ++a) {
        quiz.questions.SetAnswer(i, a, q.answers[static_cast<size_t>(a - 1)], "", 1);
      }
    }
    return quiz;
  } catch (const std::exception&) {
    platform().messageDlg(UnableToLoadMessage(fileName), MsgType::Warning, tavrel::mbOK, kHelpFile);
  }
  return std::nullopt;
}

// Puts a quiz read in full into the window in place of the one there.
void PutQuiz(TfrmMain& w, ReadQuiz& quiz) {
  w.ClearExercise();
  w.mmoTitle->SetText(quiz.title);
  if (TfrmConfig* config = QuizConfig()) {
    config->SetControlText("editNextExURL", quiz.nextExURL);
    if (quiz.config) config->SetValues(*quiz.config);
  }
  if (frmAddReadingText && quiz.reading) frmAddReadingText->SetReading(*quiz.reading);
  *w.FQuestions = std::move(quiz.questions);
}

}  // namespace

bool TfrmMain::SaveAsXML(const std::string& fileName) {
  tavrel::BusyCursor busy;
  StashQuestion();
  const std::string config = DataFileConfigXML(QuizConfig(), configdoc::Program::Askery);
  const std::string doc = quizfile::BuildQuizFileText(GetMajorVersion(), mmoTitle->Text(),
                                                      QuizReadingElement(), *FQuestions, config);
  return SaveXMLFile(fileName, doc);
}

// The whole file is read before the quiz in the window is replaced.
bool TfrmMain::ReadDataFile(const std::string& fileName, const std::string& text) {
  std::optional<ReadQuiz> quiz;
  if (quizfile::IsQuizDocument(text)) {
    tavrel::BusyCursor busy;
    quiz = ReadXMLQuiz(*this, text);
  } else {
    quiz = ReadOldQuizFile(*this, fileName, text);
  }
  if (!quiz) return false;
  {
    tavrel::BusyCursor busy;
    PutQuiz(*this, *quiz);
  }
  ShowLoadedQuiz(*this);
  return true;
}

void TfrmMain::LoadXMLQuestions(const std::string& questionsText, int firstNumber) {
  quizfile::ReadQuizQuestions(questionsText, firstNumber, *FQuestions);
}

// A file gone since it was chosen is named; any other is opened as every
// file is.
void TfrmMain::LoadOldFile(const std::string& fileName) {
  const FileRefusal why = CheckFileToRead(fileName);
  if (why == FileRefusal::NotFound)
    ShowFileRefusal(fileName, why);
  else
    LoadFile(fileName);
}

void TfrmMain::mnuAppendFileClick() {
  StashQuestion();
  AppendFile(
      quizfile::IsQuizDocument,
      [this](const std::string& text, int first) { LoadXMLQuestions(quizfile::QuestionsOf(text), first); },
      [this] { ShowQuestion(SpinQNum->value()); });
}

}  // namespace askery
