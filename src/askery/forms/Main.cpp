// Askery's main window: creation, first showing, closing, layout, menus,
// toolbar, the file commands and the commands that open other windows.
#include "askery/forms/Main.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Registry.h"
#include "platform/qt/Widgets.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/forms/EditFunctions.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/SourceEdit.h"
#include "shared/core/StringFunctions.h"
#include "shared/forms/TLAbout.h"
#include "shared/forms/TLFunctions.h"
#include "shared/core/HelpContexts.h"

namespace askery {

using tavrel::mbCancel;
using tavrel::mbHelp;
using tavrel::mbOK;
using tavrel::mbYesNoCancel;
using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::platform;
using tavrel::TMemo;

TfrmMain* frmMainAskery = nullptr;

namespace {

constexpr int kMaxQuestion = 1000000;

// Designed client area (below the menu bar, above the status bar) and the
// fixed positions of the form.
constexpr int kDesignWidth = 598;
constexpr int kDesignHeight = 405;
constexpr int kToolBarHeight = 34;
constexpr int kTitleLeft = 115;
constexpr int kTitleTop = 40;
constexpr int kTitleHeight = 36;
constexpr int kQuestionLeft = 116;
constexpr int kQuestionTop = 84;
constexpr int kAnswerLeft = 60;
constexpr int kAnswerPanelLeft = 32;
constexpr int kAnswerPanelWidth = 24;
constexpr int kAnsLabelHeight = 17;
constexpr int kScrollButtonLeft = 6;
constexpr int kScrollButtonSize = 22;

const char* const kHelpContextProperty = "helpContext";

void SetTextColour(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::Active, QPalette::Text, c);
  p.setColor(QPalette::Inactive, QPalette::Text, c);
  w->setPalette(p);
}

}  // namespace

// --- TTagPanel ---------------------------------------------------------------------

TTagPanel::TTagPanel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  setAlignment(Qt::AlignCenter);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setAutoFillBackground(true);
}

// --- Creation ------------------------------------------------------------------------

int TfrmMain::WindowHelpContext() const { return kHelpAskeryWindow; }

TfrmMain::TfrmMain(QWidget* parent) : TMainFormBase(parent) {
  setObjectName("frmMain");
  frmMain = this;
  frmMainAskery = this;
  setWindowIcon(TavrelProgramIcon("Askery"));
  CreateComponents();
  CreateMenus();
  CreateStatusBar({400, 150, 50});
  SetStatusPanelText(1, "Config: ");
  const int chrome = menuBar()->sizeHint().height() + StatusBar1->sizeHint().height();
  resize(kDesignWidth, kDesignHeight + chrome);
  setMinimumSize(420, 300 + chrome);
  FormCreate();
}

TfrmMain::~TfrmMain() {
  if (frmMainAskery == this) frmMainAskery = nullptr;
}

TMemo* TfrmMain::AnswerBox(int k) const {
  switch (k) {
    case 1: return mmoAnswer1;
    case 2: return mmoAnswer2;
    case 3: return mmoAnswer3;
    case 4: return mmoAnswer4;
    default: return nullptr;
  }
}

TTagPanel* TfrmMain::AnswerPanel(int k) const {
  switch (k) {
    case 1: return pnlAns1Label;
    case 2: return pnlAns2Label;
    case 3: return pnlAns3Label;
    case 4: return pnlAns4Label;
    default: return nullptr;
  }
}

void TfrmMain::CreateComponents() {
  central_ = new QWidget(this);
  central_->setObjectName("pnlClient");
  setCentralWidget(central_);
  CreateToolBar();

  lblTitle = new QLabel("Quiz title:", central_);
  lblTitle->setObjectName("lblTitle");
  lblTitle->setGeometry(8, kTitleTop, kTitleLeft - 14, kTitleHeight);
  lblTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  mmoTitle = new TMemo(central_, "mmoTitle");
  mmoTitle->SetMaxLength(960);
  mmoTitle->SetWantReturns(false);
  mmoTitle->SetCentered(true);
  mmoTitle->setToolTip("Title of the quiz");
  mmoTitle->setGeometry(kTitleLeft, kTitleTop, kDesignWidth - 129, kTitleHeight);

  lblQNum = new QLabel("Question:", central_);
  lblQNum->setObjectName("lblQNum");
  lblQNum->setGeometry(8, kQuestionTop, 96, 20);
  lblQuestion = lblQNum;

  SpinQNum = new QSpinBox(central_);
  SpinQNum->setObjectName("SpinQNum");
  SpinQNum->setRange(1, kMaxQuestion);
  SpinQNum->setValue(1);
  // The number is not typed in, only stepped.
  if (auto* editor = SpinQNum->findChild<QLineEdit*>()) editor->setReadOnly(true);
  SpinQNum->setToolTip("Number of current question");
  SpinQNum->setGeometry(8, kQuestionTop + 22, 96, 28);
  connect(SpinQNum, &QSpinBox::valueChanged, this,
          [this](int) { RunCommand([this] { SpinQNumChange(); }); });

  mmoQuestion = new TMemo(central_, "mmoQuestion");
  mmoQuestion->SetMaxLength(960);
  mmoQuestion->SetWantReturns(true);
  mmoQuestion->setToolTip("Question text");
  mmoQuestion->move(kQuestionLeft, kQuestionTop);

  pnlAnsLabel = new TTagPanel("Correct Answers", central_);
  pnlAnsLabel->setObjectName("pnlAnsLabel");
  pnlAnsLabel->move(kAnswerLeft, 0);

  spdAnsUp = new QToolButton(central_);
  spdAnsUp->setObjectName("spdAnsUp");
  spdAnsUp->setArrowType(Qt::UpArrow);
  spdAnsUp->setToolTip("Show the next answers");
  spdAnsUp->setFocusPolicy(Qt::NoFocus);
  spdAnsUp->resize(kScrollButtonSize, kScrollButtonSize);
  spdAnsDown = new QToolButton(central_);
  spdAnsDown->setObjectName("spdAnsDown");
  spdAnsDown->setArrowType(Qt::DownArrow);
  spdAnsDown->setToolTip("Show the previous answers");
  spdAnsDown->setFocusPolicy(Qt::NoFocus);
  spdAnsDown->resize(kScrollButtonSize, kScrollButtonSize);
  ConnectCommand(spdAnsUp, [this] { spdAnsUpClick(); });
  ConnectCommand(spdAnsDown, [this] { spdAnsDownClick(); });

  const char* memoNames[4] = {"mmoAnswer1", "mmoAnswer2", "mmoAnswer3", "mmoAnswer4"};
  const char* panelNames[4] = {"pnlAns1Label", "pnlAns2Label", "pnlAns3Label", "pnlAns4Label"};
  TMemo** memos[4] = {&mmoAnswer1, &mmoAnswer2, &mmoAnswer3, &mmoAnswer4};
  TTagPanel** panels[4] = {&pnlAns1Label, &pnlAns2Label, &pnlAns3Label, &pnlAns4Label};
  for (int k = 0; k < 4; ++k) {
    *panels[k] = new TTagPanel(QString::number(k + 1), central_);
    (*panels[k])->setObjectName(panelNames[k]);
    (*panels[k])->move(kAnswerPanelLeft, 0);
    TMemo* m = new TMemo(central_, memoNames[k]);
    m->SetMaxLength(240);
    m->SetWantReturns(false);
    m->setToolTip(QString("Correct answer #%1").arg(k + 1));
    m->move(kAnswerLeft, 0);
    m->OnExit = [this, m] { mmoAnswer1Exit(m); };
    *memos[k] = m;
  }

  // The window sees the keys of its boxes first; files dropped on a box are
  // the window's too.
  for (TMemo* m : {mmoTitle, mmoQuestion, mmoAnswer1, mmoAnswer2, mmoAnswer3, mmoAnswer4}) {
    m->OnChange = [this] { mmoTitleChange(); };
    PreviewKeysOf(m);
  }
  PreviewKeysOf(SpinQNum);

  setTabOrder(mmoTitle, SpinQNum);
  setTabOrder(SpinQNum, mmoQuestion);
  setTabOrder(mmoQuestion, mmoAnswer1);
  setTabOrder(mmoAnswer1, mmoAnswer2);
  setTabOrder(mmoAnswer2, mmoAnswer3);
  setTabOrder(mmoAnswer3, mmoAnswer4);

  FormResize(kDesignWidth, kDesignHeight);
}

void TfrmMain::CreateToolBar() {
  ToolBar1 = AddToolBar(
      central_, "ToolBar1", kDesignWidth, kToolBarHeight,
      {
          {&spdNew, "spdNew", TavrelGlyph::New, "Start a new quiz", [this] { spdNewClick(); }},
          {&spdLoadQuiz, "spdLoadQuiz", TavrelGlyph::Open, "Load a quiz you have previously saved",
           [this] { spdLoadQuizClick(); }},
          {&spdSaveQuiz, "spdSaveQuiz", TavrelGlyph::Save, "Save this quiz", [this] { spdSaveQuizClick(); }},
          {&spdSaveAs, "spdSaveAs", TavrelGlyph::SaveAs, "Save this quiz with another name",
           [this] { mnuSaveAsClick(); }},
      },
      {
          {&spdShowReading, "spdShowReading", TavrelGlyph::Reading, "Add a reading text",
           [this] { mnuAddReadingTextClick(); }},
          {&spdConfig, "spdConfig", TavrelGlyph::Config, "Configure output", [this] { spdConfigClick(); }},
          {&spdToWeb, "spdToWeb", TavrelGlyph::Web, "Compile this quiz into a Web page",
           [this] { spdToWebClick(); }},
          {&spdToDHTML, "spdToDHTML", TavrelGlyph::DHTML, "Compile this quiz into a Web page",
           [this] { mnuToDHTMLClick(); }},
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
  mnuSave = item(mnuFile, "&Save", "mnuSave", [this] { spdSaveQuizClick(); }, QKeySequence("Ctrl+S"));
  mnuSaveAs = item(mnuFile, "Save &As...", "mnuSaveAs", [this] { mnuSaveAsClick(); });
  mnuAddReadingText = item(mnuFile, "Add &Reading Text", "mnuAddReadingText",
                           [this] { mnuAddReadingTextClick(); }, QKeySequence("Ctrl+R"));
  mnuAppendFile = item(mnuFile, "Append &File", "mnuAppendFile", [this] { mnuAppendFileClick(); });
  mnuToHTML = item(mnuFile, "Export to &HTML", "mnuToHTML", [this] { spdToWebClick(); });
  mnuToDHTML = item(mnuFile, "Export to &DHTML", "mnuToDHTML", [this] { mnuToDHTMLClick(); });
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
  mnuLink = submenu(mnuInsert, "&Link", "mnuLink", kHelpLink);
  mnuToURL = item(mnuLink, "To URL", "mnuToURL", [this] { mnuToURLClick(); });
  mnuToFile = item(mnuLink, "To File", "mnuToFile", [this] { mnuToFileClick(); });
  for (QAction* a : {mnuFromWebURL, mnuFromLocalFile}) a->setProperty(kHelpContextProperty, kHelpPicture);
  for (QAction* a : {mnuToURL, mnuToFile}) a->setProperty(kHelpContextProperty, kHelpLink);
  connect(mnuInsert, &QMenu::aboutToShow, this, [this] { mnuInsertClick(); });

  mnuManageQuestions = menu("&Manage Questions", "mnuManageQuestions", kHelpManageMenu);
  mnuViewOutline = item(mnuManageQuestions, "&View Quiz Outline", "mnuViewOutline",
                        [this] { mnuViewOutlineClick(); });
  mnuDeleteQuestion = item(mnuManageQuestions, "&Delete Question", "mnuDeleteQuestion",
                           [this] { mnuDeleteQuestionClick(); });
  mnuInsertQuestion = item(mnuManageQuestions, "&Insert Question", "mnuInsertQuestion",
                           [this] { mnuInsertQuestionClick(); });
  mnuMoveQuestion = item(mnuManageQuestions, "&Move Question", "mnuMoveQuestion",
                         [this] { mnuMoveQuestionClick(); });
  mnuCloneQuestion = item(mnuManageQuestions, "&Clone Question", "mnuCloneQuestion",
                          [this] { mnuCloneQuestionClick(); });
  mnuShuffle = item(mnuManageQuestions, "&Shuffle Order of Questions", "mnuShuffle",
                    [this] { mnuShuffleClick(); });

  mnuOptions = menu("&Options", "mnuOptions", kHelpReloadConfig);
  mnuConfigureOutput = item(mnuOptions, "&Configure Output", "mnuConfigureOutput",
                            [this] { mnuConfigureOutputClick(); });
  mnuEditHTML = item(mnuOptions, "&Edit Raw HTML", "mnuEditHTML", [this] { mnuEditHTMLClick(); });
  mnuFonts = item(mnuOptions, "&Font...", "mnuFonts", [this] { mnuFontsClick(); });
  AddReloadConfigItem(mnuOptions, "Reload config info from data file");

  mnuHelp = menu("&Help", "mnuHelp", kHelpHelpMenu);
  mnuHelpContents = item(mnuHelp, "&Contents", "mnuHelpContents", [this] { mnuHelpContentsClick(); });
  mnuHelpContents->setProperty(kHelpContextProperty, kHelpContents);
  mnuInternetHelp = submenu(mnuHelp, "&Internet Help", "mnuInternetHelp", kHelpHelpMenu);
  mnuFAQ = item(mnuInternetHelp, "&FAQ", "mnuFAQ", [this] { mnuInternetHelpClick(1); });
  mnuBulletinBoard = item(mnuInternetHelp, "&Bulletin Board", "mnuBulletinBoard",
                          [this] { mnuInternetHelpClick(2); });
  mnuEMailHelp = item(mnuInternetHelp, "&E-Mail Help", "mnuEMailHelp",
                      [this] { mnuInternetHelpClick(3); });
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

  dlgOpenFile.filter = "Askerine files (*.aky)|*.aky";
  dlgOpenFile.helpContext = kHelpOpenFile;
  dlgOpenFile.fileMustExist = true;
  dlgSaveFile.filter = "Askerine files (*.aky)|*.aky";
  dlgSaveFile.defaultExt = "aky";
  dlgSaveFile.helpContext = kHelpSaveQuestion;
  dlgSaveFile.overwritePrompt = true;
  dlgSaveFile.pathMustExist = true;
  dlgSaveWeb.filter = "HTML files (*.htm)|*.htm";
  dlgSaveWeb.defaultExt = "htm";
  dlgSaveWeb.helpContext = kHelpWebExport;
  dlgSaveWeb.overwritePrompt = true;
  dlgSaveWeb.pathMustExist = true;

  ReadStartSettings();
  FUsesTemplate.fill(true);
  FFileName.clear();
  UpdateMainCaption();
  SpinQNum->setMaximum(kMaxQuestion);
  mnuEditHTML->setEnabled(true);
  FCurrQ = 1;
  FChanged = false;
  setAcceptDrops(true);
  ShowSplashScreen();
}

// --- Layout ----------------------------------------------------------------------------

void TfrmMain::resizeEvent(QResizeEvent* e) {
  TMainFormBase::resizeEvent(e);
  LayoutCentral();
}

void TfrmMain::LayoutCentral() {
  if (central_) FormResize(central_->width(), central_->height());
}

void TfrmMain::FormResize(int w, int h) {
  ToolBar1->setGeometry(0, 0, std::max(0, w), kToolBarHeight);

  const int memoWidth = std::max(0, w - 129);
  mmoTitle->resize(memoWidth, kTitleHeight);
  // Nearest integer, halves to even.
  const int rowHeight = std::max(0, static_cast<int>(std::nearbyint((h - 140) / 6.0)));
  mmoQuestion->setGeometry(kQuestionLeft, kQuestionTop, memoWidth, rowHeight);

  const int answerWidth = std::max(0, w - 73);
  const int questionBottom = mmoQuestion->y() + mmoQuestion->height();
  pnlAnsLabel->setGeometry(kAnswerLeft, questionBottom + 11, answerWidth, kAnsLabelHeight);
  spdAnsUp->move(kScrollButtonLeft, pnlAnsLabel->y());
  spdAnsDown->move(kScrollButtonLeft, spdAnsUp->y() + spdAnsUp->height());

  int top = pnlAnsLabel->y() + pnlAnsLabel->height() + 11;
  for (int k = 1; k <= 4; ++k) {
    TTagPanel* panel = AnswerPanel(k);
    panel->setGeometry(kAnswerPanelLeft, top, kAnswerPanelWidth, rowHeight);
    AnswerBox(k)->setGeometry(kAnswerLeft, top, answerWidth, rowHeight);
    top = panel->y() + panel->height() + 7;
  }
}

// --- Keys, help, drops ----------------------------------------------------------------

bool TfrmMain::FormKeyDown(const QKeyEvent* e) {
  const auto mods = e->modifiers() & ~Qt::KeypadModifier;
  const int key = e->key();
  if (TMainFormBase::FormKeyDown(e)) return true;
  if (key == Qt::Key_PageUp && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
    if (SpinQNum->value() > 1) SpinQNum->setValue(SpinQNum->value() - 1);
    return false;
  }
  if (key == Qt::Key_PageDown && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
    if (SpinQNum->value() < SpinQNum->maximum()) SpinQNum->setValue(SpinQNum->value() + 1);
    return false;
  }
  if (mods == (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier) && key == Qt::Key_R) {
    FindAndReplace();
    return true;
  }
  // Exactly Ctrl+Alt: the markup shortcuts of the focused box.
  if (IsExactlyCtrlAlt(e)) return HandleMarkupKeyEvent(this, e);
  return false;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* e) {
  // Page Up/Down on the spinner is the window's, not the spin box's.
  if (e->type() == QEvent::KeyPress && watched == SpinQNum) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_PageUp || k->key() == Qt::Key_PageDown) {
      FormKeyDown(k);
      return true;
    }
  }
  return TMainFormBase::eventFilter(watched, e);
}

// --- Fonts -------------------------------------------------------------------------------

void TfrmMain::AssignMainFont() {
  QFont titleFont = mmoTitle->font();
  titleFont.setFamily(tavrel::toQString(dlgMainFont.name));
  mmoTitle->setFont(titleFont);
  const QFont whole = tavrel::FontFromSpec(dlgMainFont, mmoQuestion->font());
  const QColor colour = tavrel::ColourFromBGR(dlgMainFont.color);
  for (TMemo* m : {mmoQuestion, mmoAnswer1, mmoAnswer2, mmoAnswer3, mmoAnswer4}) {
    m->setFont(whole);
    SetTextColour(m, colour);
  }
}

// --- File commands ----------------------------------------------------------------------

void TfrmMain::ClearExercise() {
  mmoTitle->SetText("");
  mmoQuestion->SetText("");
  for (int k = 1; k <= 4; ++k) AnswerBox(k)->SetText("");
  mmoTitle->setFocus();
  FCurrQ = 1;
  SetSpinnerQuietly(1);
  if (frmAddReadingText) frmAddReadingText->ClearReading();
  dlgSaveFile.fileName.clear();
  dlgSaveWeb.fileName.clear();
  FFileName.clear();
  UpdateMainCaption();
  FQuestions->ClearQuestions();
  // The editor starts afresh: answers 1 to 4 of an empty first question.
  ShowQuestion(1);
}

}  // namespace askery
