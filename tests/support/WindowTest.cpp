#include "support/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

#include <sys/stat.h>

#include "platform/core/Platform.h"
#include "platform/qt/Registry.h"
#include "shared/forms/Arrange.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/Replace.h"
#include "shared/forms/WhatNumber.h"
#include "support/ResourceLimits.h"

namespace tavrel::testing {

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
