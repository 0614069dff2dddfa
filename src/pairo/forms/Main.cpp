// Pairo's main window: creation, layout, menus, toolbar, keys, fonts and the
// New command's clearing.
#include "pairo/forms/Main.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/core/HelpContexts.h"
#include "shared/forms/EditFunctions.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/TLAbout.h"
#include "shared/forms/TLFunctions.h"

namespace pairo {

using tavrel::TMemo;

TfrmMain* frmMainPairo = nullptr;

namespace {

// Designed client area (below the menu bar, above the status bar); the
// window never gets a smaller one.
constexpr int kDesignWidth = 580;
constexpr int kDesignHeight = 430;
constexpr int kMinWidth = 500;
constexpr int kMinHeight = 410;
constexpr int kToolBarHeight = 34;
// Fixed places of the form.
constexpr int kTitleTop = 42;
constexpr int kTitleHeight = 36;
constexpr int kTitleLeft = 109;
constexpr int kCaptionTop = 100;
constexpr int kCaptionHeight = 20;
constexpr int kRow1Top = 124;
constexpr int kNumLeft = 34;
constexpr int kNumWidth = 30;
constexpr int kLeftColumn = 68;
constexpr int kArrowLeft = 6;
constexpr int kArrowSize = 22;
constexpr int kFixHeight = 20;
constexpr int kDefaultLabelWidth = 90;

const char* const kHintLeft = "Enter item that will NOT be jumbled in here";
const char* const kHintRight =
    "Enter the text that matches the item on the left (text, if you are creating V3 output for "
    "old browsers)";
const char* const kHintFix = "Click here if you DON'T want this item jumbled";

QLabel* MakePanel(const char* caption, const char* name, QWidget* parent) {
  auto* p = new QLabel(tavrel::toQString(caption), parent);
  p->setObjectName(name);
  p->setAlignment(Qt::AlignCenter);
  p->setFrameShape(QFrame::Panel);
  p->setFrameShadow(QFrame::Raised);
  p->setAutoFillBackground(true);
  p->setProperty(TMainFormBase::kHelpContextProperty, kHelpPairoWindow);
  return p;
}

void SetTextColour(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::Active, QPalette::Text, c);
  p.setColor(QPalette::Inactive, QPalette::Text, c);
  w->setPalette(p);
}

}  // namespace

// --- Creation ------------------------------------------------------------------------

int TfrmMain::WindowHelpContext() const { return kHelpPairoWindow; }

TfrmMain::TfrmMain(QWidget* parent) : TMainFormBase(parent) {
  setObjectName("frmMain");
  frmMain = this;
  frmMainPairo = this;
  setWindowIcon(TavrelProgramIcon("Pairo"));
  setProperty(kHelpContextProperty, kHelpPairoWindow);
  CreateComponents();
  CreateMenus();
  CreateStatusBar({200, 200, 50});
  SetStatusPanelText(1, "Config: ");
  const int chrome = menuBar()->sizeHint().height() + StatusBar1->sizeHint().height();
  resize(kDesignWidth, kDesignHeight + chrome);
  // The client area is held at least 500 x 410.
  setMinimumSize(kMinWidth, kMinHeight + chrome);
  FormCreate();
}

TfrmMain::~TfrmMain() {
  if (frmMainPairo == this) frmMainPairo = nullptr;
}

void TfrmMain::CreateComponents() {
  central_ = new QWidget(this);
  central_->setObjectName("pnlClient");
  central_->setProperty(kHelpContextProperty, kHelpPairoWindow);
  setCentralWidget(central_);
  CreateToolBar();

  pnlTitle = MakePanel("Title", "pnlTitle", central_);
  pnlTitle->setGeometry(8, kTitleTop, kTitleLeft - 14, kTitleHeight);
  mmoTitle = new TMemo(central_, "mmoTitle");
  mmoTitle->SetMaxLength(960);
  mmoTitle->SetWantReturns(false);
  mmoTitle->SetCentered(true);
  mmoTitle->setToolTip("Enter the title of this exercise");
  mmoTitle->move(kTitleLeft, kTitleTop);

  pnlLeft = MakePanel("Left (ordered) items", "pnlLeft", central_);
  pnlRight = MakePanel("Right (jumbled) items", "pnlRight", central_);
  pnlFix = MakePanel("Fix", "pnlFix", central_);
  pnlLeft->move(kLeftColumn, kCaptionTop);
  pnlRight->move(0, kCaptionTop);
  pnlFix->move(0, kCaptionTop);

  btnUp = new QToolButton(central_);
  btnUp->setObjectName("btnUp");
  btnUp->setArrowType(Qt::UpArrow);
  btnDown = new QToolButton(central_);
  btnDown->setObjectName("btnDown");
  btnDown->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {btnUp, btnDown}) {
    b->setToolTip("Move up or down the list of items");
    b->setFocusPolicy(Qt::NoFocus);
    b->resize(kArrowSize, kArrowSize);
    b->setProperty(kHelpContextProperty, kHelpPairoWindow);
  }
  btnUp->move(kArrowLeft, kRow1Top);
  btnDown->move(kArrowLeft, kRow1Top + kArrowSize);
  ConnectCommand(btnUp, [this] { btnUpClick(); });
  ConnectCommand(btnDown, [this] { btnDownClick(); });

  for (int k = 1; k <= 5; ++k) {
    const std::string n = std::to_string(k);
    pnlNum[k] = MakePanel(n.c_str(), ("pnlNum" + n).c_str(), central_);
    pnlNum[k]->move(kNumLeft, kRow1Top);

    TMemo* a = new TMemo(central_, ("mmoNum" + n + "A").c_str());
    a->SetMaxLength(960);
    a->SetWantReturns(true);
    a->setToolTip(kHintLeft);
    a->move(kLeftColumn, kRow1Top);
    mmoNumA[k] = a;

    TMemo* b = new TMemo(central_, ("mmoNum" + n + "B").c_str());
    b->SetWantReturns(false);
    b->setToolTip(tavrel::toQString(kHintRight));
    b->OnExit = [this] { mmoNum1BExit(); };
    mmoNumB[k] = b;

    auto* fix = new QCheckBox(central_);
    fix->setObjectName(tavrel::toQString("chkNum" + n + "Fix"));
    fix->setToolTip(kHintFix);
    fix->resize(kFixHeight, kFixHeight);
    fix->setProperty(kHelpContextProperty, kHelpPairoWindow);
    connect(fix, &QCheckBox::clicked, this, [this] { mmoNum1AChange(); });
    chkNumFix[k] = fix;
  }

  pnlDefault = MakePanel("Default:", "pnlDefault", central_);
  mmoDefault = new TMemo(central_, "mmoDefault");
  mmoDefault->SetWantReturns(false);
  mmoDefault->SetText("???");
  mmoDefault->setToolTip(
      "Enter the default text that will show in the jumbled list when the exercise first loads");
  mmoDefault->OnExit = [this] { mmoNum1BExit(); };

  // One change handler for every box; the window sees the keys of its boxes
  // first, and files dropped on a box are the window's too.
  std::vector<TMemo*> boxes{mmoTitle, mmoDefault};
  for (int k = 1; k <= 5; ++k) {
    boxes.push_back(mmoNumA[k]);
    boxes.push_back(mmoNumB[k]);
  }
  for (TMemo* m : boxes) {
    m->OnChange = [this] { mmoNum1AChange(); };
    m->setProperty(kHelpContextProperty, kHelpPairoWindow);
    PreviewKeysOf(m);
  }
  for (int k = 1; k <= 5; ++k) PreviewKeysOf(chkNumFix[k]);

  QWidget* previous = mmoTitle;
  for (int k = 1; k <= 5; ++k) {
    for (QWidget* w : {static_cast<QWidget*>(mmoNumA[k]), static_cast<QWidget*>(mmoNumB[k]),
                       static_cast<QWidget*>(chkNumFix[k])}) {
      setTabOrder(previous, w);
      previous = w;
    }
  }
  setTabOrder(previous, mmoDefault);

  FormResize(kDesignWidth, kDesignHeight);
}

void TfrmMain::CreateToolBar() {
  ToolBar1 = AddToolBar(
      central_, "ToolBar1", kDesignWidth, kToolBarHeight,
      {
          {&spdNew, "spdNew", TavrelGlyph::New, "Start a new quiz", [this] { spdNewClick(); }},
          {&spdLoadQuiz, "spdLoadQuiz", TavrelGlyph::Open, "Load a quiz you have previously saved",
           [this] { spdLoadQuizClick(); }},
          {&spdSave, "spdSave", TavrelGlyph::Save, "Save this exercise", [this] { spdSaveClick(); }},
          {&spdSaveAs, "spdSaveAs", TavrelGlyph::SaveAs, "Save this quiz with another name",
           [this] { mnuSaveAsClick(); }},
      },
      {
          {&spdShowReading, "spdShowReading", TavrelGlyph::Reading, "Add or edit a reading text",
           [this] { mnuAddReadingTextClick(); }},
          {&spdConfig, "spdConfig", TavrelGlyph::Config, "Configure output", [this] { spdConfigClick(); }},
          {&spdToWeb, "spdToWeb", TavrelGlyph::Web, "Compile this quiz into a Web page",
           [this] { spdToWebClick(); }},
          {&spdToDHTML, "spdToDHTML", TavrelGlyph::DHTML,
           "Export this quiz to create DHTML output for v4 browsers", [this] { mnuExportToDHTMLClick(); }},
      });
}

void TfrmMain::CreateMenus() {
  auto menu = [this](const char* caption, const char* name, int help) {
    return AddMenu(caption, name, help);
  };
  auto item = [this](QMenu* m, const char* caption, const char* name, std::function<void()> click,
                     const QKeySequence& shortcut = QKeySequence()) {
    return AddItem(m, caption, name, std::move(click), shortcut);
  };
  auto submenu = [this](QMenu* parent, const char* caption, const char* name, int help) {
    return AddSubmenu(parent, caption, name, help);
  };

  mnuFile = menu("&File", "mnuFile", kHelpFileMenu);
  mnuNew = item(mnuFile, "&New", "mnuNew", [this] { spdNewClick(); }, QKeySequence("Ctrl+N"));
  mnuOpen = item(mnuFile, "&Open...", "mnuOpen", [this] { spdLoadQuizClick(); }, QKeySequence("Ctrl+O"));
  mnuSave = item(mnuFile, "&Save", "mnuSave", [this] { spdSaveClick(); }, QKeySequence("Ctrl+S"));
  mnuSaveAs = item(mnuFile, "Save &As...", "mnuSaveAs", [this] { mnuSaveAsClick(); });
  mnuAddReadingText = item(mnuFile, "Add &Reading Text", "mnuAddReadingText",
                           [this] { mnuAddReadingTextClick(); });
  mnuAppendFile = item(mnuFile, "Append &File", "mnuAppendFile", [this] { mnuAppendFileClick(); });
  mnuExportToWeb = item(mnuFile, "Export to &HTML", "mnuExportToWeb", [this] { spdToWebClick(); });
  mnuExportToDHTML = item(mnuFile, "Export to &DHTML", "mnuExportToDHTML",
                          [this] { mnuExportToDHTMLClick(); });
  mnuExportForPrinting = item(mnuFile, "Export for &Printing", "mnuExportForPrinting",
                              [this] { mnuExportForPrintingClick(); });
  AddRecentFileItems(mnuFile);
  mnuFile->addSeparator();
  mnuExit = item(mnuFile, "E&xit", "mnuExit", [this] { spdQuitClick(); });

  AddEditMenu();

  mnuInsert = menu("&Insert", "mnuInsert", kHelpInsertMenu);
  mnuPicture = submenu(mnuInsert, "&Picture", "mnuPicture", kHelpPicture);
  mnuFromWebURL = item(mnuPicture, "From &Web URL", "mnuFromWebURL", [this] { mnuFromWebURLClick(); });
  mnuFromLocalFile = item(mnuPicture, "From &Local File", "mnuFromLocalFile",
                          [this] { mnuFromLocalFileClick(); });
  mnuLink = submenu(mnuInsert, "Link", "mnuLink", kHelpLink);
  mnuToURL = item(mnuLink, "to URL", "mnuToURL", [this] { mnuToURLClick(); });
  mnuToFile = item(mnuLink, "to File", "mnuToFile", [this] { mnuToFileClick(); });
  for (QAction* a : {mnuFromWebURL, mnuFromLocalFile}) a->setProperty(kHelpContextProperty, kHelpPicture);
  for (QAction* a : {mnuToURL, mnuToFile}) a->setProperty(kHelpContextProperty, kHelpLink);
  connect(mnuInsert, &QMenu::aboutToShow, this, [this] { mnuInsertClick(); });

  mnuManageItems = menu("&Manage Items", "mnuManageItems", kHelpManageMenu);
  mnuViewOutline = item(mnuManageItems, "&View Exercise Outline", "mnuViewOutline",
                        [this] { mnuViewOutlineClick(); });
  mnuDeleteItem = item(mnuManageItems, "&Delete Item", "mnuDeleteItem", [this] { mnuDeleteItemClick(); });
  mnuInsertItem = item(mnuManageItems, "&Insert Item", "mnuInsertItem", [this] { mnuInsertItemClick(); });
  mnuMoveItem = item(mnuManageItems, "&Move Item", "mnuMoveItem", [this] { mnuMoveItemClick(); });
  mnuShuffle = item(mnuManageItems, "Shuffle Items", "mnuShuffle", [this] { mnuShuffleClick(); });

  mnuOptions = menu("&Options", "mnuOptions", kHelpReloadConfig);
  mnuConfigureOutput = item(mnuOptions, "&Configure Output", "mnuConfigureOutput",
                            [this] { spdConfigClick(); });
  mnuEditHTML = item(mnuOptions, "&Edit Raw HTML", "mnuEditHTML", [this] { mnuEditHTMLClick(); });
  mnuFonts = item(mnuOptions, "&Font...", "mnuFonts", [this] { mnuFontsClick(); });
  AddReloadConfigItem(mnuOptions, "&Reload config info from file");

  mnuHelp = menu("&Help", "mnuHelp", kHelpHelpMenu);
  mnuContents = item(mnuHelp, "&Contents", "mnuContents", [this] { mnuContentsClick(); });
  mnuContents->setProperty(kHelpContextProperty, kHelpContents);
  mnuInternetHelp = submenu(mnuHelp, "&Internet Help", "mnuInternetHelp", kHelpHelpMenu);
  mnuFAQ = item(mnuInternetHelp, "&FAQ", "mnuFAQ", [this] { mnuEmailClick(1); });
  mnuBulletinBoard = item(mnuInternetHelp, "&Bulletin Board", "mnuBulletinBoard",
                          [this] { mnuEmailClick(2); });
  mnuEMailHelp = item(mnuInternetHelp, "&E-Mail Help", "mnuEMailHelp", [this] { mnuEmailClick(3); });
  mnuFAQ->setData(1);
  mnuBulletinBoard->setData(2);
  mnuEMailHelp->setData(3);
  mnuHelp->addSeparator();
  mnuAbout = item(mnuHelp, "&About...", "mnuAbout", [this] { mnuAboutClick(); });
  mnuAbout->setProperty(kHelpContextProperty, kHelpAbout);
}

void TfrmMain::FormCreate() {
  FQuestions = std::make_unique<TQList>();
  RawHTMLWarned = false;

  dlgOpenFile.filter = "Pairo files (*.pry)|*.pry";
  dlgOpenFile.defaultExt = "pry";
  dlgOpenFile.helpContext = kHelpOpenFile;
  dlgOpenFile.fileMustExist = true;
  dlgSaveFile.filter = "Pairo files (*.pry)|*.pry";
  dlgSaveFile.defaultExt = "pry";
  dlgSaveFile.helpContext = kHelpSaveQuestion;
  dlgSaveFile.overwritePrompt = true;
  dlgSaveFile.pathMustExist = true;
  dlgSaveWeb.filter = "HTML files (*.htm)|*.htm";
  dlgSaveWeb.defaultExt = "htm";
  dlgSaveWeb.helpContext = kHelpWebExport;
  dlgSaveWeb.overwritePrompt = true;
  dlgSaveWeb.pathMustExist = true;

  ReadStartSettings();
  FUsesTemplate = {true, false, true, true, true};
  FFileName.clear();
  UpdateMainCaption();
  FChanged = false;
  FTopItem = 1;
  ShowItems(1);
  FChanged = false;
  mnuEditHTML->setEnabled(true);
  setAcceptDrops(true);
  ShowSplashScreen();
}

// --- Layout ----------------------------------------------------------------------------

void TfrmMain::resizeEvent(QResizeEvent* e) {
  TMainFormBase::resizeEvent(e);
  if (central_) FormResize(central_->width(), central_->height());
}

void TfrmMain::FormResize(int w, int h) {
  w = std::max(w, kMinWidth);
  h = std::max(h, kMinHeight);
  ToolBar1->setGeometry(0, 0, w, kToolBarHeight);

  mmoTitle->resize(w - 117, kTitleHeight);
  pnlFix->setGeometry(w - 62, kCaptionTop, 40, kCaptionHeight);

  const int c = (w - 170) / 2;  // column width
  pnlLeft->resize(c, kCaptionHeight);
  pnlRight->setGeometry(c + 105, kCaptionTop, c, kCaptionHeight);

  const int r = (h - 164) / 6;  // row height
  int top = kRow1Top;
  for (int k = 1; k <= 5; ++k) {
    pnlNum[k]->setGeometry(kNumLeft, top, kNumWidth, r);
    mmoNumA[k]->setGeometry(kLeftColumn, top, c, r);
    mmoNumB[k]->setGeometry(c + 105, top, c, r);
    // Row 1 keeps its top, so its fix box does too.
    chkNumFix[k]->move(w - 44, top + 16);
    top += r + 3;
  }
  pnlDefault->setGeometry(c + 9, top, kDefaultLabelWidth, r);
  mmoDefault->setGeometry(c + 105, top, c, r);
}

// --- Keys ------------------------------------------------------------------------------

bool TfrmMain::FormKeyDown(const QKeyEvent* e) {
  const auto mods = e->modifiers() & ~Qt::KeypadModifier;
  const int key = e->key();
  if (TMainFormBase::FormKeyDown(e)) return true;
  if (key == Qt::Key_PageUp && mods == Qt::NoModifier) {
    btnUpClick();
    return true;
  }
  if (key == Qt::Key_PageDown && mods == Qt::NoModifier) {
    btnDownClick();
    return true;
  }
  if (mods == (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier) && key == Qt::Key_R) {
    FindAndReplace();
    return true;
  }
  // Exactly Ctrl+Alt: the markup shortcuts of the focused box.
  if (IsExactlyCtrlAlt(e)) return HandleMarkupKeyEvent(this, e);
  return false;
}

// --- Fonts -------------------------------------------------------------------------------

void TfrmMain::AssignMainFont() {
  // The title takes only the font's name; the item boxes and the default
  // take the whole font.
  QFont titleFont = mmoTitle->font();
  titleFont.setFamily(tavrel::toQString(dlgMainFont.name));
  mmoTitle->setFont(titleFont);
  const QFont whole = tavrel::FontFromSpec(dlgMainFont, mmoDefault->font());
  const QColor colour = tavrel::ColourFromBGR(dlgMainFont.color);
  std::vector<TMemo*> boxes{mmoDefault};
  for (int k = 1; k <= 5; ++k) {
    boxes.push_back(mmoNumA[k]);
    boxes.push_back(mmoNumB[k]);
  }
  for (TMemo* m : boxes) {
    m->setFont(whole);
    SetTextColour(m, colour);
  }
}

// --- New ----------------------------------------------------------------------------------

void TfrmMain::ClearExercise() {
  mmoTitle->SetText("");
  mmoTitle->setFocus();
  if (frmAddReadingText) frmAddReadingText->ClearReading();
  FQuestions->ClearQuestions();
  FTopItem = 1;
  ShowItems(1);
  dlgSaveFile.fileName.clear();
  dlgSaveWeb.fileName.clear();
  FFileName.clear();
  UpdateMainCaption();
}

}  // namespace pairo
