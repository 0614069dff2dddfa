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
#include "shared/core/HelpContexts.h"

namespace askery {

using tavrel::IEditControl;
using tavrel::MsgType;
using tavrel::platform;
using tavrel::TEdit;
using tavrel::TMemo;
using tavrel::toQString;

namespace {

// Help contexts of the window's controls.
constexpr int kHelpWindow = kHelpAskeryConfig;
constexpr int kHelpScore = kHelpScoring;

QLabel* MakeLabel(const char* caption, QWidget* parent) {
  auto* label = new QLabel(toQString(caption), parent);
  return label;
}

}  // namespace

TfrmConfig::TfrmConfig(QWidget* parent) : TConfigFormBase(parent) {
  BuildWindow(kHelpWindow, "Accept this configuration and go back to the quiz", [this] {
    // Six page tabs across the fixed width.
    QFont tabFont = PageControl1->tabBar()->font();
    tabFont.setPointSizeF(tabFont.pointSizeF() * 0.85);
    PageControl1->tabBar()->setFont(tabFont);
    BuildPages();
  });
  // A fixed dialog whose client area (below the menu bar) is 599 x 424.
  setFixedSize(599, 424 + MainMenu1->sizeHint().height());
  FinishCreation();
}

TfrmConfig::~TfrmConfig() = default;

int TfrmConfig::WindowHelpContext() const { return kHelpWindow; }

// --- Construction -------------------------------------------------------------

void TfrmConfig::BuildPages() {
  tabTitles = AddPage("Titles/Instructions", kHelpWindow);
  AddMemoRows(tabTitles, kHelpWindow,
              {
                  {"mmoQuizSubtitle", "Quiz subtitle:", &mmoQuizSubtitle},
                  {"mmoWelcome", "Welcome text:", &mmoWelcome},
                  {"mmoInstructions", "Instructions:", &mmoInstructions},
              });

  tabPrompts = AddPage("Prompts/Feedback", kHelpWindow);
  {
    auto* grid = new QGridLayout(tabPrompts);
    grid->setVerticalSpacing(4);
    int row = 0;
    AddEditRows(grid, row,
                {
                    {"editGuessCorrect", "Guess correct:", &editGuessCorrect, 255, kHelpWindow, 1},
                    {"editGuessIncorrect", "Guess incorrect:", &editGuessIncorrect, 255, kHelpWindow, 1},
                    {"editTheseAnswersToo", "These answers are also correct:", &editTheseAnswersToo, 255,
                     kHelpWindow, 1},
                    {"editThisMuch", "This much is correct:", &editThisMuch, 255, kHelpWindow, 1},
                    {"editPleaseEnter", "Please enter a guess:", &editPleaseEnter, 255, kHelpWindow, 1},
                    {"editTheseWords", "These words appear in the answer:", &editTheseWords, 255, kHelpWindow,
                     1},
                    {"editNextCorrect", "Next correct letter added:", &editNextCorrect, 255, kHelpWindow, 1},
                    {"editCorrectList", "List of acceptable answers:", &editCorrectList, 255, kHelpWindow, 1},
                    {"editCorrectFirstTime", "Questions answered correctly first time:", &editCorrectFirstTime,
                     240, kHelpScore, 1},
                    {"editYourScoreIs", "Your score is:", &editYourScoreIs, 240, kHelpScore, 1},
                });
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
  }

  tabButtons = AddPage("Button Captions", kHelpWindow);
  {
    auto* grid = new QGridLayout(tabButtons);
    grid->setVerticalSpacing(6);
    int row = 0;
    AddEditRows(grid, row, {{"editCheck", "Caption for \"Check Answer\" button:", &editCheck, 255, kHelpWindow, 0}},
                2);
    AddButtonRows(
        grid, row, kHelpWindow,
        {
            {"chkIncludeHint", "Include \"Hint\" button", &chkIncludeHint, "editHint", &editHint},
            {"chkIncludeShowAnswer", "Include \"Show Answer\" button", &chkIncludeShowAnswer, "editShow",
             &editShow},
            {"chkIncludeHelp", "Include \"Help\" button", &chkIncludeHelp, "editHelp", &editHelp},
            {"chkIncludeNextEx", "Include \"Next Exercise\" button", &chkIncludeNextEx, "editNextEx", &editNextEx},
            {"chkIncludeContents", "Include \"Go to Contents\" button", &chkIncludeContents, "editContents",
             &editContents},
            {"chkIncludeBack", "Include \"Back\" button", &chkIncludeBack, "editBack", &editBack},
        });
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }

  tabSettings = AddPage("Settings/URLs", kHelpWindow);
  {
    auto* grid = new QGridLayout(tabSettings);
    grid->setVerticalSpacing(4);
    int row = 0;
    AddBrowseRows(grid, row, kHelpWindow);
    chkCaseSensitive = new QCheckBox("Make answer-checking case-sensitive", tabSettings);
    Bind("chkCaseSensitive", chkCaseSensitive, kHelpWindow);
    grid->addWidget(chkCaseSensitive, row++, 0, 1, 4);
    chkContinuousScoring = new QCheckBox("Show score after each correct answer", tabSettings);
    Bind("chkContinuousScoring", chkContinuousScoring, kHelpScore);
    grid->addWidget(chkContinuousScoring, row++, 0, 1, 4);
    AddColourRows(grid, row, kHelpColours);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }

  tabReading = AddReadingPage();

  tabDHTML = AddPage("DHTML", kHelpScore);
  {
    auto* grid = new QGridLayout(tabDHTML);
    editOKCaption = NewEdit(tabDHTML, 240);
    Bind("editOKCaption", editOKCaption, editOKCaption, kHelpScore, 0);
    grid->addWidget(MakeLabel("\"OK\" button caption:", tabDHTML), 0, 0);
    grid->addWidget(editOKCaption, 0, 1);
    editPopupBGColor = NewEdit(tabDHTML, 255);
    Bind("editPopupBGColor", editPopupBGColor, editPopupBGColor, kHelpColours, 0);
    editPopupBGColor->setToolTip("HTML hex code for background colour of Web page");
    editPopupBGColor->setMaximumWidth(110);
    grid->addWidget(MakeLabel("Popup message background colour:", tabDHTML), 1, 0);
    grid->addWidget(editPopupBGColor, 1, 1, Qt::AlignLeft);
    chkShuffleQs = new QCheckBox("Shuffle order of questions each time page loads", tabDHTML);
    Bind("chkShuffleQs", chkShuffleQs, kHelpScore);
    grid->addWidget(chkShuffleQs, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
  }

  // The window's initial values.
  SetValues(configdoc::Defaults(ConfigProgram()));
  ConfigChanged = false;
}

}  // namespace askery
