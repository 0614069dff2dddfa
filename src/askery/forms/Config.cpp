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
  BuildButtons("Accept this configuration and go back to the quiz");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {btnLoad, btnSave, btnSaveAs, btnAccept, btnHelp}) buttons->addWidget(b);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  PageControl1->setCurrentIndex(0);

  // A fixed dialog whose client area (below the menu bar) is 599 x 424.
  setFixedSize(599, 424 + MainMenu1->sizeHint().height());
  FinishCreation();
}

TfrmConfig::~TfrmConfig() = default;

int TfrmConfig::WindowHelpContext() const { return kHelpWindow; }

// --- Construction -------------------------------------------------------------

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
  SetValues(configdoc::Defaults(ConfigProgram()));
  ConfigChanged = false;
}

}  // namespace askery
