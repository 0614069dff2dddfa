// The matching program's forms, created as the program creates them, under
// the offscreen platform with a scripted platform, a registry of their own
// and a fixed random source.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <string>
#include <vector>

#include "ScriptedRandom.h"
#include "pairo/forms/Config.h"
#include "pairo/forms/Main.h"
#include "platform/core/Platform.h"
#include "platform/qt/Registry.h"
#include "platform/qt/Widgets.h"
#include "shared/core/TQList.h"
#include "shared/forms/Arrange.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/Replace.h"
#include "shared/forms/SourceEdit.h"
#include "shared/forms/TLAbout.h"
#include "shared/forms/WhatNumber.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"
#include "support/WindowTest.h"

namespace pairo_test {

using pairo::TfrmConfig;
using pairo::TfrmMain;
using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::TMemo;
using tavrel::testing::FakePlatform;
using tavrel::testing::TempDir;

class PairoWindows : public tavrel::testing::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    main->FLastFiles.fill("");
    main->FChanged = false;
    fake.ClearRecords();
  }

  QWidget* CreateForms() override {
    main = new TfrmMain;
    config = new TfrmConfig(main);
    new TfrmInsertLink(main);
    reading = new TfrmAddReadingText(main);
    number = new TfrmWhatNumber(main);
    new TfrmTLAbout(main);
    new TfrmSourceFiles(main);
    arrange = new TfrmArrange(main);
    replace = new TfrmReplace(main);
    main->PrintRandom = &random;
    main->ShuffleRandom = &random;
    return main;
  }

  std::vector<std::string> CommandLine() const override { return {"pairo", "\\S"}; }

  TQList& List() const { return *main->FQuestions; }
  // Pairs "L1"/"R1" .. "Ln"/"Rn" straight into the list, shown from pair 1.
  void Pairs(int n) {
    for (int i = 1; i <= n; ++i) {
      List().SetQuestionText(i, "L" + std::to_string(i));
      List().SetQuestionExtra(i, "R" + std::to_string(i));
    }
    main->FTopItem = 1;
    main->ShowItems(1);
    main->FChanged = false;
  }
  // What the five rows show: "number:left/right" plus "*" when fixed.
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (int k = 1; k <= 5; ++k)
      out.push_back(main->pnlNum[k]->text().toStdString() + ":" + main->mmoNumA[k]->Text() + "/" +
                    main->mmoNumB[k]->Text() + (main->chkNumFix[k]->isChecked() ? "*" : ""));
    return out;
  }
  std::vector<std::string> LeftItems() const {
    std::vector<std::string> out;
    for (int i = 1; i <= List().Count(); ++i) out.push_back(List().GetQuestionText(i));
    return out;
  }
  void SetReload(bool on) {
    main->mnuReloadConfig->setCheckable(true);
    main->mnuReloadConfig->setChecked(on);
  }

  TempDir dir;
  pairo::testing::ScriptedRandom random;
  TfrmMain* main = nullptr;
  TfrmConfig* config = nullptr;
  TfrmAddReadingText* reading = nullptr;
  TfrmWhatNumber* number = nullptr;
  TfrmArrange* arrange = nullptr;
  TfrmReplace* replace = nullptr;
};

}  // namespace pairo_test
