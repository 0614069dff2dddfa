// The quiz program's forms, created as the program creates them, under the
// offscreen platform with a scripted platform and a registry of their own.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <string>
#include <vector>

#include "askery/forms/Config.h"
#include "askery/forms/Main.h"
#include "platform/core/Platform.h"
#include "platform/qt/Registry.h"
#include "platform/qt/Widgets.h"
#include "shared/forms/Arrange.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/Replace.h"
#include "shared/core/TQList.h"
#include "shared/forms/WhatNumber.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

using namespace askery;

namespace mainwin_test {

using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::TMemo;
using tavrel::testing::FakePlatform;
using tavrel::testing::TempDir;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedRegistry_ = tavrel::RegistryFolder();
    tavrel::SetRegistryFolder(registry.Path());
    tavrel::setCommandLine(CommandLine());
    main = new TfrmMain;
    config = new TfrmConfig(main);
    arrange = new TfrmArrange(main);
    reading = new TfrmAddReadingText(main);
    number = new TfrmWhatNumber(main);
    replace = new TfrmReplace(main);
    main->show();
    QApplication::setActiveWindow(main);
    QApplication::processEvents();
  }

  void TearDown() override {
    TfrmArrange::ModalHook = nullptr;
    TfrmWhatNumber::ModalHook = nullptr;
    TfrmReplace::ModalHook = nullptr;
    delete main;  // without closing: no save question
    tavrel::setCommandLine({"askery"});
    tavrel::SetRegistryFolder(savedRegistry_);
    EXPECT_TRUE(fake.AllAnswersUsed()) << "an answer queued for a dialog that never came";
  }

  // The command line the window starts with (program path first).
  virtual std::vector<std::string> CommandLine() const { return {"askery", "\\S"}; }

  // --- Input as the user gives it --------------------------------------------------
  static void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                  const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
  }
  // Clicks into a box and types text (single-byte characters).
  void Type(TMemo* box, const std::string& text) {
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    for (char c : text) {
      if (c == '\r') {
        Key(box, Qt::Key_Return, Qt::NoModifier, QString("\r"));
        continue;
      }
      const QChar ch(static_cast<unsigned char>(c));
      Key(box, static_cast<int>(ch.toUpper().unicode()), Qt::NoModifier, QString(ch));
    }
  }
  TMemo* Answer(int k) const { return main->AnswerBox(k); }
  std::string AnswerNumber(int k) const { return main->AnswerPanel(k)->text().toStdString(); }
  std::vector<std::string> AnswerTexts() const {
    return {Answer(1)->Text(), Answer(2)->Text(), Answer(3)->Text(), Answer(4)->Text()};
  }
  std::vector<std::string> AnswerNumbers() const {
    return {AnswerNumber(1), AnswerNumber(2), AnswerNumber(3), AnswerNumber(4)};
  }
  TQList& List() const { return *main->FQuestions; }
  std::vector<std::string> QuestionTexts() const {
    std::vector<std::string> out;
    for (int i = 1; i <= List().Count(); ++i) out.push_back(List().GetQuestionText(i));
    return out;
  }
  // Questions straight into the list, then shown as if just loaded.
  void Quiz(const std::vector<std::string>& questions) {
    for (size_t i = 0; i < questions.size(); ++i)
      List().SetQuestionText(static_cast<int>(i) + 1, questions[i]);
    main->ShowQuestion(main->FCurrQ);
    main->FChanged = false;
  }
  // Scripts the item-number dialog: the numbers typed and the button pressed.
  void NumberDialog(const std::string& n, const std::string& to = "", bool ok = true) {
    TfrmWhatNumber::ModalHook = [n, to, ok](TfrmWhatNumber& d) {
      d.cmbNumber->setEditText(QString::fromStdString(n));
      if (!to.empty()) d.cmbToPosition->setEditText(QString::fromStdString(to));
      if (ok)
        d.btnOKClick();
      else
        d.btnCancelClick();
    };
  }

  FakePlatform fake;
  TempDir registry;
  TempDir files;
  TfrmMain* main = nullptr;
  TfrmConfig* config = nullptr;
  TfrmArrange* arrange = nullptr;
  TfrmAddReadingText* reading = nullptr;
  TfrmWhatNumber* number = nullptr;
  TfrmReplace* replace = nullptr;

 private:
  std::string savedRegistry_;
};

}  // namespace mainwin_test
