// What the shared dialogs and services use of a program's main window: the
// fields and components every main window of the suite has.  Each program's
// TfrmMain derives from TMainFormBase and fills in the rest.
#pragma once

#include <QMainWindow>
#include <array>
#include <string>

#include "platform/core/Platform.h"

class QAction;
class QLabel;
class QStatusBar;
class TQList;

// Template slots, in the order of FUsesTemplate.
enum TemplateSlot { tsFrameset = 0, tsWelcome = 1, tsCode = 2, tsDHTML = 3, tsReading = 4 };

class TMainFormBase : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainFormBase(QWidget* parent = nullptr);
  ~TMainFormBase() override;

  // The application title: "Askery", "Pairo" or "Gridel".  It names the
  // registry sub-key, the file type and the template files.
  virtual std::string AppTitle() const = 0;

  // Shows the item whose number the spinner holds (after the outline dialog
  // reordered the list).
  virtual void Redisplay() {}
  // The item list of the quiz and matching programs; null in the crossword
  // program.
  virtual TQList* Questions() { return nullptr; }

  // Status bar panel text; panels are numbered 1 to 3 (panel 1 shows the
  // configuration file).
  std::string StatusPanelText(int panel) const;
  void SetStatusPanelText(int panel, const std::string& text);

  // Fields of the main-form contract.
  std::string FFileName;  // current data file; "" = untitled
  bool FChanged = false;
  std::array<std::string, 6> FLastFiles;  // entries 1..5 used; 1 = newest
  bool FSaveWithFile = false;
  std::string FConfigFile;
  std::string FSourcePath;  // template folder, trailing "/"
  std::array<bool, 5> FUsesTemplate{};
  int FChosenNumber = 0;
  int FToPosition = 0;

  // Dialog and font components, kept as their properties; they are run
  // through the platform (tavrel::platform().openDialog(dlgOpenFile) ...).
  tavrel::FileDialogOptions dlgOpenFile;
  tavrel::FileDialogOptions dlgSaveFile;
  tavrel::FileDialogOptions dlgSaveWeb;
  tavrel::FontSpec dlgMainFont;
  tavrel::FontSpec dlgRawFont;

  // Recent-file menu items (index 1..5 used) and the divider above them;
  // check item of the reload-configuration option.  Created by the program.
  std::array<QAction*, 6> mnuLastFile{};
  QAction* mnuLastFileDivider = nullptr;
  QAction* mnuReloadConfig = nullptr;

  // Three panels: widths 400, 150, 50.
  QStatusBar* StatusBar1 = nullptr;

 protected:
  // Creates StatusBar1 with its three panels and installs it.
  void CreateStatusBar();

 private:
  std::array<QLabel*, 3> statusPanels_{};
};

// The program's one main window (set when it is created).
extern TMainFormBase* frmMain;
