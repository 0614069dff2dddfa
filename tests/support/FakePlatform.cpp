#include "support/FakePlatform.h"

#include <new>

#include <gtest/gtest.h>

namespace tavrel::testing {

FakePlatform::FakePlatform() { setPlatform(this); }

FakePlatform::~FakePlatform() { setPlatform(nullptr); }

FakePlatform& FakePlatform::Answer(ModalResult r) {
  answers_.push_back({Key::None, r});
  return *this;
}
FakePlatform& FakePlatform::PressEnter() {
  answers_.push_back({Key::Enter, ModalResult::None});
  return *this;
}
FakePlatform& FakePlatform::PressEscape() {
  answers_.push_back({Key::Escape, ModalResult::None});
  return *this;
}
FakePlatform& FakePlatform::ChooseOpen(const std::string& path) {
  openAnswers_.emplace_back(path);
  return *this;
}
FakePlatform& FakePlatform::CancelOpen() {
  openAnswers_.emplace_back(std::nullopt);
  return *this;
}
FakePlatform& FakePlatform::ChooseSave(const std::string& path) {
  saveAnswers_.emplace_back(path);
  return *this;
}
FakePlatform& FakePlatform::CancelSave() {
  saveAnswers_.emplace_back(std::nullopt);
  return *this;
}
FakePlatform& FakePlatform::ChooseFont(const FontSpec& font) {
  fontAnswers_.emplace_back(font);
  return *this;
}
FakePlatform& FakePlatform::CancelFont() {
  fontAnswers_.emplace_back(std::nullopt);
  return *this;
}
FakePlatform& FakePlatform::Input(const std::string& text) {
  inputAnswers_.emplace_back(text);
  return *this;
}
FakePlatform& FakePlatform::CancelInput() {
  inputAnswers_.emplace_back(std::nullopt);
  return *this;
}

std::vector<std::string> FakePlatform::MessageTexts() const {
  std::vector<std::string> out;
  for (const auto& m : messages) out.push_back(m.text);
  return out;
}

bool FakePlatform::AllAnswersUsed() const {
  return answers_.empty() && openAnswers_.empty() && saveAnswers_.empty() &&
         fontAnswers_.empty() && inputAnswers_.empty();
}

void FakePlatform::ClearRecords() {
  messages.clear();
  openRequests.clear();
  saveRequests.clear();
  fontRequests.clear();
  inputPrompts.clear();
  opened.clear();
  helpShown.clear();
  helpContentsShown = 0;
}

FakePlatform& FakePlatform::RunOutOfMemory() {
  outOfMemory_ = true;
  return *this;
}

ModalResult FakePlatform::messageDlg(const std::string& text, MsgType type, unsigned buttons,
                                     int helpContext, unsigned defaultButton) {
  const unsigned enter = DefaultButtonOf(buttons, defaultButton);
  const ModalResult escape = EscapeAnswerOf(buttons);
  messages.push_back({text, type, buttons, helpContext, false, enter, escape});
  if (outOfMemory_) {
    outOfMemory_ = false;
    throw std::bad_alloc();
  }
  if (answers_.empty()) {
    ADD_FAILURE() << "unscripted message dialog: " << text;
    return (buttons & mbCancel) ? ModalResult::Cancel : ModalResult::None;
  }
  const Reply r = answers_.front();
  answers_.pop_front();
  switch (r.key) {
    case Key::Enter: return ResultOfButton(enter);
    case Key::Escape: return escape;
    case Key::None: break;
  }
  return r.result;
}

void FakePlatform::showMessage(const std::string& text) {
  messages.push_back({text, MsgType::Information, mbOK, 0, true});
}

namespace {
bool takePath(std::deque<std::optional<std::string>>& q, FileDialogOptions& options,
              const char* what) {
  if (q.empty()) {
    ADD_FAILURE() << "unscripted " << what << " dialog (filter " << options.filter << ")";
    return false;
  }
  auto a = q.front();
  q.pop_front();
  if (!a) return false;
  options.fileName = *a;
  return true;
}
}  // namespace

bool FakePlatform::openDialog(FileDialogOptions& options) {
  openRequests.push_back(options);
  return takePath(openAnswers_, options, "open");
}

bool FakePlatform::saveDialog(FileDialogOptions& options) {
  saveRequests.push_back(options);
  if (!takePath(saveAnswers_, options, "save")) return false;
  // The dialog appends the default extension to a name without one.
  if (!options.defaultExt.empty()) {
    const auto slash = options.fileName.find_last_of('/');
    const auto name = slash == std::string::npos ? options.fileName : options.fileName.substr(slash + 1);
    if (name.find('.') == std::string::npos) options.fileName += "." + options.defaultExt;
  }
  return true;
}

bool FakePlatform::fontDialog(FontSpec& font) {
  fontRequests.push_back(font);
  if (fontAnswers_.empty()) {
    ADD_FAILURE() << "unscripted font dialog";
    return false;
  }
  auto a = fontAnswers_.front();
  fontAnswers_.pop_front();
  if (!a) return false;
  font = *a;
  return true;
}

bool FakePlatform::inputQuery(const std::string& caption, const std::string& prompt,
                              std::string& value) {
  inputPrompts.push_back(caption + "|" + prompt + "|" + value);
  if (inputAnswers_.empty()) {
    ADD_FAILURE() << "unscripted input box: " << prompt;
    return false;
  }
  auto a = inputAnswers_.front();
  inputAnswers_.pop_front();
  if (!a) return false;
  value = *a;
  return true;
}

bool FakePlatform::shellOpen(const std::string& target, std::string& errorText) {
  opened.push_back(target);
  if (shellOpenFails_) {
    errorText = "No application is registered for this file.";
    return false;
  }
  return true;
}

}  // namespace tavrel::testing
