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
#include "support/WindowTest.h"

using namespace askery;

namespace mainwin_test {

using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::TMemo;
using tavrel::testing::FakePlatform;
using tavrel::testing::TempDir;

class MainWindowTest : public tavrel::testing::WindowTest {
 protected:
  QWidget* CreateForms() override {
    main = new TfrmMain;
    config = new TfrmConfig(main);
    arrange = new TfrmArrange(main);
    reading = new TfrmAddReadingText(main);
    number = new TfrmWhatNumber(main);
    replace = new TfrmReplace(main);
    return main;
  }

  // The command line the window starts with (program path first).
  std::vector<std::string> CommandLine() const override { return {"askery", "\\S"}; }

  // --- Input as the user gives it --------------------------------------------------
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
  TempDir files;
  TfrmMain* main = nullptr;
  TfrmConfig* config = nullptr;
  TfrmArrange* arrange = nullptr;
  TfrmAddReadingText* reading = nullptr;
  TfrmWhatNumber* number = nullptr;
  TfrmReplace* replace = nullptr;
};

}  // namespace mainwin_test
