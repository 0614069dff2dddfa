// The desktop services the programs ask for: message boxes, file and font
// dialogs, input boxes, the clipboard, opening files with their associated
// program, help, and the busy cursor.  Everything that waits for the user
// goes through this one interface, so that tests can put a scripted fake in
// its place (tests/support/FakePlatform.h) and never block on a real dialog.
//
// All texts are single-byte Windows-1252 in std::string, as everywhere in the
// suite; file paths too (they are converted to the native encoding only where
// a file is opened).  The interface uses no Qt, so the pure units can call it.
#pragma once

#include <string>
#include <vector>

namespace tavrel {

enum class MsgType { Warning, Error, Information, Confirmation };

// Buttons of a message dialog, combined as a bit set.
enum MsgButton : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbHelp = 1u << 4,
};
constexpr unsigned mbYesNo = mbYes | mbNo;
constexpr unsigned mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr unsigned mbOKCancel = mbOK | mbCancel;

// The button that closed a dialog.  None: closed without a button (title-bar
// close box), which callers treat like Cancel.
enum class ModalResult { None, OK, Cancel, Yes, No };

// The button Enter presses in a message dialog with these buttons: the one
// asked for when the box has it (mbNo for a question whose Yes would destroy
// a file or work kept elsewhere), else Yes or OK, else the first button.  A
// box with no answer button has an OK button.
unsigned DefaultButtonOf(unsigned buttons, unsigned asked);
// What Escape and the close box answer: Cancel, else No, else OK.
ModalResult EscapeAnswerOf(unsigned buttons);
// The answer a button gives (None for Help).
ModalResult ResultOfButton(unsigned button);

// Properties of an open or save dialog.  On success the chosen path is in
// fileName (absolute, "/" separated, Windows-1252).
struct FileDialogOptions {
  std::string title;
  std::string filter;       // "Description (*.ext)|*.ext|..." pairs
  std::string defaultExt;   // without the dot; appended when the name has none
  std::string fileName;     // proposed name in, chosen path out
  std::string initialDir;   // folder to start in ("" = the current one)
  int helpContext = 0;      // 0: no help button
  bool overwritePrompt = false;  // save: ask before replacing a file
  bool pathMustExist = false;    // the folder of the name must exist
  bool fileMustExist = false;    // open: the file must exist
};

struct FontSpec {
  std::string name = "Arial";
  int size = 10;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  unsigned color = 0;  // 0x00BBGGRR, as the font dialog reports it
};

class IPlatform {
 public:
  virtual ~IPlatform() = default;

  // A message dialog with a type, a set of buttons and a help context.  Help
  // shows the help for that context and leaves the box open.  Enter presses
  // DefaultButtonOf(buttons, defaultButton); Escape answers EscapeAnswerOf.
  virtual ModalResult messageDlg(const std::string& text, MsgType type,
                                 unsigned buttons, int helpContext,
                                 unsigned defaultButton = 0) = 0;
  // A plain message box: the text and an OK button.
  virtual void showMessage(const std::string& text) = 0;

  virtual bool openDialog(FileDialogOptions& options) = 0;
  virtual bool saveDialog(FileDialogOptions& options) = 0;
  virtual bool fontDialog(FontSpec& font) = 0;
  // An input box: returns false on Cancel; value holds the default on entry
  // and the answer on exit.
  virtual bool inputQuery(const std::string& caption, const std::string& prompt,
                          std::string& value) = 0;

  virtual std::string clipboardText() = 0;
  virtual void setClipboardText(const std::string& text) = 0;

  // Opens a file or web address with the program the desktop associates with
  // it.  Returns false with a reason in errorText when that fails.
  virtual bool shellOpen(const std::string& target, std::string& errorText) = 0;

  // The help document the two calls below open (the program folder's stand-in
  // for the help file).
  virtual void setHelpFile(const std::string& path) = 0;
  virtual void showHelp(int helpContext) = 0;
  virtual void showHelpContents() = 0;

  // Busy (hourglass) cursor on or off; use BusyCursor rather than this.
  virtual void setBusy(bool busy) = 0;
};

// A platform for programs without a desktop (the export tool, benchmarks):
// every dialog is cancelled and nothing is shown, opened or kept.  A program
// derived from it says how its messages are answered.
class QuietPlatform : public IPlatform {
 public:
  void showMessage(const std::string&) override {}
  bool openDialog(FileDialogOptions&) override { return false; }
  bool saveDialog(FileDialogOptions&) override { return false; }
  bool fontDialog(FontSpec&) override { return false; }
  bool inputQuery(const std::string&, const std::string&, std::string&) override { return false; }
  std::string clipboardText() override { return {}; }
  void setClipboardText(const std::string&) override {}
  bool shellOpen(const std::string&, std::string& errorText) override {
    errorText = "not here";
    return false;
  }
  void setHelpFile(const std::string&) override {}
  void showHelp(int) override {}
  void showHelpContents() override {}
  void setBusy(bool) override {}
};

// The platform in force.  The program installs the desktop one at start;
// tests install a fake.  Calling platform() with none installed aborts.
IPlatform& platform();
void setPlatform(IPlatform* p);

// Shows the hourglass while it lives; restores the cursor on every return
// path.  Nests.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  // Gives the normal cursor back early (before a final report); the
  // destructor then does nothing more.
  void release();

 private:
  bool active_ = true;
};

// The command line as the program received it: index 0 is the program path.
void setCommandLine(const std::vector<std::string>& args);
int paramCount();                 // number of parameters after the program
std::string paramStr(int index);  // "" out of range

// Folder of the running program, with a trailing "/".
std::string programFolder();
void setProgramFolder(const std::string& folder);

}  // namespace tavrel
