// The desktop implementation of the platform services over Qt Widgets.  The
// program installs one at start (tavrel::setPlatform); tests use the fake.
#pragma once

#include <QStringList>
#include <QUrl>
#include <string>

#include "platform/core/Platform.h"

namespace tavrel {

class QtPlatform : public IPlatform {
 public:
  QtPlatform();
  ~QtPlatform() override;

  ModalResult messageDlg(const std::string& text, MsgType type, unsigned buttons,
                         int helpContext, unsigned defaultButton = 0) override;
  void showMessage(const std::string& text) override;

  bool openDialog(FileDialogOptions& options) override;
  bool saveDialog(FileDialogOptions& options) override;
  bool fontDialog(FontSpec& font) override;
  bool inputQuery(const std::string& caption, const std::string& prompt,
                  std::string& value) override;

  std::string clipboardText() override;
  void setClipboardText(const std::string& text) override;

  // Opens the target with the desktop's opener and waits for its verdict:
  // an opener that cannot start or ends with an error is a failure.  An
  // opener still running after the wait (one that stays with the program it
  // started) counts as success and is left running, past the program's end.
  bool shellOpen(const std::string& target, std::string& errorText) override;
  // The opener: a command that takes the address as its last argument
  // ("xdg-open" on Linux; none elsewhere, where the desktop services open
  // it), and how long shellOpen waits for it to end, in milliseconds.
  void setOpener(const QStringList& command, int waitMs);

  void setHelpFile(const std::string& path) override;
  void showHelp(int helpContext) override;
  void showHelpContents() override;
  std::string helpFile() const { return helpFile_; }

  void setBusy(bool busy) override;

 private:
  bool runFileDialog(FileDialogOptions& options, bool save);
  void openHelpAt(const std::string& fragment);
  // Writes the page in the user's cache folder that sends the browser on to
  // target, the help document at a section; its path, or "" when it cannot
  // be written.
  QString helpForwardingPage(const QUrl& target, const std::string& fragment);

  std::string helpFile_;
  int busyDepth_ = 0;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  QStringList opener_{QStringLiteral("xdg-open")};
#else
  QStringList opener_;
#endif
  int openerWaitMs_ = 2000;
};

// Makes the suite's compiled-in pictures (":/tavrel/...": program icons,
// splash pictures) available; safe to call more than once.  Installing a
// QtPlatform does it too.
void InitResources();

// A filter of the programs' form ("Text (*.txt)|*.txt|Web (*.htm;*.html)|
// *.htm;*.html") as the name filters of a Qt file dialog ("Text (*.txt)",
// "Web (*.htm *.html)").  An empty filter gives no entries.
QStringList QtNameFilters(const std::string& filter);

// Object names of the buttons of a message dialog, for keyboard-free tests:
// "btnYes", "btnNo", "btnOK", "btnCancel", "btnHelp"; the dialog itself is
// named "MessageDlg".

}  // namespace tavrel
