#include "askery/forms/Config.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "shared/forms/PictureLibrary.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Registry.h"
#include "platform/qt/Widgets.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/forms/EditFunctions.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/TLFunctions.h"

namespace askery {

using tavrel::IEditControl;
using tavrel::MsgType;
using tavrel::platform;
using tavrel::TEdit;
using tavrel::TMemo;
using tavrel::toQString;

namespace {

constexpr configdoc::Program kProgram = configdoc::Program::Askery;

// Help contexts of the window's controls.
constexpr int kHelpWindow = 15000;
constexpr int kHelpScore = 13000;
constexpr int kHelpColours = 21600;
constexpr int kHelpSaveQuestion = 17000;

// Registry place of the configuration file's path.
const char* const kConfigPathKey = "Software\\Corvane\\Tavrel\\Askery\\Config\\FilePaths";
const char* const kConfigPathValue = "ConfigFile";

const char* const kConfigFilter = "Configuration files (*.cfg)|*.cfg";

std::string DataFileName() { return frmMain ? frmMain->FFileName : std::string(); }

// The link dialog's guard: refuses while the quiz has never been saved, and
// once per run asks to confirm the pages' folder.  Without the link dialog no
// relative path can be made.
bool CheckRootDir(const std::string& dataFileName) {
  return frmInsertLink && frmInsertLink->CheckRootDir(dataFileName);
}

QLabel* MakeLabel(const char* caption, QWidget* parent) {
  auto* label = new QLabel(toQString(caption), parent);
  return label;
}

}  // namespace

TfrmConfig::TfrmConfig(QWidget* parent) : TConfigFormBase(parent) {
  setObjectName("frmConfig");
  setWindowTitle("Configure output");
  setProperty("helpContext", kHelpWindow);
  setModal(true);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 4, 6, 6);
  BuildMenus();
  outer->setMenuBar(MainMenu1);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  // Six page tabs side by side across the fixed width, without scroll arrows.
  PageControl1->setUsesScrollButtons(false);
  PageControl1->setElideMode(Qt::ElideNone);
  {
    QFont tabFont = PageControl1->tabBar()->font();
    tabFont.setPointSizeF(tabFont.pointSizeF() * 0.85);
    PageControl1->tabBar()->setFont(tabFont);
  }
  outer->addWidget(PageControl1, 1);
  BuildPages();
  BuildButtons();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {btnLoad, btnSave, btnSaveAs, btnAccept, btnHelp}) buttons->addWidget(b);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  PageControl1->setCurrentIndex(0);

  OpenDialog1.filter = kConfigFilter;
  OpenDialog1.fileMustExist = true;
  SaveDialog1.filter = kConfigFilter;
  dlgOpenHTML.filter = "HTML files (*.htm, *.html)|*.htm;*.html";
  dlgOpenHTML.defaultExt = "htm";
  dlgOpenHTML.fileMustExist = true;

  // The window previews every key of its controls (markup shortcuts, F1).
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

  // A fixed dialog whose client area (below the menu bar) is 599 x 424.
  setFixedSize(599, 424 + MainMenu1->sizeHint().height());
  if (!frmConfig) frmConfig = this;
}

TfrmConfig::~TfrmConfig() = default;

// --- Construction -------------------------------------------------------------

void TfrmConfig::Bind(const char* name, IEditControl* edit, QWidget* widget, int helpContext,
                      int tag) {
  widget->setObjectName(name);
  widget->setProperty("helpContext", helpContext);
  edit->Tag = tag;
  edit->OnChange = [this] { mmoQuizTitleChange(); };
  edits_[name] = edit;
}

void TfrmConfig::Bind(const char* name, QCheckBox* check, int helpContext) {
  check->setObjectName(name);
  check->setProperty("helpContext", helpContext);
  // Every check box counts as an edit of the configuration.
  connect(check, &QCheckBox::toggled, this, [this] { mmoQuizTitleChange(); });
  checks_[name] = check;
}

void TfrmConfig::BuildPages() {
  auto newEdit = [](QWidget* page, int maxLength) {
    auto* e = new TEdit(page);
    e->SetMaxLength(maxLength);
    return e;
  };
  auto newCheck = [](const char* caption, QWidget* page) {
    return new QCheckBox(toQString(caption), page);
  };

  // 1. Titles/Instructions
  tabTitles = new QWidget(PageControl1);
  tabTitles->setProperty("helpContext", kHelpWindow);
  {
    auto* grid = new QVBoxLayout(tabTitles);
    auto addMemo = [&](const char* name, const char* caption, TMemo*& memo) {
      memo = new TMemo(tabTitles);
      Bind(name, memo, memo, kHelpWindow, 1);
      grid->addWidget(MakeLabel(caption, tabTitles));
      grid->addWidget(memo, 1);
    };
    addMemo("mmoQuizSubtitle", "Quiz subtitle:", mmoQuizSubtitle);
    addMemo("mmoWelcome", "Welcome text:", mmoWelcome);
    addMemo("mmoInstructions", "Instructions:", mmoInstructions);
  }
  PageControl1->addTab(tabTitles, "Titles/Instructions");

  // 2. Prompts/Feedback
  tabPrompts = new QWidget(PageControl1);
  tabPrompts->setProperty("helpContext", kHelpWindow);
  {
    auto* grid = new QGridLayout(tabPrompts);
    grid->setVerticalSpacing(4);
    int row = 0;
    auto addRow = [&](const char* name, const char* caption, TEdit*& edit, int maxLength,
                      int help) {
      edit = newEdit(tabPrompts, maxLength);
      Bind(name, edit, edit, help, 1);
      grid->addWidget(MakeLabel(caption, tabPrompts), row, 0);
      grid->addWidget(edit, row, 1);
      ++row;
    };
    addRow("editGuessCorrect", "Guess correct:", editGuessCorrect, 255, kHelpWindow);
    addRow("editGuessIncorrect", "Guess incorrect:", editGuessIncorrect, 255, kHelpWindow);
    addRow("editTheseAnswersToo", "These answers are also correct:", editTheseAnswersToo, 255,
           kHelpWindow);
    addRow("editThisMuch", "This much is correct:", editThisMuch, 255, kHelpWindow);
    addRow("editPleaseEnter", "Please enter a guess:", editPleaseEnter, 255, kHelpWindow);
    addRow("editTheseWords", "These words appear in the answer:", editTheseWords, 255,
           kHelpWindow);
    addRow("editNextCorrect", "Next correct letter added:", editNextCorrect, 255, kHelpWindow);
    addRow("editCorrectList", "List of acceptable answers:", editCorrectList, 255, kHelpWindow);
    addRow("editCorrectFirstTime", "Questions answered correctly first time:",
           editCorrectFirstTime, 240, kHelpScore);
    addRow("editYourScoreIs", "Your score is:", editYourScoreIs, 240, kHelpScore);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
  }
  PageControl1->addTab(tabPrompts, "Prompts/Feedback");

  // 3. Button Captions
  tabButtons = new QWidget(PageControl1);
  tabButtons->setProperty("helpContext", kHelpWindow);
  {
    auto* grid = new QGridLayout(tabButtons);
    grid->setVerticalSpacing(6);
    editCheck = newEdit(tabButtons, 255);
    Bind("editCheck", editCheck, editCheck, kHelpWindow, 0);
    grid->addWidget(MakeLabel("Caption for \"Check Answer\" button:", tabButtons), 0, 0);
    grid->addWidget(editCheck, 0, 2);
    int row = 1;
    auto addPair = [&](const char* checkName, const char* checkCaption, QCheckBox*& check,
                       const char* editName, TEdit*& edit) {
      check = newCheck(checkCaption, tabButtons);
      Bind(checkName, check, kHelpWindow);
      edit = newEdit(tabButtons, 255);
      Bind(editName, edit, edit, kHelpWindow, 0);
      grid->addWidget(check, row, 0);
      grid->addWidget(MakeLabel("Caption:", tabButtons), row, 1, Qt::AlignRight);
      grid->addWidget(edit, row, 2);
      ++row;
    };
    addPair("chkIncludeHint", "Include \"Hint\" button", chkIncludeHint, "editHint", editHint);
    addPair("chkIncludeShowAnswer", "Include \"Show Answer\" button", chkIncludeShowAnswer,
            "editShow", editShow);
    addPair("chkIncludeHelp", "Include \"Help\" button", chkIncludeHelp, "editHelp", editHelp);
    addPair("chkIncludeNextEx", "Include \"Next Exercise\" button", chkIncludeNextEx,
            "editNextEx", editNextEx);
    addPair("chkIncludeContents", "Include \"Go to Contents\" button", chkIncludeContents,
            "editContents", editContents);
    addPair("chkIncludeBack", "Include \"Back\" button", chkIncludeBack, "editBack", editBack);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }
  PageControl1->addTab(tabButtons, "Button Captions");

  // 4. Settings/URLs
  tabSettings = new QWidget(PageControl1);
  tabSettings->setProperty("helpContext", kHelpWindow);
  {
    auto* grid = new QGridLayout(tabSettings);
    grid->setVerticalSpacing(4);
    int row = 0;
    auto addUrl = [&](const char* name, const char* caption, TEdit*& edit, const char* btnName,
                      const char* hint, QPushButton*& button) {
      edit = newEdit(tabSettings, 255);
      Bind(name, edit, edit, kHelpWindow, 0);
      button = new QPushButton("&Browse...", tabSettings);
      button->setObjectName(btnName);
      button->setToolTip(toQString(hint));
      button->setProperty("helpContext", kHelpWindow);
      grid->addWidget(MakeLabel(caption, tabSettings), row, 0);
      grid->addWidget(edit, row, 1, 1, 2);
      grid->addWidget(button, row, 3);
      ++row;
    };
    addUrl("editGraphicURL", "Background graphic URL:", editGraphicURL, "btnBrowseForBGGraphic",
           "Browse for an external graphic file", btnBrowseForBGGraphic);
    addUrl("editNextExURL", "Next exercise URL:", editNextExURL, "btnBrowseForNextEx",
           "Browse for the next exercise file", btnBrowseForNextEx);
    addUrl("editContentsURL", "Contents page URL:", editContentsURL, "btnBrowseForIndex",
           "Browse for the contents page to link to", btnBrowseForIndex);
    connect(btnBrowseForBGGraphic, &QPushButton::clicked, this,
            [this] { btnBrowseForBGGraphicClick(); });
    connect(btnBrowseForNextEx, &QPushButton::clicked, this, [this] { btnBrowseForNextExClick(); });
    connect(btnBrowseForIndex, &QPushButton::clicked, this, [this] { btnBrowseForIndexClick(); });

    chkCaseSensitive = newCheck("Make answer-checking case-sensitive", tabSettings);
    Bind("chkCaseSensitive", chkCaseSensitive, kHelpWindow);
    grid->addWidget(chkCaseSensitive, row++, 0, 1, 4);
    chkContinuousScoring = newCheck("Show score after each correct answer", tabSettings);
    Bind("chkContinuousScoring", chkContinuousScoring, kHelpScore);
    grid->addWidget(chkContinuousScoring, row++, 0, 1, 4);

    const int firstColourRow = row;
    auto addColour = [&](const char* name, const char* caption, const char* hint, TEdit*& edit) {
      edit = newEdit(tabSettings, 255);
      Bind(name, edit, edit, kHelpColours, 0);
      edit->setToolTip(toQString(hint));
      edit->setMaximumWidth(110);
      grid->addWidget(MakeLabel(caption, tabSettings), row, 0);
      grid->addWidget(edit, row, 1);
      ++row;
    };
    addColour("editNavBarColor", "Navigation bar colour:",
              "HTML hex code for background colour of navigation bar", editNavBarColor);
    addColour("editPageBGColor", "Page background colour:",
              "HTML hex code for background colour of Web page", editPageBGColor);
    addColour("editTitleColor", "Title colour:", "HTML hex code for colour of Web page title",
              editTitleColor);
    addColour("editExBGColor", "Exercise background colour:",
              "HTML hex code for background colour of exercise", editExBGColor);
    addColour("editTextColor", "Text colour:", "HTML hex code for colour of Web page text",
              editTextColor);

    spdColours = new QToolButton(tabSettings);
    spdColours->setObjectName("spdColours");
    spdColours->setText("Colour chart...");
    spdColours->setToolTip("Show a chart of Web colours and their codes");
    spdColours->setProperty("helpContext", kHelpColours);
    connect(spdColours, &QToolButton::clicked, this, [this] { spdColoursClick(); });
    grid->addWidget(spdColours, firstColourRow, 2, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }
  PageControl1->addTab(tabSettings, "Settings/URLs");

  // 5. Reading
  tabReading = new QWidget(PageControl1);
  tabReading->setProperty("helpContext", kHelpScore);
  {
    auto* grid = new QGridLayout(tabReading);
    int row = 0;
    auto addRow = [&](const char* name, const char* caption, TEdit*& edit) {
      edit = newEdit(tabReading, 240);
      Bind(name, edit, edit, kHelpScore, 1);
      grid->addWidget(MakeLabel(caption, tabReading), row, 0);
      grid->addWidget(edit, row, 1);
      ++row;
    };
    addRow("editStartReading", "Caption for \"Start reading\" button:", editStartReading);
    addRow("editShowReadingAgain", "Caption for \"Show reading text again\" button:",
           editShowReadingAgain);
    addRow("editRemainingTime", "Time remaining:", editRemainingTime);
    addRow("editTimesUp", "Your time is over:", editTimesUp);
    addRow("editClickToShow", "Click on the button to show the reading:", editClickToShow);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
  }
  PageControl1->addTab(tabReading, "Reading");

  // 6. DHTML
  tabDHTML = new QWidget(PageControl1);
  tabDHTML->setProperty("helpContext", kHelpScore);
  {
    auto* grid = new QGridLayout(tabDHTML);
    editOKCaption = newEdit(tabDHTML, 240);
    Bind("editOKCaption", editOKCaption, editOKCaption, kHelpScore, 0);
    grid->addWidget(MakeLabel("\"OK\" button caption:", tabDHTML), 0, 0);
    grid->addWidget(editOKCaption, 0, 1);
    editPopupBGColor = newEdit(tabDHTML, 255);
    Bind("editPopupBGColor", editPopupBGColor, editPopupBGColor, kHelpColours, 0);
    editPopupBGColor->setToolTip("HTML hex code for background colour of Web page");
    editPopupBGColor->setMaximumWidth(110);
    grid->addWidget(MakeLabel("Popup message background colour:", tabDHTML), 1, 0);
    grid->addWidget(editPopupBGColor, 1, 1, Qt::AlignLeft);
    chkShuffleQs = newCheck("Shuffle order of questions each time page loads", tabDHTML);
    Bind("chkShuffleQs", chkShuffleQs, kHelpScore);
    grid->addWidget(chkShuffleQs, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
  }
  PageControl1->addTab(tabDHTML, "DHTML");

  // The window's initial values.
  SetValues(configdoc::Defaults(kProgram));
  ConfigChanged = false;
}

void TfrmConfig::BuildButtons() {
  auto make = [this](const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(toQString(caption), this);
    b->setObjectName(name);
    b->setToolTip(toQString(hint));
    b->setProperty("helpContext", kHelpWindow);
    b->setAutoDefault(false);
    return b;
  };
  btnLoad = make("btnLoad", "&Load", "Load a different configuration file");
  btnSave = make("btnSave", "&Save", "Save this configuration file");
  btnSaveAs = make("btnSaveAs", "Save &As", "Save this configuration with a different name");
  btnAccept = make("btnAccept", "&OK", "Accept this configuration and go back to the quiz");
  btnAccept->setDefault(true);
  btnHelp = make("btnHelp", "&Help", "Show the help file");
  connect(btnLoad, &QPushButton::clicked, this, [this] { btnLoadClick(); });
  connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
  connect(btnSaveAs, &QPushButton::clicked, this, [this] { btnSaveAsClick(); });
  connect(btnAccept, &QPushButton::clicked, this, [this] { btnAcceptClick(); });
  connect(btnHelp, &QPushButton::clicked, this, [this] { btnHelpClick(); });
}

void TfrmConfig::BuildMenus() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName("MainMenu1");
  MainMenu1->setNativeMenuBar(false);

  mnuEdit = MainMenu1->addMenu("&Edit");
  mnuEdit->setObjectName("mnuEdit");
  auto addEdit = [this](const char* name, const char* caption, QKeySequence keys) {
    QAction* a = mnuEdit->addAction(toQString(caption));
    a->setObjectName(name);
    a->setShortcut(keys);
    a->setProperty("helpContext", kHelpWindow);
    return a;
  };
  mnuCut = addEdit("mnuCut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
  mnuCopy = addEdit("mnuCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
  mnuPaste = addEdit("mnuPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
  mnuSelectAll = addEdit("mnuSelectAll", "Se&lect All", QKeySequence(Qt::CTRL | Qt::Key_A));
  connect(mnuCut, &QAction::triggered, this, [this] { mnuCutClick(); });
  connect(mnuCopy, &QAction::triggered, this, [this] { mnuCopyClick(); });
  connect(mnuPaste, &QAction::triggered, this, [this] { mnuPasteClick(); });
  connect(mnuSelectAll, &QAction::triggered, this, [this] { mnuSelectAllClick(); });

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
  connect(mnuInsertPicFromURL, &QAction::triggered, this, [this] { mnuInsertPicFromURLClick(); });
  connect(mnuPicFromFile, &QAction::triggered, this, [this] { mnuPicFromFileClick(); });
  connect(mnuInsertLinkToURL, &QAction::triggered, this, [this] { mnuInsertLinkToURLClick(); });
  connect(mnuInsertLinkToFile, &QAction::triggered, this, [this] { mnuInsertLinkToFileClick(); });
}

// --- Values -------------------------------------------------------------------

std::string TfrmConfig::ControlText(const std::string& name) const {
  auto it = edits_.find(name);
  return it == edits_.end() ? std::string() : it->second->Text();
}

bool TfrmConfig::ControlChecked(const std::string& name) const {
  auto it = checks_.find(name);
  return it != checks_.end() && it->second->isChecked();
}

bool TfrmConfig::SetControlText(const std::string& name, const std::string& text) {
  auto it = edits_.find(name);
  if (it == edits_.end()) return false;
  it->second->SetText(text);
  return true;
}

bool TfrmConfig::SetControlChecked(const std::string& name, bool checked) {
  auto it = checks_.find(name);
  if (it == checks_.end()) return false;
  it->second->setChecked(checked);
  return true;
}

ConfigValues TfrmConfig::Values() const {
  ConfigValues v;
  for (const auto& [name, edit] : edits_) v.text[name] = edit->Text();
  for (const auto& [name, check] : checks_) v.checked[name] = check->isChecked();
  return v;
}

void TfrmConfig::SetValues(const ConfigValues& values) {
  for (const auto& [name, text] : values.text) SetControlText(name, text);
  for (const auto& [name, checked] : values.checked) SetControlChecked(name, checked);
}

// --- The configuration document ---------------------------------------------------

void TfrmConfig::ReadConfigXML(const std::string& doc) {
  SetValues(configdoc::ReadConfigXML(kProgram, doc, Values()));
}

void TfrmConfig::MakeConfigXML(std::string& xml) const {
  xml = configdoc::MakeConfigXML(kProgram, Values());
}

bool TfrmConfig::WriteConfigFile() {
  return configdoc::SaveConfigToFile(kProgram, FConfigFileName, Values(), GetMajorVersion());
}

void TfrmConfig::LoadOldConfigFile(const std::string& fileName) {
  TDataFile file(fileName);
  SetValues(configdoc::ReadOldConfig(kProgram, file, Values()));
  FConfigFileName = fileName;
  SetLoadedCaption();
  ConfigChanged = false;
}

void TfrmConfig::LoadConfigFile(const std::string& fileName) {
  if (fileName.empty() || !FileExists(fileName)) return;
  ConfigValues values = Values();
  configdoc::LoadConfigFromFile(kProgram, fileName, values);
  SetValues(values);
  FConfigFileName = fileName;
  SetLoadedCaption();
  if (frmMain) {
    frmMain->SetStatusPanelText(1, "Config: " + ExtractFileName(fileName));
    frmMain->FChanged = true;
  }
  ConfigChanged = false;
}

void TfrmConfig::SetLoadedCaption() {
  setWindowTitle(toQString("Configuration file: " + FConfigFileName));
}

// --- Saving ---------------------------------------------------------------------

bool TfrmConfig::AskSaveConfigChanges() {
  const auto answer = platform().messageDlg(
      "Do you want to save the changes in the configuration file \r\n" + FConfigFileName + "?",
      MsgType::Confirmation, tavrel::mbYes | tavrel::mbNo | tavrel::mbHelp, kHelpSaveQuestion);
  if (answer != tavrel::ModalResult::Yes) return false;
  return SaveConfigFile();
}

bool TfrmConfig::SaveConfigFile() {
  if (FConfigFileName.empty()) return SaveConfigFileAs();
  if (!WriteConfigFile()) {
    platform().messageDlg("Unable to save file: " + FConfigFileName, MsgType::Warning,
                          tavrel::mbOK, kHelpWindow);
    return false;
  }
  ConfigChanged = false;
  return true;
}

bool TfrmConfig::SaveConfigFileAs() {
  SaveDialog1.fileName.clear();
  if (!platform().saveDialog(SaveDialog1)) return false;
  std::string name = SaveDialog1.fileName;
  if (name.find(".cfg") == std::string::npos) name += ".cfg";
  const std::string previous = FConfigFileName;
  FConfigFileName = name;
  if (!WriteConfigFile()) {
    FConfigFileName = previous;
    platform().messageDlg("Unable to save file: " + name, MsgType::Warning, tavrel::mbOK,
                          kHelpWindow);
    return false;
  }
  ConfigChanged = false;
  setWindowTitle(toQString("Configuration - " + FConfigFileName));
  return true;
}

// --- Handlers --------------------------------------------------------------------

void TfrmConfig::showEvent(QShowEvent* event) {
  TConfigFormBase::showEvent(event);
  // The window coming back after the desktop minimized it is no new showing:
  // the edits made so far stay marked, so OK still asks to save them.
  if (!event->spontaneous()) FormShow();
}

void TfrmConfig::FormShow() {
  SetLoadedCaption();
  ConfigChanged = false;
}

void TfrmConfig::mmoQuizTitleChange() { ConfigChanged = true; }

void TfrmConfig::btnLoadClick() {
  if (ConfigChanged && !AskSaveConfigChanges()) return;
  if (!platform().openDialog(OpenDialog1)) return;
  try {
    LoadConfigFile(OpenDialog1.fileName);
  } catch (const std::exception& e) {
    platform().showMessage(e.what());
  }
}

void TfrmConfig::btnSaveClick() { SaveConfigFile(); }

void TfrmConfig::btnSaveAsClick() { SaveConfigFileAs(); }

void TfrmConfig::btnAcceptClick() {
  if (ConfigChanged && frmMain) frmMain->FChanged = true;
  if (!ConfigChanged || AskSaveConfigChanges()) {
    try {
      tavrel::TRegistry reg;
      if (reg.OpenKey(kConfigPathKey, true)) reg.WriteString(kConfigPathValue, FConfigFileName);
      reg.CloseKey();
    } catch (const std::exception& e) {
      platform().showMessage(e.what());
    }
  }
  accept();
}

void TfrmConfig::btnHelpClick() { platform().showHelp(kHelpWindow); }

IEditControl* TfrmConfig::FocusedEdit() const {
  return tavrel::AsEditControl(tavrel::FocusedControl(const_cast<TfrmConfig*>(this)));
}

void TfrmConfig::mnuCutClick() {
  if (IEditControl* e = FocusedEdit()) e->CutToClipboard();
}

void TfrmConfig::mnuCopyClick() {
  if (IEditControl* e = FocusedEdit()) e->CopyToClipboard();
}

void TfrmConfig::mnuPasteClick() {
  if (IEditControl* e = FocusedEdit()) e->PasteFromClipboard();
}

void TfrmConfig::mnuSelectAllClick() {
  if (IEditControl* e = FocusedEdit()) e->SelectAll();
}

void TfrmConfig::mnuInsertClick() {
  IEditControl* e = FocusedEdit();
  const bool pageText = e && e->Tag > 0;
  mnuPicture->setEnabled(pageText);
  mnuLink->setEnabled(pageText);
  mnuPicture->menuAction()->setEnabled(pageText);
  mnuLink->menuAction()->setEnabled(pageText);
}

void TfrmConfig::ReplaceSelection(const std::string& text) {
  IEditControl* e = FocusedEdit();
  if (e && e->Tag > 0) e->SetSelText(text);
}

void TfrmConfig::AfterInsert() {
  if (frmMain) frmMain->dlgSaveWeb.initialDir = ExtractFilePath(frmMain->FFileName);
}

void TfrmConfig::mnuInsertPicFromURLClick() {
  IEditControl* e = FocusedEdit();
  if (!e || e->Tag <= 0) return;
  std::string tag;
  tavrel::GetWebPicTag(tag);
  ReplaceSelection(tag);
  AfterInsert();
}

void TfrmConfig::mnuPicFromFileClick() {
  IEditControl* e = FocusedEdit();
  if (!e || e->Tag <= 0) return;
  std::string tag;
  tavrel::GetPicInfo(true, DataFileName(), tag);
  ReplaceSelection(tag);
  AfterInsert();
}

void TfrmConfig::mnuInsertLinkToURLClick() {
  IEditControl* e = FocusedEdit();
  if (!e || e->Tag <= 0) return;
  if (!frmInsertLink) return;
  std::string link;
  frmInsertLink->ShowMe(false, DataFileName(), link, e->SelText());
  ReplaceSelection(link);
  AfterInsert();
}

void TfrmConfig::mnuInsertLinkToFileClick() {
  IEditControl* e = FocusedEdit();
  if (!e || e->Tag <= 0) return;
  if (!frmInsertLink) return;
  std::string link;
  frmInsertLink->ShowMe(true, DataFileName(), link, e->SelText());
  ReplaceSelection(link);
  AfterInsert();
}

void TfrmConfig::GetLink(std::string& link) {
  link.clear();
  const std::string dataFile = DataFileName();
  if (!CheckRootDir(dataFile)) return;
  dlgOpenHTML.fileName.clear();
  if (!platform().openDialog(dlgOpenHTML)) return;
  RelativeWebPath(dataFile, dlgOpenHTML.fileName, link);
}

void TfrmConfig::btnBrowseForNextExClick() {
  std::string link;
  GetLink(link);
  if (!link.empty()) editNextExURL->SetText(link);
}

void TfrmConfig::btnBrowseForIndexClick() {
  std::string link;
  GetLink(link);
  if (!link.empty()) editContentsURL->SetText(link);
}

void TfrmConfig::btnBrowseForBGGraphicClick() {
  const std::string dataFile = DataFileName();
  if (!CheckRootDir(dataFile)) return;
  std::string address;
  tavrel::GetPicInfo(false, dataFile, address);
  if (!address.empty()) editGraphicURL->SetText(address);
}

void TfrmConfig::spdColoursClick() {
  try {
    ShellOpenFile(tavrel::programFolder() + "webcolours.htm");
  } catch (const ShellOpenError& e) {
    platform().showMessage(e.what());
  }
}

bool TfrmConfig::FormKeyDown(const QKeyEvent* e) {
  // Ctrl+Alt keys are markup shortcuts for the focused box, consumed always.
  if (HandleMarkupKeyEvent(this, e)) return true;
  if (e->key() == Qt::Key_F1 && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    ShowHelpFor(QApplication::focusWidget());
    return true;
  }
  return false;
}

void TfrmConfig::ShowHelpFor(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    const QVariant v = w->property("helpContext");
    if (v.isValid() && v.toInt() > 0) {
      platform().showHelp(v.toInt());
      return;
    }
    if (w == this) break;
  }
  platform().showHelp(kHelpWindow);
}

bool TfrmConfig::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    if (FormKeyDown(static_cast<QKeyEvent*>(event))) return true;
  }
  return TConfigFormBase::eventFilter(watched, event);
}

}  // namespace askery
