#include "gridel/forms/Config.h"

#include "platform/core/TextCodec.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
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

namespace gridel {

using tavrel::TEdit;
using tavrel::TMemo;
using tavrel::toQString;

namespace {

constexpr int kHelpWindow = kHelpGridelConfig;

QLabel* MakeLabel(const char* caption, QWidget* parent) { return new QLabel(toQString(caption), parent); }

}  // namespace

TfrmConfig::TfrmConfig(QWidget* parent) : TConfigFormBase(parent) {
  BuildWindow(kHelpWindow, "Accept this configuration and go back to the crossword", [this] { BuildPages(); });
  // The crossword's window has Undo and Delete in its Edit menu too.
  AddUndoAndDelete(kHelpWindow, false);
  disconnect(btnAccept, &QPushButton::clicked, nullptr, nullptr);
  TMainFormBase::ConnectCommand(btnAccept, [this] { btnOKClick(); });
  setFixedSize(599, 424 + MainMenu1->sizeHint().height());
  FinishCreation();
}

TfrmConfig::~TfrmConfig() = default;

int TfrmConfig::WindowHelpContext() const { return kHelpWindow; }
int TfrmConfig::ConfigSaveHelpContext() const { return kHelpWindow; }

void TfrmConfig::btnOKClick() {
  btnAcceptClick();
  if (frmMain)
    frmMain->SetStatusPanelText(1, "Config: " + tavrel::ShownPath(ExtractFileName(FConfigFileName)));
}

void TfrmConfig::BuildPages() {
  AddMemoRows(AddPage("Titles/Instructions", kHelpWindow), kHelpWindow,
              {
                  {"mmoSubtitle", "Exercise subtitle:", &mmoSubtitle},
                  {"mmoWelcome", "Welcome text:", &mmoWelcome},
                  {"mmoInstructions", "Instructions:", &mmoInstructions},
              });

  {
    auto* grid = new QGridLayout(AddPage("Prompts/Feedback", kHelpWindow));
    int row = 0;
    AddEditRows(grid, row,
                {
                    {"editCluesAcross", "Clues across:", &editCluesAcross, 255, kHelpWindow, 1},
                    {"editCluesDown", "Clues down:", &editCluesDown, 255, kHelpWindow, 1},
                    {"editCorrect", "Correct:", &editCorrect, 255, kHelpWindow, 1},
                    {"editIncorrect", "Some answers incorrect:", &editIncorrect, 255, kHelpWindow, 1},
                    {"editNextCorrect", "Correct letter added:", &editNextCorrect, 255, kHelpWindow, 1},
                });
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
  }

  {
    auto* grid = new QGridLayout(AddPage("Button Captions", kHelpWindow));
    grid->setVerticalSpacing(6);
    int row = 0;
    AddEditRows(grid, row, {{"editCheck", "Caption for \"Check Answer\" button:", &editCheck, 255, kHelpWindow, 0}},
                2);
    AddButtonRows(
        grid, row, kHelpWindow,
        {
            {"chkIncludeHint", "Include \"Hint\" button", &chkIncludeHint, "editHint", &editHint},
            {"chkIncludeHelp", "Include \"Help\" button", &chkIncludeHelp, "editHelp", &editHelp},
            {"chkIncludeNextEx", "Include \"Next Exercise\" button", &chkIncludeNextEx, "editNextEx", &editNextEx},
            {"chkIncludeContents", "Include \"Go to Contents\" button", &chkIncludeContents, "editContents",
             &editContents},
            {"chkIncludeBack", "Include \"Back\" button", &chkIncludeBack, "editBack", &editBack},
        });
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }

  {
    auto* grid = new QGridLayout(AddPage("Settings/URLs", kHelpWindow));
    grid->setVerticalSpacing(4);
    int row = 0;
    AddBrowseRows(grid, row, kHelpWindow);
    AddColourRows(grid, row, kHelpColours);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }

  // 5. DHTML
  {
    QWidget* page = AddPage("DHTML", kHelpWindow);
    auto* grid = new QGridLayout(page);
    editOKCaption = NewEdit(page, 240);
    Bind("editOKCaption", editOKCaption, editOKCaption, kHelpScoring, 0);
    grid->addWidget(MakeLabel("\"OK\" button caption:", page), 0, 0);
    grid->addWidget(editOKCaption, 0, 1);
    editPopupBGColor = NewEdit(page, 255);
    Bind("editPopupBGColor", editPopupBGColor, editPopupBGColor, kHelpColours, 0);
    editPopupBGColor->setToolTip("HTML hex code for background colour of Web page");
    editPopupBGColor->setMaximumWidth(110);
    grid->addWidget(MakeLabel("Popup message background colour:", page), 1, 0);
    grid->addWidget(editPopupBGColor, 1, 1, Qt::AlignLeft);
    chkKeyNavigation = new QCheckBox("Include keyboard navigation for grid", page);
    Bind("chkKeyNavigation", chkKeyNavigation, kHelpWindow);
    grid->addWidget(chkKeyNavigation, 2, 0, 1, 2);
    lblKeys = new QLabel(page);
    lblKeys->setObjectName("lblKeys");
    lblKeys->setText(
        "Move left: \"4\" or comma\r\nMove right: \"6\" or period\r\n"
        "Move up: \"8\" or semi-colon\r\nMove down: \"2\" or forward slash\r\n");
    grid->addWidget(lblKeys, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
  }

  SetValues(configdoc::Defaults(ConfigProgram()));
  ConfigChanged = false;
}

}  // namespace gridel
