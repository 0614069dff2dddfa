// A scripted stand-in for the desktop services.  A test queues the answers
// the user would give; every message, dialog request, help call and opened
// file is recorded.  A dialog for which no answer was queued fails the test
// (and is answered as cancelled), so no test ever blocks.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Platform.h"

namespace tavrel::testing {

struct RecordedMessage {
  std::string text;
  MsgType type = MsgType::Information;
  unsigned buttons = 0;
  int helpContext = 0;
  bool plain = false;  // a plain message box (showMessage)
  unsigned defaultButton = mbOK;  // the button Enter presses
  ModalResult escape = ModalResult::OK;  // what Escape answers
};

class FakePlatform : public IPlatform {
 public:
  FakePlatform();
  ~FakePlatform() override;  // uninstalls itself

  // --- Scripting -----------------------------------------------------------
  // Answer to the next message dialog (showMessage needs none).
  FakePlatform& Answer(ModalResult r);
  // The next message dialog is answered by Enter (its default button) or
  // by Escape.
  FakePlatform& PressEnter();
  FakePlatform& PressEscape();
  // Next open/save dialog: a chosen path, or cancelled.
  FakePlatform& ChooseOpen(const std::string& path);
  FakePlatform& CancelOpen();
  FakePlatform& ChooseSave(const std::string& path);
  FakePlatform& CancelSave();
  // Next font dialog: confirmed with this font, or cancelled.
  FakePlatform& ChooseFont(const FontSpec& font);
  FakePlatform& CancelFont();
  // Next input box: the text typed, or cancelled.
  FakePlatform& Input(const std::string& text);
  FakePlatform& CancelInput();
  // The next message dialog fails as an allocation made while showing it
  // would: it throws std::bad_alloc instead of being answered.
  FakePlatform& RunOutOfMemory();
  // Make shellOpen fail (or succeed again).
  void SetShellOpenFails(bool fails) { shellOpenFails_ = fails; }

  // --- Records -------------------------------------------------------------
  std::vector<RecordedMessage> messages;
  std::vector<FileDialogOptions> openRequests;  // as the dialog was asked
  std::vector<FileDialogOptions> saveRequests;
  std::vector<FontSpec> fontRequests;
  std::vector<std::string> inputPrompts;
  std::vector<std::string> opened;  // targets given to shellOpen
  std::vector<int> helpShown;       // contexts
  int helpContentsShown = 0;
  std::string helpFile;
  std::string clipboard;
  bool busy = false;
  int busyChanges = 0;

  // Texts of the recorded messages, in order.
  std::vector<std::string> MessageTexts() const;
  // True when every queued answer was used.
  bool AllAnswersUsed() const;
  void ClearRecords();

  // --- IPlatform -----------------------------------------------------------
  ModalResult messageDlg(const std::string& text, MsgType type, unsigned buttons,
                         int helpContext, unsigned defaultButton = 0) override;
  void showMessage(const std::string& text) override;
  bool openDialog(FileDialogOptions& options) override;
  bool saveDialog(FileDialogOptions& options) override;
  bool fontDialog(FontSpec& font) override;
  bool inputQuery(const std::string& caption, const std::string& prompt,
                  std::string& value) override;
  std::string clipboardText() override { return clipboard; }
  void setClipboardText(const std::string& text) override { clipboard = text; }
  bool shellOpen(const std::string& target, std::string& errorText) override;
  void setHelpFile(const std::string& path) override { helpFile = path; }
  void showHelp(int helpContext) override { helpShown.push_back(helpContext); }
  void showHelpContents() override { ++helpContentsShown; }
  void setBusy(bool b) override {
    busy = b;
    ++busyChanges;
  }

 private:
  // A scripted answer: a button (key None), or Enter or Escape.
  enum class Key { None, Enter, Escape };
  struct Reply {
    Key key = Key::None;
    ModalResult result = ModalResult::None;
  };
  std::deque<Reply> answers_;
  std::deque<std::optional<std::string>> openAnswers_;
  std::deque<std::optional<std::string>> saveAnswers_;
  std::deque<std::optional<FontSpec>> fontAnswers_;
  std::deque<std::optional<std::string>> inputAnswers_;
  bool shellOpenFails_ = false;
  bool outOfMemory_ = false;
};

}  // namespace tavrel::testing
