// TfrmMain's data-file members: saving and loading ".aky" quizzes, reading
// the older line-based quiz files, and Append File.  The text itself is
// built and taken apart by QuizFile; this unit puts the pieces into the
// window, the configuration window and the question list.
#include <QAction>
#include <QSignalBlocker>
#include <QSpinBox>
#include <exception>

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

// Puts an old line-based quiz, read as text, into the window.  False when
// the file is refused (damaged, or of a version below 2): nothing has been
// cleared then.
bool LoadOldQuiz(TfrmMain& w, const std::string& fileName, const std::string& text) {
  if (!IsOldDataFile(text)) {
    w.ShowDamagedFile(fileName);
    return false;
  }
  const TDataFile file(fileName, text);
  TfrmConfig* config = QuizConfig();
  const quizfile::OldQuiz quiz = quizfile::ReadOldQuiz(
      file, config ? config->ControlText("editNextExURL") : std::string());
  if (quiz.version < quizfile::kOldMinVersion) {
    platform().messageDlg("This file version is not supported by this version of Askery.",
                          MsgType::Error, tavrel::mbOK, kHelpOldVersion);
    return false;
  }
  tavrel::BusyCursor busy;
  w.ClearExercise();
  try {
    w.mmoTitle->SetText(quiz.title);
    if (config) config->SetControlText("editNextExURL", quiz.nextExURL);
    if (!quiz.subtitle.empty() && (ReloadConfigTicked(w) || w.FSaveWithFile) &&
        platform().messageDlg("Do you want to reload the configuration information saved with "
                              "this file?",
                              MsgType::Confirmation, tavrel::mbYesNo,
                              kHelpReload) == ModalResult::Yes &&
        config) {
      config->SetValues(quizfile::ReadOldQuizConfig(file, config->Values()));
    }
    for (int i = 1; i <= quizfile::kOldQuestionCount; ++i) {
      const quizfile::OldQuestion& q = quiz.questions[static_cast<size_t>(i - 1)];
      w.FQuestions->SetQuestionText(i, q.text);
      for (int a = 1; a <= 4; ++a) {
        w.FQuestions->SetAnswer(i, a, q.answers[static_cast<size_t>(a - 1)], "", 1);
      }
    }
  } catch (const std::exception&) {
    platform().messageDlg(UnableToLoadMessage(fileName), MsgType::Warning, tavrel::mbOK, kHelpFile);
  }
  return true;
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

bool TfrmMain::ReadDataFile(const std::string& fileName, const std::string& text) {
  if (quizfile::IsQuizDocument(text)) {
    tavrel::BusyCursor busy;
    ClearExercise();
    LoadXMLFile(text);
  } else if (!LoadOldQuiz(*this, fileName, text)) {
    return false;
  }
  ShowLoadedQuiz(*this);
  return true;
}

void TfrmMain::LoadXMLFile(const std::string& fileText) {
  TfrmConfig* config = QuizConfig();
  const exercisedoc::Parts parts = quizfile::ReadQuizXML(
      fileText, mmoTitle->Text(), config ? config->ControlText("editNextExURL") : std::string());
  mmoTitle->SetText(parts.title);
  // The next exercise's address always comes from the file, whatever the
  // reload option says.
  if (config) config->SetControlText("editNextExURL", parts.nextExURL);
  if (frmAddReadingText) frmAddReadingText->LoadXMLReadingData(parts.reading);
  LoadXMLQuestions(parts.body, 1);
  if (config && ReloadConfigTicked(*this)) {
    config->ReadConfigXML(GetValueByPath(fileText, quizfile::kRoot, ""));
  }
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
