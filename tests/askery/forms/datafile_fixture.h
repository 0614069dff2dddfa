// The quiz program's windows as the program block creates them, over a
// scripted platform and a private folder, for the data-file and
// configuration-window tests.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QSpinBox>
#include <memory>
#include <string>

#include "askery/forms/Config.h"
#include "askery/forms/Main.h"
#include "platform/core/Platform.h"
#include "platform/qt/Registry.h"
#include "platform/qt/Widgets.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/TLFunctions.h"
#include "shared/forms/WhatNumber.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

using namespace askery;

namespace datafile_test {

inline std::string GoldenPath(const std::string& name) {
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/')) + "/../golden/" + name;
}

inline std::string RegistryConfigFile() {
  tavrel::TRegistry reg;
  if (!reg.OpenKey("Software\\Corvane\\Tavrel\\Askery\\Config\\FilePaths", false)) return "<none>";
  return reg.ValueExists("ConfigFile") ? reg.ReadString("ConfigFile") : "<none>";
}

inline void SetRegistryConfigFile(const std::string& value) {
  tavrel::TRegistry reg;
  reg.OpenKey("Software\\Corvane\\Tavrel\\Askery\\Config\\FilePaths", true);
  reg.WriteString("ConfigFile", value);
}

class AskeryWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    tavrel::setCommandLine({"askery", "\\S"});
    main = std::make_unique<TfrmMain>();
    config = std::make_unique<TfrmConfig>();
    insertLink = std::make_unique<TfrmInsertLink>();
    reading = std::make_unique<TfrmAddReadingText>();
    whatNumber = std::make_unique<TfrmWhatNumber>();
    main->FLastFiles.fill("");
    main->FChanged = false;
    fake.ClearRecords();
  }

  void TearDown() override {
    TfrmWhatNumber::ModalHook = nullptr;
    EXPECT_TRUE(fake.AllAnswersUsed()) << "a scripted answer was not asked for";
    whatNumber.reset();
    reading.reset();
    insertLink.reset();
    config.reset();
    main.reset();
    tavrel::setCommandLine({});
  }

  void SetReload(bool on) {
    main->mnuReloadConfig->setCheckable(true);
    main->mnuReloadConfig->setChecked(on);
  }

  // A quiz of n questions "Qi" with answers "Ai.1" .. "Ai.k".
  void MakeQuiz(int n, int answers) {
    for (int i = 1; i <= n; ++i) {
      main->FQuestions->SetQuestionText(i, "Q" + std::to_string(i));
      for (int a = 1; a <= answers; ++a) {
        main->FQuestions->SetAnswer(i, a, "A" + std::to_string(i) + "." + std::to_string(a), "",
                                    1);
      }
    }
    main->ShowQuestion(1);
    main->FChanged = false;
  }

  tavrel::testing::FakePlatform fake;
  tavrel::testing::TempDir dir;
  std::unique_ptr<TfrmMain> main;
  std::unique_ptr<TfrmConfig> config;
  std::unique_ptr<TfrmInsertLink> insertLink;
  std::unique_ptr<TfrmAddReadingText> reading;
  std::unique_ptr<TfrmWhatNumber> whatNumber;
};

}  // namespace datafile_test
