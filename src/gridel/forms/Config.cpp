#include "gridel/forms/Config.h"

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
  setObjectName("frmConfig");
  setWindowTitle("Configure output");
  setProperty("helpContext", kHelpWindow);
  setModal(true);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 4, 6, 6);
  BuildMenus();
  AddUndoAndDelete();
  outer->setMenuBar(MainMenu1);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->setUsesScrollButtons(false);
  PageControl1->setElideMode(Qt::ElideNone);
  outer->addWidget(PageControl1, 1);
  BuildPages();
  BuildButtons("Accept this configuration and go back to the crossword");
  disconnect(btnAccept, &QPushButton::clicked, this, nullptr);
  connect(btnAccept, &QPushButton::clicked, this, [this] { btnOKClick(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {btnLoad, btnSave, btnSaveAs, btnAccept, btnHelp}) buttons->addWidget(b);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  PageControl1->setCurrentIndex(0);
  setFixedSize(599, 424 + MainMenu1->sizeHint().height());
  FinishCreation();
}

TfrmConfig::~TfrmConfig() = default;

int TfrmConfig::WindowHelpContext() const { return kHelpWindow; }
int TfrmConfig::ConfigSaveHelpContext() const { return kHelpWindow; }

void TfrmConfig::btnOKClick() {
  btnAcceptClick();
  if (frmMain) frmMain->SetStatusPanelText(1, "Config: " + ExtractFileName(FConfigFileName));
}

// The crossword's window has Undo and Delete in its Edit menu too, and
// enables the items by the focused box when the menu opens.
void TfrmConfig::AddUndoAndDelete() {
  mnuUndo = new QAction("&Undo", mnuEdit);
  mnuUndo->setObjectName("mnuUndo");
  mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnuUndo->setProperty("helpContext", kHelpWindow);
  mnuEdit->insertAction(mnuCut, mnuUndo);
  mnuEdit->insertSeparator(mnuCut);
  mnuDelete = new QAction("&Delete", mnuEdit);
  mnuDelete->setObjectName("mnuDelete");
  mnuDelete->setProperty("helpContext", kHelpWindow);
  mnuEdit->insertAction(mnuSelectAll, mnuDelete);
  connect(mnuUndo, &QAction::triggered, this, [this] { mnuUndoClick(); });
  connect(mnuDelete, &QAction::triggered, this, [this] { mnuDeleteClick(); });
  connect(mnuEdit, &QMenu::aboutToShow, this, [this] { mnuEditClick(); });
}

void TfrmConfig::mnuEditClick() {
  tavrel::IEditControl* edit = FocusedEdit(this);
  const bool e = edit != nullptr;
  const bool s = e && edit->HasSelection();
  for (QAction* a : {mnuUndo, mnuPaste, mnuSelectAll}) a->setEnabled(e);
  for (QAction* a : {mnuCut, mnuCopy, mnuDelete}) a->setEnabled(s);
}

void TfrmConfig::mnuUndoClick() { RunEditCommand(FocusedEdit(this), EditCommand::Undo); }
void TfrmConfig::mnuDeleteClick() { RunEditCommand(FocusedEdit(this), EditCommand::Delete); }

void TfrmConfig::BuildPages() {
  auto newEdit = [](QWidget* page, int maxLength) {
    auto* e = new TEdit(page);
    e->SetMaxLength(maxLength);
    return e;
  };
  auto newPage = [this](const char* caption) {
    auto* page = new QWidget(PageControl1);
    page->setProperty("helpContext", kHelpWindow);
    PageControl1->addTab(page, caption);
    return page;
  };

  // 1. Titles/Instructions
  {
    QWidget* page = newPage("Titles/Instructions");
    auto* box = new QVBoxLayout(page);
    auto addMemo = [&](const char* name, const char* caption, TMemo*& memo) {
      memo = new TMemo(page);
      Bind(name, memo, memo, kHelpWindow, 1);
      box->addWidget(MakeLabel(caption, page));
      box->addWidget(memo, 1);
    };
    addMemo("mmoSubtitle", "Exercise subtitle:", mmoSubtitle);
    addMemo("mmoWelcome", "Welcome text:", mmoWelcome);
    addMemo("mmoInstructions", "Instructions:", mmoInstructions);
  }

  // 2. Prompts/Feedback
  {
    QWidget* page = newPage("Prompts/Feedback");
    auto* grid = new QGridLayout(page);
    int row = 0;
    auto addRow = [&](const char* name, const char* caption, TEdit*& edit) {
      edit = newEdit(page, 255);
      Bind(name, edit, edit, kHelpWindow, 1);
      grid->addWidget(MakeLabel(caption, page), row, 0);
      grid->addWidget(edit, row, 1);
      ++row;
    };
    addRow("editCluesAcross", "Clues across:", editCluesAcross);
    addRow("editCluesDown", "Clues down:", editCluesDown);
    addRow("editCorrect", "Correct:", editCorrect);
    addRow("editIncorrect", "Some answers incorrect:", editIncorrect);
    addRow("editNextCorrect", "Correct letter added:", editNextCorrect);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
  }

  // 3. Button Captions
  {
    QWidget* page = newPage("Button Captions");
    auto* grid = new QGridLayout(page);
    grid->setVerticalSpacing(6);
    editCheck = newEdit(page, 255);
    Bind("editCheck", editCheck, editCheck, kHelpWindow, 0);
    grid->addWidget(MakeLabel("Caption for \"Check Answer\" button:", page), 0, 0);
    grid->addWidget(editCheck, 0, 2);
    int row = 1;
    auto addPair = [&](const char* checkName, const char* checkCaption, QCheckBox*& check,
                       const char* editName, TEdit*& edit) {
      check = new QCheckBox(toQString(checkCaption), page);
      Bind(checkName, check, kHelpWindow);
      edit = newEdit(page, 255);
      Bind(editName, edit, edit, kHelpWindow, 0);
      grid->addWidget(check, row, 0);
      grid->addWidget(MakeLabel("Caption:", page), row, 1, Qt::AlignRight);
      grid->addWidget(edit, row, 2);
      ++row;
    };
    addPair("chkIncludeHint", "Include \"Hint\" button", chkIncludeHint, "editHint", editHint);
    addPair("chkIncludeHelp", "Include \"Help\" button", chkIncludeHelp, "editHelp", editHelp);
    addPair("chkIncludeNextEx", "Include \"Next Exercise\" button", chkIncludeNextEx, "editNextEx",
            editNextEx);
    addPair("chkIncludeContents", "Include \"Go to Contents\" button", chkIncludeContents,
            "editContents", editContents);
    addPair("chkIncludeBack", "Include \"Back\" button", chkIncludeBack, "editBack", editBack);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }

  // 4. Settings/URLs
  {
    QWidget* page = newPage("Settings/URLs");
    auto* grid = new QGridLayout(page);
    grid->setVerticalSpacing(4);
    int row = 0;
    auto addUrl = [&](const char* name, const char* caption, TEdit*& edit, const char* btnName,
                      const char* hint, QPushButton*& button) {
      edit = newEdit(page, 255);
      Bind(name, edit, edit, kHelpWindow, 0);
      button = new QPushButton("&Browse...", page);
      button->setObjectName(btnName);
      button->setToolTip(toQString(hint));
      button->setProperty("helpContext", kHelpWindow);
      grid->addWidget(MakeLabel(caption, page), row, 0);
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
    connect(btnBrowseForBGGraphic, &QPushButton::clicked, this, [this] { btnBrowseForBGGraphicClick(); });
    connect(btnBrowseForNextEx, &QPushButton::clicked, this, [this] { btnBrowseForNextExClick(); });
    connect(btnBrowseForIndex, &QPushButton::clicked, this, [this] { btnBrowseForIndexClick(); });

    const int firstColourRow = row;
    auto addColour = [&](const char* name, const char* caption, const char* hint, TEdit*& edit) {
      edit = newEdit(page, 255);
      Bind(name, edit, edit, kHelpColours, 0);
      edit->setToolTip(toQString(hint));
      edit->setMaximumWidth(110);
      grid->addWidget(MakeLabel(caption, page), row, 0);
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
    spdColours = new QToolButton(page);
    spdColours->setObjectName("spdColours");
    spdColours->setText("Colour chart...");
    spdColours->setToolTip("Show a chart of Web colours and their codes");
    spdColours->setProperty("helpContext", kHelpColours);
    connect(spdColours, &QToolButton::clicked, this, [this] { spdColoursClick(); });
    grid->addWidget(spdColours, firstColourRow, 2, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
  }

  // 5. DHTML
  {
    QWidget* page = newPage("DHTML");
    auto* grid = new QGridLayout(page);
    editOKCaption = newEdit(page, 240);
    Bind("editOKCaption", editOKCaption, editOKCaption, kHelpScoring, 0);
    grid->addWidget(MakeLabel("\"OK\" button caption:", page), 0, 0);
    grid->addWidget(editOKCaption, 0, 1);
    editPopupBGColor = newEdit(page, 255);
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
