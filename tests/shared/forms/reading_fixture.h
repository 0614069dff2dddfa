// A main window, a configuration window and the link dialog around the
// reading dialog, as the programs create them, with a scripted platform.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <map>
#include <memory>
#include <string>

#include "platform/qt/Widgets.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/ReadingText.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace reading_test {

using tavrel::ModalResult;
using tavrel::MsgType;

class HostWindow : public TMainFormBase {
 public:
  HostWindow() { frmMain = this; }
  std::string AppTitle() const override { return "Askery"; }
};

class ConfigWindow : public TConfigFormBase {
 public:
  ConfigWindow() { frmConfig = this; }
  void LoadConfigFile(const std::string&) override {}
  std::string ControlText(const std::string& name) const override {
    auto it = texts.find(name);
    return it == texts.end() ? std::string() : it->second;
  }
  bool ControlChecked(const std::string&) const override { return false; }
  std::map<std::string, std::string> texts;
};

class ReadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_unique<HostWindow>();
    host->FSourcePath = source.Path();
    config = std::make_unique<ConfigWindow>();
    link = std::make_unique<TfrmInsertLink>(host.get());
    form = std::make_unique<TfrmAddReadingText>(host.get());
  }
  void TearDown() override {
    EXPECT_TRUE(fake.AllAnswersUsed()) << "a scripted answer was not asked for";
    form.reset();
    link.reset();
    config.reset();
    host.reset();
  }

  // Shows the dialog the way the main window does and leaves the modified
  // flag clear, as after a load.
  void Show() {
    form->ShowReading();
    host->FChanged = false;
  }

  // The user types into a memo (the memo is enabled first, as a user would
  // find it after ticking the include box).
  void Type(tavrel::TMemo* memo, const std::string& text) {
    memo->setFocus();
    memo->SetText(text);
  }

  std::string Title() const { return form->mmoReadingTitle->Text(); }
  std::string Text() const { return form->mmoReadingText->Text(); }

  tavrel::testing::FakePlatform fake;
  tavrel::testing::TempDir source;  // the template folder
  tavrel::testing::TempDir files;   // data files, external readings
  std::unique_ptr<HostWindow> host;
  std::unique_ptr<ConfigWindow> config;
  std::unique_ptr<TfrmInsertLink> link;
  std::unique_ptr<TfrmAddReadingText> form;
};

}  // namespace reading_test
