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
#include "support/WindowTest.h"

namespace gridel_test {

using gridel::TfrmAddClues;
using gridel::TfrmConfig;
using gridel::TfrmMain;
using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::testing::FakePlatform;
using tavrel::testing::TempDir;

class GridelTest : public tavrel::testing::WindowTest {
 protected:
  QWidget* CreateForms() override {
    main = new TfrmMain;
    clues = new TfrmAddClues(main);
    config = new TfrmConfig(main);
    link = new TfrmInsertLink(main);
    return main;
  }

  // The command line the program starts with (program path first).
  std::vector<std::string> CommandLine() const override { return {"gridel", "\\S"}; }
  // The word and clue pairs as plain pairs.
  static std::vector<std::pair<std::string, std::string>> Pairs(const gridel::ClueList& list) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& p : list) out.emplace_back(p.word, p.clue);
    return out;
  }
  using PairList = std::vector<std::pair<std::string, std::string>>;

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

  TempDir files;
  TfrmMain* main = nullptr;
  TfrmAddClues* clues = nullptr;
  TfrmConfig* config = nullptr;
  TfrmInsertLink* link = nullptr;
};

}  // namespace gridel_test
