#include "pairo/forms/Config.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QGuiApplication>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"
#include "shared/forms/EditMenu.h"
#include "shared/forms/MainFormBase.h"

namespace pairo {

using tavrel::TEdit;
using tavrel::TMemo;
using tavrel::toQString;

namespace {

constexpr int kHelpWindow = kHelpPairoConfig;
constexpr int kHelpPages = kHelpPairoConfigPages;

QLabel* MakeLabel(const char* caption, QWidget* parent) { return new QLabel(toQString(caption), parent); }

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

  // The Edit menu of this window also has Undo and Delete.
  mnuUndo = new QAction("&Undo", mnuEdit);
  mnuUndo->setObjectName("mnuUndo");
  mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnuDelete = new QAction("&Delete", mnuEdit);
  mnuDelete->setObjectName("mnuDelete");
  mnuDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
  for (QAction* a : {mnuUndo, mnuDelete}) a->setProperty("helpContext", kHelpWindow);
  mnuEdit->insertAction(mnuCut, mnuUndo);
  mnuEdit->insertSeparator(mnuCut);
  mnuEdit->insertAction(mnuSelectAll, mnuDelete);
  mnuEdit->insertSeparator(mnuSelectAll);
  connect(mnuUndo, &QAction::triggered, this, [this] { mnuUndoClick(); });
  connect(mnuDelete, &QAction::triggered, this, [this] { mnuDeleteClick(); });
  connect(mnuEdit, &QMenu::aboutToShow, this, [this] { mnuEditClick(); });

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->setUsesScrollButtons(false);
  PageControl1->setElideMode(Qt::ElideNone);
  outer->addWidget(PageControl1, 1);
  BuildPages();
  BuildButtons("Accept this configuration and go back to the quiz");
  // OK is this window's own: see btnOKClick.
  btnAccept->setObjectName("btnOK");
  disconnect(btnAccept, &QPushButton::clicked, this, nullptr);
  connect(btnAccept, &QPushButton::clicked, this, [this] { btnOKClick(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {btnLoad, btnSave, btnSaveAs, btnAccept, btnHelp}) buttons->addWidget(b);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  PageControl1->setCurrentIndex(0);

  // Client area (below the menu bar) 599 x 417, resizable.
  resize(599, 417 + MainMenu1->sizeHint().height());
  FinishCreation();
  OpenDialog1.helpContext = kHelpConfigFile;
  SaveDialog1.helpContext = kHelpConfigFile;
  mnuPicFromFile->setObjectName("mnuInsertPicFromFile");
}

void TfrmConfig::showEvent(QShowEvent* event) {
  // Centred on the screen of the main window.
  if (!event->spontaneous()) {
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) move(screen->availableGeometry().center() - rect().center());
    // Long texts show their beginning.
    for (TEdit* e : findChildren<TEdit*>()) e->setCursorPosition(0);
  }
  TConfigFormBase::showEvent(event);
}

TfrmConfig::~TfrmConfig() = default;

int TfrmConfig::WindowHelpContext() const { return kHelpWindow; }

int TfrmConfig::ConfigSaveHelpContext() const { return kHelpPages; }

void TfrmConfig::BuildPages() {
  auto newEdit = [](QWidget* page, int maxLength) {
    auto* e = new TEdit(page);
    e->SetMaxLength(maxLength);
    return e;
  };

  // 1. Titles/Instructions
  tabTitles = new QWidget(PageControl1);
  tabTitles->setProperty("helpContext", kHelpWindow);
  {
    auto* box = new QVBoxLayout(tabTitles);
    auto addMemo = [&](const char* name, const char* caption, const char* hint, TMemo*& memo) {
      memo = new TMemo(tabTitles);
      Bind(name, memo, memo, kHelpWindow, 1);
      memo->setToolTip(toQString(hint));
      box->addWidget(MakeLabel(caption, tabTitles));
      box->addWidget(memo, 1);
    };
    addMemo("mmoExerciseSubtitle", "Exercise subtitle:",
            "Enter or change the exercise subtitle (optional)", mmoExerciseSubtitle);
    addMemo("mmoInstructions", "Instructions:",
            "Enter or change instructions for doing the exercise", mmoInstructions);
  }
  PageControl1->addTab(tabTitles, "Titles/Instructions");

  // 2. Prompts/Feedback/Button Captions
  tabPrompts = new QWidget(PageControl1);
  tabPrompts->setProperty("helpContext", kHelpPages);
  {
    auto* grid = new QGridLayout(tabPrompts);
    grid->setVerticalSpacing(6);
    int row = 0;
    auto addRow = [&](const char* name, const char* caption, TEdit*& edit, int maxLength, int tag,
                      const char* hint) {
      edit = newEdit(tabPrompts, maxLength);
      Bind(name, edit, edit, kHelpWindow, tag);
      if (hint) edit->setToolTip(toQString(hint));
      grid->addWidget(MakeLabel(caption, tabPrompts), row, 0, 1, 2);
      grid->addWidget(edit, row, 2);
      ++row;
    };
    addRow("editYourScoreIs", "Your score is:", editYourScoreIs, 255, 1, nullptr);
    addRow("editCorrectIndicator", "\"Correct\" indicator:", editCorrectIndicator, 3, 0,
           "Enter or change the message displayed when the answer is correct");
    addRow("editIncorrectIndicator", "\"Incorrect\" indicator:", editIncorrectIndicator, 3, 0,
           "Enter or change the message displayed when the answer is incorrect");
    editCorrectIndicator->setMaximumWidth(60);
    editIncorrectIndicator->setMaximumWidth(60);
    addRow("editCheck", "Caption for \"Check Answer\" button:", editCheck, 255, 0, nullptr);
    auto addPair = [&](const char* checkName, const char* checkCaption, QCheckBox*& check,
                       const char* editName, TEdit*& edit) {
      check = new QCheckBox(toQString(checkCaption), tabPrompts);
      Bind(checkName, check, kHelpWindow);
      edit = newEdit(tabPrompts, 255);
      Bind(editName, edit, edit, kHelpWindow, 0);
      grid->addWidget(check, row, 0);
      grid->addWidget(MakeLabel("Caption:", tabPrompts), row, 1, Qt::AlignRight);
      grid->addWidget(edit, row, 2);
      ++row;
    };
    addPair("chkIncludeNextEx", "Include \"Next Exercise\" button", chkIncludeNextEx, "editNextEx",
            editNextEx);
    addPair("chkIncludeContents", "Include \"Go to Contents\" button", chkIncludeContents,
            "editContents", editContents);
    addPair("chkIncludeBack", "Include \"Back\" button", chkIncludeBack, "editBack", editBack);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }
  PageControl1->addTab(tabPrompts, "Prompts/Feedback/Button Captions");

  // 3. Settings/URLs
  tabSettings = new QWidget(PageControl1);
  tabSettings->setProperty("helpContext", kHelpPages);
  {
    auto* grid = new QGridLayout(tabSettings);
    grid->setVerticalSpacing(4);
    int row = 0;
    auto addUrl = [&](const char* name, const char* caption, const char* editHint, TEdit*& edit,
                      const char* btnName, const char* hint, QPushButton*& button) {
      edit = newEdit(tabSettings, 255);
      Bind(name, edit, edit, kHelpWindow, 0);
      edit->setToolTip(toQString(editHint));
      button = new QPushButton("&Browse...", tabSettings);
      button->setObjectName(btnName);
      button->setToolTip(toQString(hint));
      button->setProperty("helpContext", kHelpWindow);
      grid->addWidget(MakeLabel(caption, tabSettings), row, 0);
      grid->addWidget(edit, row, 1, 1, 2);
      grid->addWidget(button, row, 3);
      ++row;
    };
    addUrl("editGraphicURL", "Background graphic URL:",
           "URL of a graphic to be used as a background for the page", editGraphicURL,
           "btnBrowseForBGGraphic", "Browse for an external graphic file", btnBrowseForBGGraphic);
    addUrl("editNextExURL", "Next exercise URL:", "URL of the next exercise in a sequence",
           editNextExURL, "btnBrowseForNextEx", "Browse for the next exercise file",
           btnBrowseForNextEx);
    addUrl("editContentsURL", "Contents page URL:",
           "URL of an index or home page for a sequence of exercises", editContentsURL,
           "btnBrowseForIndex", "Browse for the contents page to link to", btnBrowseForIndex);
    connect(btnBrowseForBGGraphic, &QPushButton::clicked, this,
            [this] { btnBrowseForBGGraphicClick(); });
    connect(btnBrowseForNextEx, &QPushButton::clicked, this, [this] { btnBrowseForNextExClick(); });
    connect(btnBrowseForIndex, &QPushButton::clicked, this, [this] { btnBrowseForIndexClick(); });

    const int firstColourRow = row;
    auto addColour = [&](const char* name, const char* caption, const char* hint, TEdit*& edit) {
      edit = newEdit(tabSettings, 255);
      Bind(name, edit, edit, kHelpWindow, 0);
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

  // 4. Reading
  tabReading = new QWidget(PageControl1);
  tabReading->setProperty("helpContext", kHelpScoring);
  {
    auto* grid = new QGridLayout(tabReading);
    int row = 0;
    auto addRow = [&](const char* name, const char* caption, TEdit*& edit) {
      edit = newEdit(tabReading, 240);
      Bind(name, edit, edit, kHelpScoring, 1);
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

  // 5. DHTML
  tabDHTML = new QWidget(PageControl1);
  tabDHTML->setProperty("helpContext", kHelpScoring);
  {
    auto* grid = new QGridLayout(tabDHTML);
    editOKCaption = newEdit(tabDHTML, 240);
    Bind("editOKCaption", editOKCaption, editOKCaption, kHelpScoring, 0);
    grid->addWidget(MakeLabel("\"OK\" button caption:", tabDHTML), 0, 0);
    grid->addWidget(editOKCaption, 0, 1);
    editPopupBGColor = newEdit(tabDHTML, 255);
    Bind("editPopupBGColor", editPopupBGColor, editPopupBGColor, kHelpWindow, 0);
    editPopupBGColor->setMaximumWidth(110);
    grid->addWidget(MakeLabel("Popup message background colour:", tabDHTML), 1, 0);
    grid->addWidget(editPopupBGColor, 1, 1, Qt::AlignLeft);
    editGuessCorrect = newEdit(tabDHTML, 255);
    Bind("editGuessCorrect", editGuessCorrect, editGuessCorrect, kHelpAskeryConfig, 1);
    grid->addWidget(MakeLabel("Guess correct:", tabDHTML), 2, 0);
    grid->addWidget(editGuessCorrect, 2, 1);
    editGuessIncorrect = newEdit(tabDHTML, 255);
    Bind("editGuessIncorrect", editGuessIncorrect, editGuessIncorrect, kHelpAskeryConfig, 1);
    grid->addWidget(MakeLabel("Guess incorrect:", tabDHTML), 3, 0);
    grid->addWidget(editGuessIncorrect, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
  }
  PageControl1->addTab(tabDHTML, "DHTML");

  // The next exercise's address travels with the data file (opening one
  // always restores it), so changing it changes the exercise too.
  editNextExURL->OnChange = [this] {
    ConfigEdited();
    if (frmMain) frmMain->FChanged = true;
  };

  // The window's initial values.
  SetValues(configdoc::Defaults(ConfigProgram()));
  ConfigChanged = false;
}

void TfrmConfig::btnOKClick() {
  const bool reloadTicked = frmMain && frmMain->mnuReloadConfig && frmMain->mnuReloadConfig->isChecked();
  const bool exerciseChanged = frmMain && frmMain->FChanged;
  btnAcceptClick();
  // Without the reload option the configuration is not the exercise's.
  if (frmMain && !reloadTicked) frmMain->FChanged = exerciseChanged;
  if (frmMain) frmMain->SetStatusPanelText(1, "Config: " + ExtractFileName(FConfigFileName));
}

void TfrmConfig::mnuEditClick() {
  tavrel::IEditControl* e = FocusedEdit(this);
  const bool sel = e && e->HasSelection();
  mnuUndo->setEnabled(e != nullptr);
  mnuPaste->setEnabled(e != nullptr);
  mnuSelectAll->setEnabled(e != nullptr);
  mnuCut->setEnabled(sel);
  mnuCopy->setEnabled(sel);
  mnuDelete->setEnabled(sel);
}

void TfrmConfig::mnuUndoClick() { RunEditCommand(FocusedEdit(this), EditCommand::Undo); }

void TfrmConfig::mnuDeleteClick() { RunEditCommand(FocusedEdit(this), EditCommand::Delete); }

}  // namespace pairo
