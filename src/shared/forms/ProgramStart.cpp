#include "shared/forms/ProgramStart.h"

#include <QApplication>

#include "platform/core/Platform.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"
#include "shared/forms/TLAbout.h"
#include "shared/forms/TLFunctions.h"

int RunTavrelProgram(int argc, char** argv, const TProgramStart& program) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromStdString(program.title));
  QApplication::setWindowIcon(TavrelProgramIcon(program.title));

  tavrel::QtPlatform desktop;
  tavrel::setPlatform(&desktop);
  tavrel::setProgramFolder(tavrel::pathFromQString(QCoreApplication::applicationDirPath()));
  std::vector<std::string> args;
  for (const QString& a : QCoreApplication::arguments()) args.push_back(tavrel::pathFromQString(a));
  tavrel::setCommandLine(args);
  desktop.setHelpFile(tavrel::programFolder() + "tavrel.hlp");
  SetSplashInterval(program.splashMs);

  QWidget* mainForm = nullptr;
  for (TFormMaker make : program.forms) {
    QWidget* form = make(mainForm);
    if (!mainForm) mainForm = form;
  }
  if (!mainForm) return 1;

  mainForm->show();
  const int code = app.exec();
  delete mainForm;  // the dialogs are its children
  tavrel::setPlatform(nullptr);
  return code;
}
