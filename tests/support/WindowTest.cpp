#include "support/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

#include <sys/stat.h>

#include <cstdio>

#include "platform/core/Platform.h"
#include "platform/core/TextCodec.h"
#include "platform/qt/QtText.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/ConfigFormBase.h"
#include "platform/qt/Registry.h"
#include "shared/forms/Arrange.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/Replace.h"
#include "shared/forms/WhatNumber.h"
#include "support/ResourceLimits.h"

namespace tavrel::testing {

QString ShownMessage(const std::string& text) {
  return tavrel::toQStringLines(text).remove(QChar(0x2060));
}

QString ReplaceQuestionFor(const std::string& realFullPath) {
  return QString::fromStdString(realFullPath) + QStringLiteral(" already exists.\nDo you want to replace it?");
}

void ExpectReplaceQuestion(const FakePlatform& fake, const std::string& realFullPath) {
  ASSERT_FALSE(fake.messages.empty());
  const RecordedMessage& m = fake.messages.back();
  EXPECT_EQ(ShownMessage(m.text), ReplaceQuestionFor(realFullPath));
  EXPECT_EQ(m.buttons, tavrel::mbYesNo);
  EXPECT_EQ(m.defaultButton, tavrel::mbNo);
  EXPECT_EQ(m.escape, ModalResult::No);
}

void CheckDataFileQuestionsNameTheRealFile(TMainFormBase& main, FakePlatform& fake, const TempDir& dir,
                                           const std::function<void()>& edit) {
  const std::string real = "lit&#26085;." + main.DataFileExtension();  // as the folder holds it
  const std::string held = dir.File(tavrel::Utf8PathToWin1252(real));
  const QString realPath = QString::fromStdString(dir.File(real));
  fake.ClearRecords();
  edit();
  fake.ChooseSave(held);
  ASSERT_TRUE(main.SaveAs());
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_TRUE(main.windowTitle().endsWith(realPath)) << main.windowTitle().toStdString();
  if (main.FLastFiles[1] == held) {  // a program whose Save As adds it to the recent files
    EXPECT_EQ(main.mnuLastFile[1]->text().replace(QStringLiteral("&&"), QStringLiteral("&")),
              QString::fromStdString(real));
  }

  // Save As onto the same file: the question, and Enter answers No.
  edit();
  fake.ChooseSave(held).PressEnter();
  EXPECT_FALSE(main.SaveAs());
  ExpectReplaceQuestion(fake, dir.File(real));
  EXPECT_TRUE(main.FChanged);

  // Another program's save over the file.
  const std::string theirs = dir.Read(real) + "\r\n";
  dir.Write(real + ".tmp", theirs);
  ASSERT_EQ(std::rename((dir.File(real) + ".tmp").c_str(), dir.File(real).c_str()), 0);
  for (const bool escape : {false, true}) {
    fake.ClearRecords();
    if (escape)
      fake.PressEscape();
    else
      fake.PressEnter();
    EXPECT_FALSE(main.Save());
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(ShownMessage(fake.messages[0].text),
              "The file " + realPath +
                  " has been changed by another program since it was opened or saved.\n\n"
                  "Do you want to replace it?");
    EXPECT_EQ(fake.messages[0].defaultButton, tavrel::mbNo);
    EXPECT_EQ(fake.messages[0].escape, ModalResult::No);
    EXPECT_EQ(dir.Read(real), theirs);
    EXPECT_TRUE(main.FChanged);
  }

  // The save question at close names the file the same way.
  fake.ClearRecords();
  fake.Answer(ModalResult::Cancel);
  EXPECT_FALSE(main.SaveChanges());
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_TRUE(ShownMessage(fake.messages[0].text).contains(" " + realPath + " has changed."))
      << fake.messages[0].text;
}

void CheckExportSaveAsAsksBeforeReplacing(FakePlatform& fake, const TempDir& dir,
                                          const std::function<void()>& exportCommand) {
  const std::string page = "lit&#26085;.htm";  // as the folder holds it
  const std::string typed = dir.File(tavrel::Utf8PathToWin1252("lit&#26085;"));
  dir.Write(page, "a page of the teacher's own");
  const std::vector<std::string> before = dir.FileNames();
  for (const bool escape : {false, true}) {
    fake.ClearRecords();
    fake.ChooseSave(typed);
    if (escape)
      fake.PressEscape();
    else
      fake.PressEnter();
    exportCommand();
    ExpectReplaceQuestion(fake, dir.File(page));
    EXPECT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(dir.FileNames(), before);
    EXPECT_EQ(dir.Read(page), "a page of the teacher's own");
  }
  fake.ClearRecords();
  fake.ChooseSave(typed).Answer(ModalResult::Yes).Answer(ModalResult::No);  // replace; view it?
  exportCommand();
  EXPECT_NE(dir.Read(page), "a page of the teacher's own");
  ASSERT_EQ(fake.messages.size(), 2u);
  const QString report = ShownMessage(fake.messages[1].text);
  EXPECT_TRUE(report.contains(QStringLiteral("\"lit&#26085;.htm\"")) ||
              report.contains(QStringLiteral("\nlit&#26085;.htm")) ||
              report.contains(QString::fromStdString(dir.File(page))))
      << report.toStdString();
  EXPECT_FALSE(report.contains(QStringLiteral("&#38;"))) << report.toStdString();
}

void CheckConfigSaveAsAsksBeforeReplacing(TConfigFormBase& config, FakePlatform& fake, const TempDir& dir,
                                          const std::string& editName) {
  // The window's own configuration, saved under a new name: no question.
  fake.ClearRecords();
  ASSERT_TRUE(config.SetControlText(editName, "mine"));
  fake.ChooseSave(dir.File("mine"));
  ASSERT_TRUE(config.SaveConfigFileAs());
  EXPECT_TRUE(fake.messages.empty());
  const std::string mine = dir.File("mine.cfg");
  ASSERT_EQ(config.FConfigFileName, mine);
  const QString caption = config.windowTitle();

  // A colleague's configuration, and a file whose name holds "&#26085;".
  const std::string theirs = "<colleague's settings>\r\n";
  const std::string literal = "lit&#26085;.cfg";  // as the folder holds it
  dir.Write("other.cfg", theirs);
  dir.Write(literal, theirs);
  config.SetControlText(editName, "changed");
  ASSERT_TRUE(config.ConfigChanged);
  struct Try {
    std::string typed;  // as the dialog gives it (held)
    std::string real;   // the file written, as the folder holds it
    bool escape;
  };
  const Try tries[] = {{dir.File("other"), dir.File("other.cfg"), false},
                       {dir.File("other.cfg"), dir.File("other.cfg"), true},
                       {dir.File(tavrel::Utf8PathToWin1252(literal)), dir.File(literal), false}};
  for (const Try& t : tries) {
    fake.ChooseSave(t.typed);
    if (t.escape)
      fake.PressEscape();
    else
      fake.PressEnter();
    EXPECT_FALSE(config.SaveConfigFileAs()) << t.typed;
    ExpectReplaceQuestion(fake, t.real);
    EXPECT_EQ(ReadFileBytes(t.real), theirs) << t.real;
    EXPECT_TRUE(config.ConfigChanged);
    EXPECT_EQ(config.FConfigFileName, mine);
    EXPECT_EQ(config.windowTitle(), caption);
  }

  // Save onto the window's own file asks nothing; Save As answered Yes
  // replaces the other file.
  fake.ClearRecords();
  EXPECT_TRUE(config.SaveConfigFile());
  EXPECT_TRUE(fake.messages.empty());
  config.SetControlText(editName, "for them");
  fake.ChooseSave(dir.File("other")).Answer(ModalResult::Yes);
  EXPECT_TRUE(config.SaveConfigFileAs());
  EXPECT_NE(dir.Read("other.cfg"), theirs);
  EXPECT_EQ(config.FConfigFileName, dir.File("other.cfg"));
  EXPECT_FALSE(config.ConfigChanged);
  // The caption names the file as the folder holds it.
  fake.ChooseSave(dir.File(tavrel::Utf8PathToWin1252(literal))).Answer(ModalResult::Yes);
  EXPECT_TRUE(config.SaveConfigFileAs());
  EXPECT_EQ(ShownMessage(tavrel::fromQString(config.windowTitle())),
            QString::fromStdString("Configuration - " + dir.File(literal)));
  EXPECT_TRUE(fake.AllAnswersUsed());
}

void WindowTest::SetUp() {
  savedRegistry_ = tavrel::RegistryFolder();
  tavrel::SetRegistryFolder(registry.Path());
  BeforeCreation();
  tavrel::setCommandLine(CommandLine());
  mainWindow_ = CreateForms();
  mainWindow_->show();
  QApplication::setActiveWindow(mainWindow_);
  QApplication::processEvents();
}

void WindowTest::TearDown() {
  TfrmArrange::ModalHook = nullptr;
  TfrmWhatNumber::ModalHook = nullptr;
  TfrmReplace::ModalHook = nullptr;
  delete mainWindow_;  // without closing: no save question
  tavrel::setCommandLine({CommandLine().front()});
  tavrel::SetRegistryFolder(savedRegistry_);
  EXPECT_TRUE(fake.AllAnswersUsed()) << "an answer queued for a dialog that never came";
}

void WindowTest::Key(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &release);
}

void WindowTest::NumberDialog(const std::string& n, const std::string& to, bool ok) {
  TfrmWhatNumber::ModalHook = [n, to, ok](TfrmWhatNumber& d) {
    d.cmbNumber->setEditText(QString::fromStdString(n));
    if (!to.empty()) d.cmbToPosition->setEditText(QString::fromStdString(to));
    if (ok)
      d.btnOKClick();
    else
      d.btnCancelClick();
  };
}

void WindowTest::ReopenByEveryRoad(TMainFormBase* main, const std::string& file,
                                   const std::vector<std::string>& texts,
                                   const std::function<void(const std::string&)>& edit,
                                   const std::function<void(const std::string&)>& shown) {
  const std::vector<std::pair<std::string, std::function<void()>>> roads = {
      {"command line",
       [&] {
         tavrel::setCommandLine({CommandLine().front(), "\\S", file});
         main->OpenCommandLineFiles();
       }},
      {"Open",
       [&] {
         fake.ChooseOpen(file);
         main->spdLoadQuizClick();
       }},
      {"recent file", [&] { main->mnuLastFile[1]->trigger(); }},
      {"drop", [&] { main->FilesDropped({file}); }},
  };
  for (size_t t = 0; t < texts.size(); ++t) {
    for (const auto& [road, open] : roads) {
      SCOPED_TRACE(road + ", file text " + std::to_string(t + 1));
      WriteFileBytes(file, texts[t]);
      main->LoadFile(file);
      ASSERT_EQ(main->FFileName, file);
      edit(road);
      ASSERT_TRUE(main->FChanged);
      fake.ClearRecords();
      fake.Answer(ModalResult::Yes);
      open();
      EXPECT_EQ(fake.messages.size(), 1u);
      shown(road);
      EXPECT_FALSE(main->FChanged);
      EXPECT_EQ(main->FFileName, file);
    }
  }
}

std::string FileInSharedFolder(const TempDir& dir, const std::string& name) {
  EXPECT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
  const std::string folder = dir.File("shared");
  EXPECT_EQ(::mkdir(folder.c_str(), 0755), 0);
  return folder + "/" + name;
}

bool CheckFailedSaveInPlace(TMainFormBase& main, FakePlatform& fake) {
  const std::string file = main.FFileName;
  const std::string old = ReadFileBytes(file);
  main.FChanged = true;
  bool saved = true;
  const bool ran = SaveInPlaceUnderSizeLimit(file, old.size() / 4, [&] {
    fake.Answer(ModalResult::OK);
    saved = main.Save();
  });
  if (!ran) return false;
  EXPECT_FALSE(saved);
  EXPECT_EQ(fake.messages.back().text, "Unable to save file: " + file + "\r\nFile too large");
  EXPECT_TRUE(main.FChanged);
  EXPECT_EQ(ReadFileBytes(file), old);
  return true;
}

void ExpectOutOfMemoryReported(FakePlatform& fake, const std::function<void()>& press, bool memoryShort) {
  const std::string noMemory = "There is not enough memory to finish this command.";
  fake.ClearRecords();
  if (!memoryShort) {
    fake.RunOutOfMemory().Answer(ModalResult::OK);
    press();
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.messages[1].text, noMemory);
    return;
  }
  if (!kMemoryLimitsWork) return;
  const int status = RunWithMemoryHeadroom(8 << 20, [&] {
    fake.Answer(ModalResult::OK);
    press();
    return fake.MessageTexts() == std::vector<std::string>{noMemory} ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

}  // namespace tavrel::testing
