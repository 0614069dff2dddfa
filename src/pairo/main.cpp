// The matching program Pairo: installs the desktop services, creates its
// forms once, in a fixed order, and runs the message loop.
#include <QApplication>
#include <string>
#include <vector>

#include "pairo/forms/Config.h"
#include "pairo/forms/Main.h"
#include "platform/core/Platform.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"
#include "shared/forms/Arrange.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/Replace.h"
#include "shared/forms/SourceEdit.h"
#include "shared/forms/TLAbout.h"
#include "shared/forms/WhatNumber.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Pairo");
  QApplication::setWindowIcon(TavrelProgramIcon("Pairo"));

  tavrel::QtPlatform desktop;
  tavrel::setPlatform(&desktop);
  tavrel::setProgramFolder(tavrel::pathFromQString(QCoreApplication::applicationDirPath()));
  std::vector<std::string> args;
  for (const QString& a : QCoreApplication::arguments()) args.push_back(tavrel::pathFromQString(a));
  tavrel::setCommandLine(args);
  desktop.setHelpFile(tavrel::programFolder() + "tavrel.hlp");

  // The forms, created once and in this order; the template editor reads the
  // main window's template folder and flags, so it comes after it.
  auto* mainForm = new pairo::TfrmMain;
  new pairo::TfrmConfig(mainForm);
  new TfrmInsertLink(mainForm);
  new TfrmAddReadingText(mainForm);
  new TfrmWhatNumber(mainForm);
  new TfrmTLAbout(mainForm);
  new TfrmSourceFiles(mainForm);
  new TfrmArrange(mainForm);
  new TfrmReplace(mainForm);

  mainForm->show();
  const int code = app.exec();
  delete mainForm;  // the dialogs are its children
  tavrel::setPlatform(nullptr);
  return code;
}
