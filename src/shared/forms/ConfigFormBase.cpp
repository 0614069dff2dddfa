#include "shared/forms/ConfigFormBase.h"

#include "platform/core/TextCodec.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cerrno>
#include <new>
#include <stdexcept>

#include "platform/qt/QtText.h"
#include "platform/qt/Registry.h"
#include "platform/qt/Widgets.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"
#include "shared/forms/EditFunctions.h"
#include "shared/forms/EditMenu.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/PictureLibrary.h"
#include "shared/forms/TLFunctions.h"

using tavrel::IEditControl;
using tavrel::MsgType;
using tavrel::platform;
using tavrel::toQString;

TConfigFormBase* frmConfig = nullptr;

namespace {

const char* const kConfigFilter = "Configuration files (*.cfg)|*.cfg";

// Registry place of the configuration file's path.
std::string ConfigPathKey(configdoc::Program program) {
  const char* title = program == configdoc::Program::Pairo    ? "Pairo"
                      : program == configdoc::Program::Gridel ? "Gridel"
                                                              : "Askery";
  return std::string(kTavrelBaseKey) + "\\" + title + "\\Config\\FilePaths";
}

std::string DataFileName() { return frmMain ? frmMain->FFileName : std::string(); }

// The link dialog's guard: refuses while the exercise has never been saved,
// and once per run asks to confirm the pages' folder.  Without the link
// dialog no relative path can be made.
bool CheckRootDir(const std::string& dataFileName) {
  return frmInsertLink && frmInsertLink->CheckRootDir(dataFileName);
}

QLabel* MakeLabel(const char* caption, QWidget* parent) { return new QLabel(toQString(caption), parent); }

}  // namespace

std::string DataFileConfigXML(const TConfigFormBase* config, configdoc::Program program) {
  if (!config) return configdoc::MakeConfigXML(program, configdoc::Defaults(program));
  std::string xml;
  config->MakeConfigXML(xml);
  return xml;
}

TConfigFormBase::TConfigFormBase(QWidget* parent) : QDialog(parent) {}

TConfigFormBase::~TConfigFormBase() {
  if (frmConfig == this) frmConfig = nullptr;
}

void TConfigFormBase::FinishCreation() {
  OpenDialog1.filter = kConfigFilter;
  OpenDialog1.fileMustExist = true;
  SaveDialog1.filter = kConfigFilter;
  dlgOpenHTML.filter = "HTML files (*.htm, *.html)|*.htm;*.html";
  dlgOpenHTML.defaultExt = "htm";
  dlgOpenHTML.fileMustExist = true;
  // The window previews every key of its controls (markup shortcuts, F1).
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  if (!frmConfig) frmConfig = this;
}

// --- Construction -------------------------------------------------------------

void TConfigFormBase::Bind(const char* name, IEditControl* edit, QWidget* widget, int helpContext,
                      int tag) {
  widget->setObjectName(name);
  widget->setProperty("helpContext", helpContext);
  edit->Tag = tag;
  edit->OnChange = [this] { ConfigEdited(); };
  edits_[name] = edit;
}

void TConfigFormBase::Bind(const char* name, QCheckBox* check, int helpContext) {
  check->setObjectName(name);
  check->setProperty("helpContext", helpContext);
  // Every check box counts as an edit of the configuration.
  connect(check, &QCheckBox::toggled, this, [this] { ConfigEdited(); });
  checks_[name] = check;
}

void TConfigFormBase::BuildButtons(const char* acceptHint) {
  auto make = [this](const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(toQString(caption), this);
    b->setObjectName(name);
    b->setToolTip(toQString(hint));
    b->setProperty("helpContext", WindowHelpContext());
    b->setAutoDefault(false);
    return b;
  };
  btnLoad = make("btnLoad", "&Load", "Load a different configuration file");
  btnSave = make("btnSave", "&Save", "Save this configuration file");
  btnSaveAs = make("btnSaveAs", "Save &As", "Save this configuration with a different name");
  btnAccept = make("btnAccept", "&OK", acceptHint);
  btnAccept->setDefault(true);
  btnHelp = make("btnHelp", "&Help", "Show the help file");
  TMainFormBase::ConnectCommand(btnLoad, [this] { btnLoadClick(); });
  TMainFormBase::ConnectCommand(btnSave, [this] { btnSaveClick(); });
  TMainFormBase::ConnectCommand(btnSaveAs, [this] { btnSaveAsClick(); });
  TMainFormBase::ConnectCommand(btnAccept, [this] { btnAcceptClick(); });
  TMainFormBase::ConnectCommand(btnHelp, [this] { btnHelpClick(); });
}

void TConfigFormBase::BuildWindow(int helpContext, const char* acceptHint,
                                  const std::function<void()>& buildPages) {
  setObjectName("frmConfig");
  setWindowTitle("Configure output");
  setProperty("helpContext", helpContext);
  setModal(true);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 4, 6, 6);
  BuildMenus();
  outer->setMenuBar(MainMenu1);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  // The page tabs side by side across the width, without scroll arrows.
  PageControl1->setUsesScrollButtons(false);
  PageControl1->setElideMode(Qt::ElideNone);
  outer->addWidget(PageControl1, 1);
  buildPages();
  BuildButtons(acceptHint);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {btnLoad, btnSave, btnSaveAs, btnAccept, btnHelp}) buttons->addWidget(b);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  PageControl1->setCurrentIndex(0);
}

tavrel::TEdit* TConfigFormBase::NewEdit(QWidget* page, int maxLength) {
  auto* e = new tavrel::TEdit(page);
  e->SetMaxLength(maxLength);
  return e;
}

QWidget* TConfigFormBase::AddPage(const char* caption, int helpContext) {
  auto* page = new QWidget(PageControl1);
  page->setProperty("helpContext", helpContext);
  PageControl1->addTab(page, caption);
  return page;
}

void TConfigFormBase::AddMemoRows(QWidget* page, int helpContext, std::initializer_list<TMemoRow> rows) {
  auto* box = new QVBoxLayout(page);
  for (const TMemoRow& r : rows) {
    auto* memo = new tavrel::TMemo(page);
    Bind(r.name, memo, memo, helpContext, 1);
    if (r.hint) memo->setToolTip(toQString(r.hint));
    box->addWidget(MakeLabel(r.caption, page));
    box->addWidget(memo, 1);
    *r.memo = memo;
  }
}

void TConfigFormBase::AddEditRows(QGridLayout* grid, int& row, std::initializer_list<TEditRow> rows,
                                  int editColumn, int labelSpan) {
  QWidget* page = grid->parentWidget();
  for (const TEditRow& r : rows) {
    tavrel::TEdit* edit = NewEdit(page, r.maxLength);
    Bind(r.name, edit, edit, r.helpContext, r.tag);
    if (r.hint) edit->setToolTip(toQString(r.hint));
    grid->addWidget(MakeLabel(r.caption, page), row, 0, 1, labelSpan);
    grid->addWidget(edit, row, editColumn);
    *r.edit = edit;
    ++row;
  }
}

void TConfigFormBase::AddButtonRows(QGridLayout* grid, int& row, int helpContext,
                                    std::initializer_list<TButtonRow> rows) {
  QWidget* page = grid->parentWidget();
  for (const TButtonRow& r : rows) {
    auto* check = new QCheckBox(toQString(r.checkCaption), page);
    Bind(r.checkName, check, helpContext);
    tavrel::TEdit* edit = NewEdit(page, 255);
    Bind(r.editName, edit, edit, helpContext, 0);
    grid->addWidget(check, row, 0);
    grid->addWidget(MakeLabel("Caption:", page), row, 1, Qt::AlignRight);
    grid->addWidget(edit, row, 2);
    *r.check = check;
    *r.edit = edit;
    ++row;
  }
}

void TConfigFormBase::AddBrowseRows(QGridLayout* grid, int& row, int helpContext,
                                    const std::array<const char*, 3>* editHints) {
  struct BrowseRow {
    const char* name;
    const char* caption;
    tavrel::TEdit* TConfigFormBase::*edit;
    const char* buttonName;
    const char* buttonHint;
    QPushButton* TConfigFormBase::*button;
    void (TConfigFormBase::*click)();
  };
  static const BrowseRow kRows[3] = {
      {"editGraphicURL", "Background graphic URL:", &TConfigFormBase::editGraphicURL, "btnBrowseForBGGraphic",
       "Browse for an external graphic file", &TConfigFormBase::btnBrowseForBGGraphic,
       &TConfigFormBase::btnBrowseForBGGraphicClick},
      {"editNextExURL", "Next exercise URL:", &TConfigFormBase::editNextExURL, "btnBrowseForNextEx",
       "Browse for the next exercise file", &TConfigFormBase::btnBrowseForNextEx,
       &TConfigFormBase::btnBrowseForNextExClick},
      {"editContentsURL", "Contents page URL:", &TConfigFormBase::editContentsURL, "btnBrowseForIndex",
       "Browse for the contents page to link to", &TConfigFormBase::btnBrowseForIndex,
       &TConfigFormBase::btnBrowseForIndexClick},
  };
  QWidget* page = grid->parentWidget();
  for (int k = 0; k < 3; ++k) {
    const BrowseRow& r = kRows[k];
    tavrel::TEdit* edit = NewEdit(page, 255);
    Bind(r.name, edit, edit, helpContext, 0);
    if (editHints) edit->setToolTip(toQString((*editHints)[k]));
    auto* button = new QPushButton("&Browse...", page);
    button->setObjectName(r.buttonName);
    button->setToolTip(toQString(r.buttonHint));
    button->setProperty("helpContext", helpContext);
    grid->addWidget(MakeLabel(r.caption, page), row, 0);
    grid->addWidget(edit, row, 1, 1, 2);
    grid->addWidget(button, row, 3);
    this->*r.edit = edit;
    this->*r.button = button;
    TMainFormBase::ConnectCommand(button, [this, click = r.click] { (this->*click)(); });
    ++row;
  }
}

void TConfigFormBase::AddColourRows(QGridLayout* grid, int& row, int helpContext) {
  struct ColourRow {
    const char* name;
    const char* caption;
    const char* hint;
    tavrel::TEdit* TConfigFormBase::*edit;
  };
  static const ColourRow kRows[] = {
      {"editNavBarColor", "Navigation bar colour:", "HTML hex code for background colour of navigation bar",
       &TConfigFormBase::editNavBarColor},
      {"editPageBGColor", "Page background colour:", "HTML hex code for background colour of Web page",
       &TConfigFormBase::editPageBGColor},
      {"editTitleColor", "Title colour:", "HTML hex code for colour of Web page title",
       &TConfigFormBase::editTitleColor},
      {"editExBGColor", "Exercise background colour:", "HTML hex code for background colour of exercise",
       &TConfigFormBase::editExBGColor},
      {"editTextColor", "Text colour:", "HTML hex code for colour of Web page text",
       &TConfigFormBase::editTextColor},
  };
  QWidget* page = grid->parentWidget();
  const int firstColourRow = row;
  for (const ColourRow& r : kRows) {
    tavrel::TEdit* edit = NewEdit(page, 255);
    Bind(r.name, edit, edit, helpContext, 0);
    edit->setToolTip(toQString(r.hint));
    edit->setMaximumWidth(110);
    grid->addWidget(MakeLabel(r.caption, page), row, 0);
    grid->addWidget(edit, row, 1);
    this->*r.edit = edit;
    ++row;
  }
  spdColours = new QToolButton(page);
  spdColours->setObjectName("spdColours");
  spdColours->setText("Colour chart...");
  spdColours->setToolTip("Show a chart of Web colours and their codes");
  spdColours->setProperty("helpContext", kHelpColours);
  TMainFormBase::ConnectCommand(spdColours, [this] { spdColoursClick(); });
  grid->addWidget(spdColours, firstColourRow, 2, 2, 1, Qt::AlignLeft | Qt::AlignTop);
}

QWidget* TConfigFormBase::AddReadingPage() {
  QWidget* page = AddPage("Reading", kHelpScoring);
  auto* grid = new QGridLayout(page);
  int row = 0;
  AddEditRows(grid, row,
              {
                  {"editStartReading", "Caption for \"Start reading\" button:", &editStartReading, 240,
                   kHelpScoring, 1},
                  {"editShowReadingAgain", "Caption for \"Show reading text again\" button:",
                   &editShowReadingAgain, 240, kHelpScoring, 1},
                  {"editRemainingTime", "Time remaining:", &editRemainingTime, 240, kHelpScoring, 1},
                  {"editTimesUp", "Your time is over:", &editTimesUp, 240, kHelpScoring, 1},
                  {"editClickToShow", "Click on the button to show the reading:", &editClickToShow, 240,
                   kHelpScoring, 1},
              });
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(row, 1);
  return page;
}

void TConfigFormBase::BuildMenus() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName("MainMenu1");
  MainMenu1->setNativeMenuBar(false);

  mnuEdit = MainMenu1->addMenu("&Edit");
  mnuEdit->setObjectName("mnuEdit");
  auto addEdit = [this](const char* name, const char* caption, QKeySequence keys) {
    QAction* a = mnuEdit->addAction(toQString(caption));
    a->setObjectName(name);
    a->setShortcut(keys);
    a->setProperty("helpContext", WindowHelpContext());
    return a;
  };
  mnuCut = addEdit("mnuCut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
  mnuCopy = addEdit("mnuCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
  mnuPaste = addEdit("mnuPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
  mnuSelectAll = addEdit("mnuSelectAll", "Se&lect All", QKeySequence(Qt::CTRL | Qt::Key_A));
  TMainFormBase::ConnectCommand(mnuCut, [this] { mnuCutClick(); });
  TMainFormBase::ConnectCommand(mnuCopy, [this] { mnuCopyClick(); });
  TMainFormBase::ConnectCommand(mnuPaste, [this] { mnuPasteClick(); });
  TMainFormBase::ConnectCommand(mnuSelectAll, [this] { mnuSelectAllClick(); });

  mnuInsert = MainMenu1->addMenu("&Insert");
  mnuInsert->setObjectName("mnuInsert");
  connect(mnuInsert, &QMenu::aboutToShow, this, [this] { mnuInsertClick(); });
  mnuPicture = mnuInsert->addMenu("&Picture");
  mnuPicture->setObjectName("mnuPicture");
  mnuInsertPicFromURL = mnuPicture->addAction("From &Web URL");
  mnuInsertPicFromURL->setObjectName("mnuInsertPicFromURL");
  mnuPicFromFile = mnuPicture->addAction("From Local &File");
  mnuPicFromFile->setObjectName("mnuPicFromFile");
  mnuLink = mnuInsert->addMenu("&Link");
  mnuLink->setObjectName("mnuLink");
  mnuInsertLinkToURL = mnuLink->addAction("To &URL");
  mnuInsertLinkToURL->setObjectName("mnuInsertLinkToURL");
  mnuInsertLinkToFile = mnuLink->addAction("To Local &File");
  mnuInsertLinkToFile->setObjectName("mnuInsertLinkToFile");
  TMainFormBase::ConnectCommand(mnuInsertPicFromURL, [this] { mnuInsertPicFromURLClick(); });
  TMainFormBase::ConnectCommand(mnuPicFromFile, [this] { mnuPicFromFileClick(); });
  TMainFormBase::ConnectCommand(mnuInsertLinkToURL, [this] { mnuInsertLinkToURLClick(); });
  TMainFormBase::ConnectCommand(mnuInsertLinkToFile, [this] { mnuInsertLinkToFileClick(); });
}

// --- Values -------------------------------------------------------------------

std::string TConfigFormBase::ControlText(const std::string& name) const {
  auto it = edits_.find(name);
  return it == edits_.end() ? std::string() : it->second->Text();
}

bool TConfigFormBase::ControlChecked(const std::string& name) const {
  auto it = checks_.find(name);
  return it != checks_.end() && it->second->isChecked();
}

bool TConfigFormBase::SetControlText(const std::string& name, const std::string& text) {
  auto it = edits_.find(name);
  if (it == edits_.end()) return false;
  it->second->SetText(text);
  return true;
}

bool TConfigFormBase::SetControlChecked(const std::string& name, bool checked) {
  auto it = checks_.find(name);
  if (it == checks_.end()) return false;
  it->second->setChecked(checked);
  return true;
}

ConfigValues TConfigFormBase::Values() const {
  ConfigValues v;
  for (const auto& [name, edit] : edits_) v.text[name] = edit->Text();
  for (const auto& [name, check] : checks_) v.checked[name] = check->isChecked();
  return v;
}

void TConfigFormBase::SetValues(const ConfigValues& values) {
  for (const auto& [name, text] : values.text) SetControlText(name, text);
  for (const auto& [name, checked] : values.checked) SetControlChecked(name, checked);
}

// --- The configuration document ---------------------------------------------------

void TConfigFormBase::ReadConfigXML(const std::string& doc) {
  SetValues(configdoc::ReadConfigXML(ConfigProgram(), doc, Values()));
}

void TConfigFormBase::MakeConfigXML(std::string& xml) const {
  xml = configdoc::MakeConfigXML(ConfigProgram(), Values());
}

bool TConfigFormBase::WriteConfigFile() {
  int error = 0;
  try {
    ClearLastSaveFailure();
    if (configdoc::SaveConfigToFile(ConfigProgram(), FConfigFileName, Values(), GetMajorVersion()))
      return true;
  } catch (const std::bad_alloc&) {
    // More than memory holds: the file was not replaced.
    error = ENOMEM;
  } catch (const std::exception&) {
  }
  platform().messageDlg(SaveFailureMessage(FConfigFileName, error), MsgType::Warning, tavrel::mbOK,
                        WindowHelpContext());
  return false;
}

void TConfigFormBase::LoadOldConfigFile(const std::string& fileName) {
  TDataFile file(fileName);
  SetValues(configdoc::ReadOldConfig(ConfigProgram(), file, Values()));
  FConfigFileName = fileName;
  SetLoadedCaption();
  ConfigChanged = false;
}

void TConfigFormBase::LoadConfigFile(const std::string& fileName) {
  if (fileName.empty() || !FileExists(fileName)) return;
  ConfigValues values = Values();
  configdoc::LoadConfigFromFile(ConfigProgram(), fileName, values);
  SetValues(values);
  FConfigFileName = fileName;
  SetLoadedCaption();
  if (frmMain) {
    frmMain->SetStatusPanelText(1, "Config: " + tavrel::ShownPath(ExtractFileName(fileName)));
    frmMain->FChanged = true;
  }
  ConfigChanged = false;
}

void TConfigFormBase::SetLoadedCaption() {
  setWindowTitle(toQString("Configuration file: " + tavrel::ShownPath(FConfigFileName)));
}

// --- Saving ---------------------------------------------------------------------

int TConfigFormBase::ConfigSaveHelpContext() const { return kHelpConfigSave; }

bool TConfigFormBase::AskSaveConfigChanges() {
  const auto answer = platform().messageDlg(
      "Do you want to save the changes in the configuration file \r\n" +
          tavrel::ShownPath(FConfigFileName) + "?",
      MsgType::Confirmation, tavrel::mbYes | tavrel::mbNo | tavrel::mbHelp, ConfigSaveHelpContext());
  if (answer != tavrel::ModalResult::Yes) return false;
  return SaveConfigFile();
}

bool TConfigFormBase::SaveConfigFile() {
  if (FConfigFileName.empty()) return SaveConfigFileAs();
  if (!WriteConfigFile()) return false;
  ConfigChanged = false;
  return true;
}

bool TConfigFormBase::SaveConfigFileAs() {
  SaveDialog1.fileName.clear();
  if (!platform().saveDialog(SaveDialog1)) return false;
  std::string name = SaveDialog1.fileName;
  if (name.find(".cfg") == std::string::npos) name += ".cfg";
  // Asked here, about the file really written (the dialog saw the name typed).
  if (!MayReplaceFile(name, WindowHelpContext())) return false;
  const std::string previous = FConfigFileName;
  FConfigFileName = name;
  if (!WriteConfigFile()) {
    FConfigFileName = previous;
    return false;
  }
  ConfigChanged = false;
  setWindowTitle(toQString("Configuration - " + tavrel::ShownPath(FConfigFileName)));
  return true;
}

// --- Handlers --------------------------------------------------------------------

void TConfigFormBase::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The window coming back after the desktop minimized it is no new showing:
  // the edits made so far stay marked, so OK still asks to save them.
  if (!event->spontaneous()) FormShow();
}

void TConfigFormBase::FormShow() {
  SetLoadedCaption();
  ConfigChanged = false;
}

void TConfigFormBase::btnLoadClick() {
  if (ConfigChanged && !AskSaveConfigChanges()) return;
  if (!platform().openDialog(OpenDialog1)) return;
  try {
    LoadConfigFile(OpenDialog1.fileName);
  } catch (const std::exception& e) {
    platform().showMessage(e.what());
  }
}

void TConfigFormBase::btnSaveClick() { SaveConfigFile(); }

void TConfigFormBase::btnSaveAsClick() { SaveConfigFileAs(); }

void TConfigFormBase::btnAcceptClick() {
  if (ConfigChanged && frmMain) frmMain->FChanged = true;
  if (!ConfigChanged || AskSaveConfigChanges()) {
    try {
      tavrel::TRegistry reg;
      if (reg.OpenKey(ConfigPathKey(ConfigProgram()), true)) reg.WriteString("ConfigFile", FConfigFileName);
      reg.CloseKey();
    } catch (const std::exception& e) {
      platform().showMessage(e.what());
    }
  }
  accept();
}

void TConfigFormBase::btnHelpClick() { platform().showHelp(WindowHelpContext()); }

IEditControl* TConfigFormBase::FocusedBoundEdit() const {
  return FocusedEdit(const_cast<TConfigFormBase*>(this));
}

void TConfigFormBase::mnuCutClick() {
  if (IEditControl* e = FocusedBoundEdit()) e->CutToClipboard();
}

void TConfigFormBase::mnuCopyClick() {
  if (IEditControl* e = FocusedBoundEdit()) e->CopyToClipboard();
}

void TConfigFormBase::mnuPasteClick() {
  if (IEditControl* e = FocusedBoundEdit()) e->PasteFromClipboard();
}

void TConfigFormBase::mnuSelectAllClick() {
  if (IEditControl* e = FocusedBoundEdit()) e->SelectAll();
}

void TConfigFormBase::mnuInsertClick() {
  IEditControl* e = FocusedBoundEdit();
  const bool pageText = e && e->Tag > 0;
  mnuPicture->setEnabled(pageText);
  mnuLink->setEnabled(pageText);
  mnuPicture->menuAction()->setEnabled(pageText);
  mnuLink->menuAction()->setEnabled(pageText);
}

void TConfigFormBase::ReplaceSelection(const std::string& text) {
  if (text.empty()) return;  // a cancelled choice keeps the selected text
  IEditControl* e = FocusedBoundEdit();
  if (e && e->Tag > 0) e->SetSelText(text);
}

void TConfigFormBase::AfterInsert() {
  if (frmMain) frmMain->dlgSaveWeb.initialDir = ExtractFilePath(frmMain->FFileName);
}

void TConfigFormBase::mnuInsertPicFromURLClick() {
  IEditControl* e = FocusedBoundEdit();
  if (!e || e->Tag <= 0) return;
  std::string tag;
  tavrel::GetWebPicTag(tag);
  ReplaceSelection(tag);
  AfterInsert();
}

void TConfigFormBase::mnuPicFromFileClick() {
  IEditControl* e = FocusedBoundEdit();
  if (!e || e->Tag <= 0) return;
  std::string tag;
  tavrel::GetPicInfo(true, DataFileName(), tag);
  ReplaceSelection(tag);
  AfterInsert();
}

void TConfigFormBase::mnuInsertLinkToURLClick() {
  IEditControl* e = FocusedBoundEdit();
  if (!e || e->Tag <= 0) return;
  if (!frmInsertLink) return;
  std::string link;
  frmInsertLink->ShowMe(false, DataFileName(), link, e->SelText());
  ReplaceSelection(link);
  AfterInsert();
}

void TConfigFormBase::mnuInsertLinkToFileClick() {
  IEditControl* e = FocusedBoundEdit();
  if (!e || e->Tag <= 0) return;
  if (!frmInsertLink) return;
  std::string link;
  frmInsertLink->ShowMe(true, DataFileName(), link, e->SelText());
  ReplaceSelection(link);
  AfterInsert();
}

void TConfigFormBase::GetLink(std::string& link) {
  link.clear();
  const std::string dataFile = DataFileName();
  if (!CheckRootDir(dataFile)) return;
  dlgOpenHTML.fileName.clear();
  if (!platform().openDialog(dlgOpenHTML)) return;
  RelativeWebPath(dataFile, dlgOpenHTML.fileName, link);
}

void TConfigFormBase::btnBrowseForNextExClick() {
  std::string link;
  GetLink(link);
  if (!link.empty()) SetControlText("editNextExURL", link);
}

void TConfigFormBase::btnBrowseForIndexClick() {
  std::string link;
  GetLink(link);
  if (!link.empty()) SetControlText("editContentsURL", link);
}

void TConfigFormBase::btnBrowseForBGGraphicClick() {
  const std::string dataFile = DataFileName();
  if (!CheckRootDir(dataFile)) return;
  std::string address;
  tavrel::GetPicInfo(false, dataFile, address);
  if (!address.empty()) SetControlText("editGraphicURL", address);
}

void TConfigFormBase::spdColoursClick() {
  try {
    ShellOpenFile(tavrel::programFolder() + "webcolours.htm");
  } catch (const ShellOpenError& e) {
    platform().showMessage(e.what());
  }
}

bool TConfigFormBase::FormKeyDown(const QKeyEvent* e) {
  // Ctrl+Alt keys are markup shortcuts for the focused box, consumed always.
  if (HandleMarkupKeyEvent(this, e)) return true;
  if (e->key() == Qt::Key_F1 && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    ShowHelpFor(QApplication::focusWidget());
    return true;
  }
  return false;
}

void TConfigFormBase::ShowHelpFor(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    const QVariant v = w->property("helpContext");
    if (v.isValid() && v.toInt() > 0) {
      platform().showHelp(v.toInt());
      return;
    }
    if (w == this) break;
  }
  platform().showHelp(WindowHelpContext());
}

bool TConfigFormBase::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    if (FormKeyDown(static_cast<QKeyEvent*>(event))) return true;
  }
  return QDialog::eventFilter(watched, event);
}


// --- Undo and Delete ------------------------------------------------------------

void TConfigFormBase::AddUndoAndDelete(int helpContext, bool withShortcuts) {
  mnuUndo = new QAction("&Undo", mnuEdit);
  mnuUndo->setObjectName("mnuUndo");
  mnuDelete = new QAction("&Delete", mnuEdit);
  mnuDelete->setObjectName("mnuDelete");
  if (withShortcuts) {
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
  }
  for (QAction* a : {mnuUndo, mnuDelete}) a->setProperty("helpContext", helpContext);
  mnuEdit->insertAction(mnuCut, mnuUndo);
  mnuEdit->insertSeparator(mnuCut);
  mnuEdit->insertAction(mnuSelectAll, mnuDelete);
  if (withShortcuts) mnuEdit->insertSeparator(mnuSelectAll);
  TMainFormBase::ConnectCommand(mnuUndo, [this] { mnuUndoClick(); });
  TMainFormBase::ConnectCommand(mnuDelete, [this] { mnuDeleteClick(); });
  connect(mnuEdit, &QMenu::aboutToShow, this, [this] { mnuEditClick(); });
}

void TConfigFormBase::mnuEditClick() {
  EnableEditMenuForBox({mnuUndo, mnuCut, mnuCopy, mnuPaste, mnuDelete, mnuSelectAll}, FocusedEdit(this));
}

void TConfigFormBase::mnuUndoClick() { RunEditCommand(FocusedEdit(this), EditCommand::Undo); }

void TConfigFormBase::mnuDeleteClick() { RunEditCommand(FocusedEdit(this), EditCommand::Delete); }
