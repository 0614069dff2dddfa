// The crossword program's forms, created as the program creates them, under
// the offscreen platform with a scripted platform and a registry of their
// own.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <string>
#include <vector>

#include "aligrid/widget/AlignGrid.h"
#include "gridel/forms/AddClues.h"
#include "gridel/forms/Config.h"
#include "gridel/forms/Main.h"
#include "platform/core/Platform.h"
#include "platform/qt/Registry.h"
#include "platform/qt/Widgets.h"
#include "shared/forms/InsertLink.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace gridel_test {

using gridel::TfrmAddClues;
using gridel::TfrmConfig;
using gridel::TfrmMain;
using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::testing::FakePlatform;
using tavrel::testing::TempDir;

class GridelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedRegistry_ = tavrel::RegistryFolder();
    tavrel::SetRegistryFolder(registry.Path());
    BeforeCreation();
    tavrel::setCommandLine(CommandLine());
    main = new TfrmMain;
    clues = new TfrmAddClues(main);
    config = new TfrmConfig(main);
    link = new TfrmInsertLink(main);
    main->show();
    QApplication::setActiveWindow(main);
    QApplication::processEvents();
  }

  void TearDown() override {
    delete main;  // without closing: no save question
    tavrel::setCommandLine({"gridel"});
    tavrel::SetRegistryFolder(savedRegistry_);
    EXPECT_TRUE(fake.AllAnswersUsed()) << "an answer queued for a dialog that never came";
  }

  // Registry values and files written before the window is created.
  virtual void BeforeCreation() {}
  // The command line the program starts with (program path first).
  virtual std::vector<std::string> CommandLine() const { return {"gridel", "\\S"}; }
  // The word and clue pairs as plain pairs.
  static std::vector<std::pair<std::string, std::string>> Pairs(const gridel::ClueList& list) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& p : list) out.emplace_back(p.word, p.clue);
    return out;
  }
  using PairList = std::vector<std::pair<std::string, std::string>>;

  static void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                  const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
  }
  // Types characters on the letter grid's current cell, as the keyboard
  // gives them.
  void TypeOnGrid(const QString& text) {
    main->CWGrid->setFocus();
    for (QChar ch : text) Key(main->CWGrid, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
  }
  void GoTo(int col, int row) { main->CWGrid->FocusCell(col, row, true); }
  // Letters straight into the model, as a loaded crossword has them:
  // rows of text from the top-left corner, '.' for an empty cell.
  void Letters(const std::vector<std::string>& rows) {
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c)
        main->FGrid.SetCell(static_cast<int>(c), static_cast<int>(r),
                            rows[r][c] == '.' ? "" : std::string(1, rows[r][c]));
    main->ShowGrid();
    main->FChanged = false;
  }
  // What the grid widget shows, row by row, '.' for an empty cell.
  std::string Shown(int row, int cols) const {
    std::string s;
    for (int c = 0; c < cols; ++c) {
      const std::string cell = main->CWGrid->Cells(c, row);
      s += cell.empty() ? "." : cell;
    }
    return s;
  }

  FakePlatform fake;
  TempDir registry;
  TempDir files;
  TfrmMain* main = nullptr;
  TfrmAddClues* clues = nullptr;
  TfrmConfig* config = nullptr;
  TfrmInsertLink* link = nullptr;

 private:
  std::string savedRegistry_;
};

}  // namespace gridel_test
