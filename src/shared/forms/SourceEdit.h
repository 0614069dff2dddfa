// The template store and its editor.  The form holds the texts of the page
// templates (".ht_" files in the main window's template folder), loaded once
// when the program starts; the exporters and the reading page fall back to
// these texts when a template cannot be read from disk.  Shown modally from
// the main window's Edit Raw HTML command, it is also the raw-text editor in
// which the teacher changes the templates and saves them.
//
// Create it after the main window (frmMain): its creation reads the main
// window's template folder (FSourcePath) and template flags (FUsesTemplate).
#pragma once

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "platform/core/Platform.h"
#include "shared/core/WebExport.h"
#include "shared/core/HelpContexts.h"

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QKeyEvent;
class QPushButton;
class QToolButton;

namespace tavrel {
class TMemo;
}

class TfrmSourceFiles : public QDialog {
  Q_OBJECT
 public:
  // Help context of the form and of all its messages.
  static constexpr int kHelpContext = kHelpTemplates;

  explicit TfrmSourceFiles(QWidget* parent = nullptr);
  ~TfrmSourceFiles() override;

  // --- The store: path and text of each template ---------------------------
  // The files are found as the exports find them (TemplatePath), from the
  // names the templates are supplied under: the program's word in lower
  // case ("pairo") with the slot's suffix.
  std::string FFramesetFile, FFramesetText;  // word + ".ht_"
  std::string FWelcomeFile, FWelcomeText;    // word + "w.ht_"
  std::string FCodeFile, FCodeText;          // word + "c.ht_"
  std::string FReadingFile, FReadingText;    // "tavrelr.ht_", shared by all programs
  std::string FDHTMLFile, FDHTMLText;        // "d" + word + ".ht_"
  // The store's texts as a value for the exporters.
  TemplateStore Store() const {
    return {FFramesetText, FWelcomeText, FCodeText, FDHTMLText, FReadingText};
  }

  // --- Components ----------------------------------------------------------
  QFrame* pnlFiles = nullptr;    // left panel: slot buttons and btnFont
  QFrame* pnlButtons = nullptr;  // bottom panel: Accept, Cancel, Restore, Help
  tavrel::TMemo* mmoText = nullptr;
  QToolButton* spdFrameset = nullptr;
  QToolButton* spdWelcome = nullptr;
  QToolButton* spdCode = nullptr;
  QToolButton* spdReading = nullptr;
  QToolButton* spdDHTML = nullptr;
  QPushButton* btnFont = nullptr;
  QPushButton* btnAccept = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnRestore = nullptr;
  QPushButton* btnHelp = nullptr;

  // --- Handlers ------------------------------------------------------------
  // Run by the constructor: paths from the main window, then the texts.
  void FormCreate();
  // Loads every template the program uses, falling back to the supplied copy
  // in the program folder's "SrcBackup/" (with a warning), and stacks the
  // used slot buttons from the top of pnlFiles.
  void GetFilesFromDisk();
  // Stores the memo's text into the slot it shows (nothing before the first
  // showing).
  void StashText();
  // Shared by the five slot buttons: store the shown slot, then show the
  // slot of Sender.
  void spdFramesetClick(QAbstractButton* Sender);
  // Every showing starts on the frameset template.
  void FormShow();
  void btnAcceptClick();
  void btnCancelClick();
  void btnRestoreClick();
  void btnFontClick();
  void btnHelpClick();
  // Keys reach the form before its controls.  Returns true when the key was
  // consumed: every key typed with exactly Ctrl and Alt held goes to the
  // markup shortcuts.
  bool FormKeyDown(QKeyEvent* e);
  void FormResize();
  void pnlButtonsResize();

  // The main window's first showing gives the memo the raw-code font: name,
  // size, style and colour.  The colour marks no slot; the first showing
  // replaces it with the frameset's.
  void AssignRawFont(const tavrel::FontSpec& font);

  // Shows the form modally and returns how it closed (QDialog::Accepted
  // after Accept, Rejected otherwise).  When ModalHook is set it replaces
  // the event loop: FormShow runs, then the hook, which drives the form by
  // calling its handlers; tests use it so that nothing blocks.
  int ShowModal();
  static std::function<void(TfrmSourceFiles&)> ModalHook;

  // The slot the memo shows, as a TemplateSlot value; -1 before the first
  // showing.
  int ShownSlot() const { return shown_; }
  // The colour that marks a slot in the memo and on its button.
  static QColor SlotColour(int slot);

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  struct Slot {
    int index;  // TemplateSlot: position in FUsesTemplate
    std::string* file;
    std::string* text;
    QToolButton* button;
    const char* word;  // names the slot in save-failure messages
    std::string name;  // the name the template is supplied under
  };
  bool Uses(const Slot& s) const;
  Slot* SlotOf(int index);
  Slot* SlotOfButton(QAbstractButton* b);
  void ShowSlot(Slot& s);
  std::string SuppliedCopy(const std::string& name) const;

  // Loading order: frameset, welcome, code, reading, DHTML.
  std::array<Slot, 5> slots_{};
  QButtonGroup* slotGroup_ = nullptr;
  int shown_ = -1;
  std::string folder_;  // the main window's template folder
};

// The program's one template editor (set when it is created).
extern TfrmSourceFiles* frmSourceFiles;
