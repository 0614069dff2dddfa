// The base of the window tests that create a program's forms as the program
// does: a scripted platform, a registry folder of the test's own, the
// command line, the main window shown and active; afterwards the main
// window deleted without the save question, the dialogs' scripts dropped,
// and every queued answer checked to have been used.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "support/FakePlatform.h"
#include "support/TempDir.h"

class QWidget;
class TConfigFormBase;
class TMainFormBase;

namespace tavrel::testing {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the program's forms in the program's order; returns the main
  // window (the others are its children).
  virtual QWidget* CreateForms() = 0;
  // Registry values and files written before the window is created.
  virtual void BeforeCreation() {}
  // The command line the program starts with (program path first).
  virtual std::vector<std::string> CommandLine() const = 0;

  // A key pressed and released on w.
  static void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                  const QString& text = QString());
  // Scripts the item-number dialog: the numbers typed and the button pressed.
  static void NumberDialog(const std::string& n, const std::string& to = "", bool ok = true);

  // Opens the file that is open again by every road a user has (named on
  // the command line, chosen with Open, the newest recent file, dropped on
  // the window), with unsaved edits answered Yes to the save question:
  // for each road and each of texts, file is written with the text and
  // loaded, edit(road) changes the exercise, the road opens the file, and
  // the window must show the file as the question saved it, unmodified;
  // shown(road) checks that the edit is there.
  void ReopenByEveryRoad(TMainFormBase* main, const std::string& file,
                         const std::vector<std::string>& texts,
                         const std::function<void(const std::string& road)>& edit,
                         const std::function<void(const std::string& road)>& shown);

  FakePlatform fake;
  TempDir registry;

 private:
  QWidget* mainWindow_ = nullptr;
  std::string savedRegistry_;
};

// A file in a folder of dir where a save has to write the file itself
// (SaveInPlaceUnderSizeLimit closes the folder while the save runs).
std::string FileInSharedFolder(const TempDir& dir, const std::string& name);

// Saves main over its file, which it has to write itself, under a file-size
// limit of a quarter of the file's size (the new text must be longer), and
// checks the failed save as the teacher meets it: reported, the exercise
// still modified, the file byte for byte as it was.  False when file modes
// do not restrain this process.
bool CheckFailedSaveInPlace(TMainFormBase& main, FakePlatform& fake);

// Runs press, a command made to run out of memory, and expects that
// reported and the program to go on: at the command's question through the
// scripted seam, or, with memoryShort, under a real memory limit (where
// limits work) for a command that asks nothing first.
void ExpectOutOfMemoryReported(FakePlatform& fake, const std::function<void()>& press, bool memoryShort);

// A message as the user reads it in the box: the text the widgets show
// (letters held as references shown as themselves), with the word joiners
// that keep a name's own "&#...;" from reading as a reference left out.
QString ShownMessage(const std::string& text);

// The question a Save As asks before it replaces fullPath, as the user
// reads it: the real name, " already exists.", "Do you want to replace it?".
QString ReplaceQuestionFor(const std::string& realFullPath);

// The last recorded message is the replace question, for the file named by
// realFullPath (as the folder holds it, UTF-8), with Yes and No, No the
// default and Escape's answer.
void ExpectReplaceQuestion(const FakePlatform& fake, const std::string& realFullPath);

// The data file's questions and names in a main window, for a file whose
// name holds a literal "&#...;" (edit changes the exercise): Save As names
// it as the folder holds it in the caption and the recent-file menu; Save As
// onto it again asks, and Enter answers No; another program's change to it
// makes Save ask "... has been changed by another program ...", naming it
// the same way, with No the default and Escape's answer, and No keeps the
// other program's file; the save question names it too.
void CheckDataFileQuestionsNameTheRealFile(TMainFormBase& main, FakePlatform& fake, const TempDir& dir,
                                           const std::function<void()>& edit);

// An export's Save As onto an existing page whose name holds a literal
// "&#...;" (typed without its extension): the question names the real page,
// Enter and Escape answer No and leave the folder as it was; Yes exports,
// and the final report names the pages as the folder holds them.
// exportCommand runs the export as the user's click does.
void CheckExportSaveAsAsksBeforeReplacing(FakePlatform& fake, const TempDir& dir,
                                          const std::function<void()>& exportCommand);

// The configuration window's Save As onto an existing configuration, typed
// with and without its extension, and onto a file whose name holds a literal
// "&#...;": the question names the real file, Enter and Escape both answer
// No, and No leaves the file byte for byte and the window as it was
// (unsaved, its name and caption); Yes replaces it.  Save onto the file the
// window saved last asks nothing.  editName: a text box of the window.
void CheckConfigSaveAsAsksBeforeReplacing(TConfigFormBase& config, FakePlatform& fake, const TempDir& dir,
                                          const std::string& editName);

}  // namespace tavrel::testing
