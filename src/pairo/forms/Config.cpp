#include "pairo/forms/Config.h"

#include "platform/core/TextCodec.h"

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
  BuildWindow(kHelpWindow, "Accept this configuration and go back to the quiz", [this] { BuildPages(); });

  // The Edit menu of this window also has Undo and Delete.
  AddUndoAndDelete(kHelpWindow, true);

  // OK is this window's own: see btnOKClick.
  btnAccept->setObjectName("btnOK");
  disconnect(btnAccept, &QPushButton::clicked, nullptr, nullptr);
  TMainFormBase::ConnectCommand(btnAccept, [this] { btnOKClick(); });

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
  tabTitles = AddPage("Titles/Instructions", kHelpWindow);
  AddMemoRows(tabTitles, kHelpWindow,
              {
                  {"mmoExerciseSubtitle", "Exercise subtitle:", &mmoExerciseSubtitle,
                   "Enter or change the exercise subtitle (optional)"},
                  {"mmoInstructions", "Instructions:", &mmoInstructions,
                   "Enter or change instructions for doing the exercise"},
              });

  tabPrompts = AddPage("Prompts/Feedback/Button Captions", kHelpPages);
  {
    auto* grid = new QGridLayout(tabPrompts);
    grid->setVerticalSpacing(6);
    int row = 0;
    AddEditRows(grid, row,
                {
                    {"editYourScoreIs", "Your score is:", &editYourScoreIs, 255, kHelpWindow, 1},
                    {"editCorrectIndicator", "\"Correct\" indicator:", &editCorrectIndicator, 3, kHelpWindow, 0,
                     "Enter or change the message displayed when the answer is correct"},
                    {"editIncorrectIndicator", "\"Incorrect\" indicator:", &editIncorrectIndicator, 3,
                     kHelpWindow, 0, "Enter or change the message displayed when the answer is incorrect"},
                    {"editCheck", "Caption for \"Check Answer\" button:", &editCheck, 255, kHelpWindow, 0},
                },
                2, 2);
    editCorrectIndicator->setMaximumWidth(60);
    editIncorrectIndicator->setMaximumWidth(60);
    AddButtonRows(
        grid, row, kHelpWindow,
        {
            {"chkIncludeNextEx", "Include \"Next Exercise\" button", &chkIncludeNextEx, "editNextEx", &editNextEx},
            {"chkIncludeContents", "Include \"Go to Contents\" button", &chkIncludeContents, "editContents",
             &editContents},
            {"chkIncludeBack", "Include \"Back\" button", &chkIncludeBack, "editBack", &editBack},
        });
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }

  tabSettings = AddPage("Settings/URLs", kHelpPages);
  {
    auto* grid = new QGridLayout(tabSettings);
    grid->setVerticalSpacing(4);
    int row = 0;
    static const std::array<const char*, 3> kUrlHints = {
        "URL of a graphic to be used as a background for the page", "URL of the next exercise in a sequence",
        "URL of an index or home page for a sequence of exercises"};
    AddBrowseRows(grid, row, kHelpWindow, &kUrlHints);
    AddColourRows(grid, row, kHelpWindow);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }

  tabReading = AddReadingPage();

  tabDHTML = AddPage("DHTML", kHelpScoring);
  {
    auto* grid = new QGridLayout(tabDHTML);
    editOKCaption = NewEdit(tabDHTML, 240);
    Bind("editOKCaption", editOKCaption, editOKCaption, kHelpScoring, 0);
    grid->addWidget(MakeLabel("\"OK\" button caption:", tabDHTML), 0, 0);
    grid->addWidget(editOKCaption, 0, 1);
    editPopupBGColor = NewEdit(tabDHTML, 255);
    Bind("editPopupBGColor", editPopupBGColor, editPopupBGColor, kHelpWindow, 0);
    editPopupBGColor->setMaximumWidth(110);
    grid->addWidget(MakeLabel("Popup message background colour:", tabDHTML), 1, 0);
    grid->addWidget(editPopupBGColor, 1, 1, Qt::AlignLeft);
    int row = 2;
    AddEditRows(grid, row,
                {
                    {"editGuessCorrect", "Guess correct:", &editGuessCorrect, 255, kHelpAskeryConfig, 1},
                    {"editGuessIncorrect", "Guess incorrect:", &editGuessIncorrect, 255, kHelpAskeryConfig, 1},
                });
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
  }

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
  if (frmMain)
    frmMain->SetStatusPanelText(1, "Config: " + tavrel::ShownPath(ExtractFileName(FConfigFileName)));
}

}  // namespace pairo
