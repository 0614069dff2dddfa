// A main window to host the template editor, and a fixture with a template
// folder and a program folder of its own (whose "SrcBackup/" holds the
// supplied copies).
#pragma once

#include <gtest/gtest.h>

#include <QToolButton>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/core/Platform.h"
#include "platform/qt/Widgets.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/SourceEdit.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace sourceedit_test {

using tavrel::ModalResult;
using tavrel::MsgType;

class HostWindow : public TMainFormBase {
 public:
  explicit HostWindow(std::string title) : title_(std::move(title)) { frmMain = this; }
  std::string AppTitle() const override { return title_; }

 private:
  std::string title_;
};

// The template flags of each program, in the order frameset, welcome, code,
// DHTML, reading.
inline std::array<bool, 5> QuizTemplates() { return {true, true, true, true, true}; }
inline std::array<bool, 5> MatchingTemplates() { return {true, false, true, true, true}; }
inline std::array<bool, 5> CrosswordTemplates() { return {true, true, true, true, false}; }

class SourceEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedProgramFolder_ = tavrel::programFolder();
    tavrel::setProgramFolder(program.Path());
    std::filesystem::create_directory(program.Path() + "SrcBackup");
  }
  void TearDown() override {
    TfrmSourceFiles::ModalHook = nullptr;
    form.reset();
    host.reset();
    tavrel::setProgramFolder(savedProgramFolder_);
  }

  // Text of a template file as the loader hands it back (CR LF after every
  // line).
  static std::string Page(const std::string& word) {
    return "<HTML>\r\n<!-- " + word + " -->\r\n</HTML>\r\n";
  }

  // The five templates of a program in the template folder and the supplied
  // copies in SrcBackup, under the lower-case names they ship with.
  void WriteTemplates(const std::string& word) {
    for (const std::string& n : Names(word)) {
      source.Write(n, Page(n));
      Backup(n, Page("supplied " + n));
    }
  }
  static std::array<std::string, 5> Names(const std::string& word) {
    return {word + ".ht_", word + "w.ht_", word + "c.ht_", "tavrelr.ht_", "d" + word + ".ht_"};
  }
  void Backup(const std::string& name, const std::string& text) {
    tavrel::testing::WriteFileBytes(program.Path() + "SrcBackup/" + name, text);
  }

  // Creates the host window and then the editor, as the program block does.
  TfrmSourceFiles& Create(const std::string& title, std::array<bool, 5> uses) {
    host = std::make_unique<HostWindow>(title);
    host->FSourcePath = source.Path();
    host->FUsesTemplate = uses;
    form = std::make_unique<TfrmSourceFiles>(host.get());
    return *form;
  }

  // Shows the editor modally, with drive run while it is shown.
  int ShowModal(const std::function<void(TfrmSourceFiles&)>& drive) {
    TfrmSourceFiles::ModalHook = drive;
    const int r = form->ShowModal();
    TfrmSourceFiles::ModalHook = nullptr;
    return r;
  }

  std::string Memo() const { return form->mmoText->Text(); }
  QColor MemoColour() const { return form->mmoText->palette().color(QPalette::Text); }

  tavrel::testing::FakePlatform fake;
  tavrel::testing::TempDir source;   // the template folder (FSourcePath)
  tavrel::testing::TempDir program;  // the program folder
  std::unique_ptr<HostWindow> host;
  std::unique_ptr<TfrmSourceFiles> form;

 private:
  std::string savedProgramFolder_;
};

}  // namespace sourceedit_test
