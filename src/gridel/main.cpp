// The crossword program Gridel: installs the desktop services, creates its
// forms once, in a fixed order, and runs the message loop.
#include <QApplication>
#include <string>
#include <vector>

#include "gridel/forms/AddClues.h"
#include "gridel/forms/Config.h"
#include "gridel/forms/Main.h"
#include "platform/core/Platform.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/SourceEdit.h"
#include "shared/forms/TLAbout.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Gridel");
  QApplication::setWindowIcon(TavrelProgramIcon("Gridel"));

  tavrel::QtPlatform desktop;
  tavrel::setPlatform(&desktop);
  tavrel::setProgramFolder(tavrel::pathFromQString(QCoreApplication::applicationDirPath()));
  std::vector<std::string> args;
  for (const QString& a : QCoreApplication::arguments()) args.push_back(tavrel::pathFromQString(a));
  tavrel::setCommandLine(args);
  desktop.setHelpFile(tavrel::programFolder() + "tavrel.hlp");

  // The forms, created once and in this order: the clue dialog right after
  // the main window; the template editor last, as it reads the main
  // window's template folder and flags.
  auto* mainForm = new gridel::TfrmMain;
  new gridel::TfrmAddClues(mainForm);
  new gridel::TfrmConfig(mainForm);
  new TfrmInsertLink(mainForm);
  new TfrmTLAbout(mainForm);
  new TfrmSourceFiles(mainForm);

  mainForm->show();
  const int code = app.exec();
  delete mainForm;  // the dialogs are its children
  tavrel::setPlatform(nullptr);
  return code;
}
