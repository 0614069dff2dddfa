// Askery's main window: creation, first showing, closing, layout, menus,
// toolbar, the file commands and the commands that open other windows.
#include "askery/forms/Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
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

// The raw-HTML warning is shown once per run.
bool RawHTMLWarned = false;

constexpr int kWindowHelp = 14000;
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

// --- Toolbar glyphs ------------------------------------------------------------

enum class Glyph { New, Open, Save, SaveAs, Cut, Copy, Paste, Undo, Reading, Config, Web, DHTML,
                   Help, Quit };

void DrawPage(QPainter& p, const QRectF& r) {
  const qreal fold = r.width() * 0.3;
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setBrush(Qt::white);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void DrawDisk(QPainter& p, const QRectF& r) {
  p.setBrush(QColor(40, 90, 170));
  p.drawRoundedRect(r, 1.5, 1.5);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(r.left() + 3, r.top() + 1, r.width() - 6, r.height() * 0.4));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(r.left() + 4.5, r.bottom() - r.height() * 0.35, r.width() - 9, r.height() * 0.35));
}

void DrawGlobe(QPainter& p, const QRectF& r) {
  p.setBrush(QColor(120, 180, 230));
  p.drawEllipse(r);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(r.adjusted(r.width() * 0.28, 0, -r.width() * 0.28, 0));
  p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
  p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

QIcon MakeGlyph(Glyph g) {
  const int size = 22;
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(40, 40, 40));
  pen.setWidthF(1.2);
  p.setPen(pen);
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(10);
  p.setFont(f);
  switch (g) {
    case Glyph::New:
      DrawPage(p, QRectF(5, 2.5, 12, 17));
      break;
    case Glyph::Open:
      p.setBrush(QColor(220, 180, 60));
      p.drawRect(QRectF(2.5, 6.5, 17, 12));
      p.drawRect(QRectF(2.5, 4.5, 7, 2));
      p.setBrush(QColor(245, 215, 110));
      p.drawPolygon(QPolygonF({QPointF(5, 10), QPointF(21, 10), QPointF(19.5, 18.5), QPointF(2.5, 18.5)}));
      break;
    case Glyph::Save:
      DrawDisk(p, QRectF(3.5, 3.5, 15, 15));
      break;
    case Glyph::SaveAs:
      DrawDisk(p, QRectF(2.5, 2.5, 13, 13));
      pen.setColor(QColor(160, 60, 20));
      pen.setWidthF(2.2);
      p.setPen(pen);
      p.drawLine(QPointF(11, 20), QPointF(20, 11));
      break;
    case Glyph::Cut:
      p.setBrush(Qt::NoBrush);
      p.drawLine(QPointF(7, 3), QPointF(14.5, 14));
      p.drawLine(QPointF(15, 3), QPointF(7.5, 14));
      p.setBrush(QColor(200, 40, 40));
      p.drawEllipse(QRectF(3.5, 13.5, 5.5, 5.5));
      p.drawEllipse(QRectF(13, 13.5, 5.5, 5.5));
      break;
    case Glyph::Copy:
      DrawPage(p, QRectF(3, 2.5, 10, 13));
      DrawPage(p, QRectF(9, 6.5, 10, 13));
      break;
    case Glyph::Paste:
      p.setBrush(QColor(170, 120, 60));
      p.drawRoundedRect(QRectF(3.5, 4.5, 13, 15), 1.5, 1.5);
      p.setBrush(QColor(190, 190, 190));
      p.drawRect(QRectF(7, 2.5, 6, 3));
      DrawPage(p, QRectF(10, 8.5, 9, 11));
      break;
    case Glyph::Undo: {
      pen.setWidthF(2);
      pen.setColor(QColor(30, 90, 160));
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      QPainterPath arc;
      arc.moveTo(6, 9);
      arc.cubicTo(12, 4, 20, 7, 18, 14);
      arc.cubicTo(17, 17, 14, 18, 11, 18);
      p.drawPath(arc);
      p.setBrush(QColor(30, 90, 160));
      p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(8.5, 4.5), QPointF(8.5, 12)}));
      break;
    }
    case Glyph::Reading:
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({QPointF(11, 6), QPointF(2.5, 4), QPointF(2.5, 17), QPointF(11, 19)}));
      p.drawPolygon(QPolygonF({QPointF(11, 6), QPointF(19.5, 4), QPointF(19.5, 17), QPointF(11, 19)}));
      p.drawLine(QPointF(5, 8), QPointF(9, 9));
      p.drawLine(QPointF(5, 11), QPointF(9, 12));
      p.drawLine(QPointF(13, 9), QPointF(17, 8));
      p.drawLine(QPointF(13, 12), QPointF(17, 11));
      break;
    case Glyph::Config:
      for (int i = 0; i < 3; ++i) {
        const qreal y = 5.5 + i * 5.5;
        p.drawLine(QPointF(3, y), QPointF(19, y));
        p.setBrush(QColor(90, 140, 60));
        const qreal x = (i == 1) ? 13 : (i == 0 ? 7 : 10);
        p.drawRect(QRectF(x - 2, y - 2.5, 4, 5));
      }
      break;
    case Glyph::Web:
      DrawGlobe(p, QRectF(3, 3, 16, 16));
      break;
    case Glyph::DHTML:
      DrawPage(p, QRectF(3.5, 2.5, 13, 17));
      p.setPen(QColor(150, 30, 120));
      p.drawText(QRectF(3.5, 6, 13, 13), Qt::AlignCenter, "D");
      break;
    case Glyph::Help:
      p.setBrush(QColor(40, 110, 200));
      p.drawEllipse(QRectF(2.5, 2.5, 17, 17));
      p.setPen(Qt::white);
      f.setPixelSize(13);
      p.setFont(f);
      p.drawText(QRectF(2.5, 2.5, 17, 17), Qt::AlignCenter, "?");
      break;
    case Glyph::Quit:
      p.setBrush(QColor(150, 100, 60));
      p.drawRect(QRectF(4.5, 2.5, 11, 17));
      p.setBrush(QColor(240, 210, 80));
      p.drawEllipse(QRectF(12, 10, 2.5, 2.5));
      pen.setColor(QColor(200, 30, 30));
      pen.setWidthF(2);
      p.setPen(pen);
      p.drawLine(QPointF(15, 8), QPointF(20.5, 13.5));
      p.drawLine(QPointF(20.5, 8), QPointF(15, 13.5));
      break;
  }
  return QIcon(pm);
}

void SetTextColour(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::Active, QPalette::Text, c);
  p.setColor(QPalette::Inactive, QPalette::Text, c);
  w->setPalette(p);
}

// A file named on the command line as a full path: the recent files, the
// save folder and the relative links of the pages must not depend on the
// folder the program happened to be started from.
std::string FullPath(const std::string& path) {
  const QFileInfo info(tavrel::pathToQString(path));
  return tavrel::pathFromQString(QDir::cleanPath(info.absoluteFilePath()));
}

// Local files among the URLs of a drag, in order.
std::vector<std::string> DroppedFiles(const QMimeData* mime) {
  std::vector<std::string> paths;
  if (!mime || !mime->hasUrls()) return paths;
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile()) paths.push_back(tavrel::pathFromQString(url.toLocalFile()));
  return paths;
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

TfrmMain::TfrmMain(QWidget* parent) : TMainFormBase(parent) {
  setObjectName("frmMain");
  frmMain = this;
  frmMainAskery = this;
  setWindowIcon(TavrelProgramIcon("Askery"));
  CreateComponents();
  CreateMenus();
  CreateStatusBar();
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
  connect(SpinQNum, &QSpinBox::valueChanged, this, [this](int) { SpinQNumChange(); });

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
  connect(spdAnsUp, &QToolButton::clicked, this, [this] { spdAnsUpClick(); });
  connect(spdAnsDown, &QToolButton::clicked, this, [this] { spdAnsDownClick(); });

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
    m->installEventFilter(this);
    m->viewport()->installEventFilter(this);
    keyPreview_.push_back(m);
  }
  SpinQNum->installEventFilter(this);
  keyPreview_.push_back(SpinQNum);

  setTabOrder(mmoTitle, SpinQNum);
  setTabOrder(SpinQNum, mmoQuestion);
  setTabOrder(mmoQuestion, mmoAnswer1);
  setTabOrder(mmoAnswer1, mmoAnswer2);
  setTabOrder(mmoAnswer2, mmoAnswer3);
  setTabOrder(mmoAnswer3, mmoAnswer4);

  FormResize(kDesignWidth, kDesignHeight);
}

void TfrmMain::CreateToolBar() {
  ToolBar1 = new QToolBar(central_);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(22, 22));
  ToolBar1->setGeometry(0, 0, kDesignWidth, kToolBarHeight);

  auto button = [this](QToolButton*& b, const char* name, Glyph g, const char* hint,
                       std::function<void()> click) {
    b = new QToolButton(ToolBar1);
    b->setObjectName(name);
    b->setIcon(MakeGlyph(g));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, [click = std::move(click)] { click(); });
    ToolBar1->addWidget(b);
  };
  button(spdNew, "spdNew", Glyph::New, "Start a new quiz", [this] { spdNewClick(); });
  button(spdLoadQuiz, "spdLoadQuiz", Glyph::Open, "Load a quiz you have previously saved",
         [this] { spdLoadQuizClick(); });
  button(spdSaveQuiz, "spdSaveQuiz", Glyph::Save, "Save this quiz", [this] { spdSaveQuizClick(); });
  button(spdSaveAs, "spdSaveAs", Glyph::SaveAs, "Save this quiz with another name",
         [this] { mnuSaveAsClick(); });
  ToolBar1->addSeparator();
  button(spdCut, "spdCut", Glyph::Cut, "Cut to clipboard", [this] { mnuCutClick(); });
  button(spdCopy, "spdCopy", Glyph::Copy, "Copy to clipboard", [this] { mnuCopyClick(); });
  button(spdPaste, "spdPaste", Glyph::Paste, "Paste from clipboard", [this] { mnuPasteClick(); });
  button(spdUndo, "spdUndo", Glyph::Undo, "Undo previous editing action", [this] { mnuUndoClick(); });
  ToolBar1->addSeparator();
  button(spdShowReading, "spdShowReading", Glyph::Reading, "Add a reading text",
         [this] { mnuAddReadingTextClick(); });
  button(spdConfig, "spdConfig", Glyph::Config, "Configure output", [this] { spdConfigClick(); });
  button(spdToWeb, "spdToWeb", Glyph::Web, "Compile this quiz into a Web page",
         [this] { spdToWebClick(); });
  button(spdToDHTML, "spdToDHTML", Glyph::DHTML, "Compile this quiz into a Web page",
         [this] { mnuToDHTMLClick(); });
  ToolBar1->addSeparator();
  button(spdHelp, "spdHelp", Glyph::Help, "Show the help file", [this] { mnuHelpContentsClick(); });
  button(spdQuit, "spdQuit", Glyph::Quit, "Quit the program", [this] { spdQuitClick(); });
}

void TfrmMain::CreateMenus() {
  QMenuBar* bar = menuBar();
  auto menu = [this, bar](const char* caption, const char* name, int help) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(name);
    m->setProperty(kHelpContextProperty, help);
    m->installEventFilter(this);
    return m;
  };
  auto item = [this](QMenu* m, const char* caption, const char* name, std::function<void()> click,
                     const QKeySequence& shortcut = QKeySequence()) {
    QAction* a = m->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    connect(a, &QAction::triggered, this, [click = std::move(click)] { click(); });
    return a;
  };
  auto submenu = [this](QMenu* parent, const char* caption, const char* name, int help) {
    QMenu* m = parent->addMenu(caption);
    m->setObjectName(name);
    m->setProperty(kHelpContextProperty, help);
    m->menuAction()->setProperty(kHelpContextProperty, help);
    m->installEventFilter(this);
    return m;
  };

  mnuFile = menu("&File", "mnuFile", 7000);
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
  mnuLastFileDivider = mnuFile->addSeparator();
  mnuLastFileDivider->setObjectName("mnuLastFileDivider");
  mnuLastFileDivider->setVisible(false);
  for (int i = 1; i <= 5; ++i) {
    const std::string name = "mnuLastFile" + std::to_string(i);
    QAction* a = item(mnuFile, "", name.c_str(), [this, i] { mnuLastFile1Click(i); });
    a->setData(i);  // Tag
    a->setVisible(false);
    mnuLastFile[static_cast<size_t>(i)] = a;
  }
  mnuFile->addSeparator();
  mnuExit = item(mnuFile, "E&xit", "mnuExit", [this] { spdQuitClick(); });

  mnuEdit = menu("&Edit", "mnuEdit", 8000);
  mnuUndo = item(mnuEdit, "&Undo", "mnuUndo", [this] { mnuUndoClick(); }, QKeySequence("Ctrl+Z"));
  mnuEdit->addSeparator();
  mnuCut = item(mnuEdit, "Cu&t", "mnuCut", [this] { mnuCutClick(); }, QKeySequence("Ctrl+X"));
  mnuCopy = item(mnuEdit, "&Copy", "mnuCopy", [this] { mnuCopyClick(); }, QKeySequence("Ctrl+C"));
  mnuPaste = item(mnuEdit, "&Paste", "mnuPaste", [this] { mnuPasteClick(); }, QKeySequence("Ctrl+V"));
  mnuDelete = item(mnuEdit, "&Delete", "mnuDelete", [this] { mnuDeleteClick(); });
  mnuEdit->addSeparator();
  mnuSelectAll = item(mnuEdit, "&Select All", "mnuSelectAll", [this] { mnuSelectAllClick(); },
                      QKeySequence("Ctrl+A"));
  connect(mnuEdit, &QMenu::aboutToShow, this, [this] { mnuEditClick(); });

  mnuInsert = menu("&Insert", "mnuInsert", 8300);
  mnuPicture = submenu(mnuInsert, "&Picture", "mnuPicture", 5500);
  mnuFromWebURL = item(mnuPicture, "From &Web URL", "mnuFromWebURL", [this] { mnuFromWebURLClick(); });
  mnuFromLocalFile = item(mnuPicture, "From &Local File", "mnuFromLocalFile",
                          [this] { mnuFromLocalFileClick(); });
  mnuLink = submenu(mnuInsert, "&Link", "mnuLink", 5700);
  mnuToURL = item(mnuLink, "To URL", "mnuToURL", [this] { mnuToURLClick(); });
  mnuToFile = item(mnuLink, "To File", "mnuToFile", [this] { mnuToFileClick(); });
  for (QAction* a : {mnuFromWebURL, mnuFromLocalFile}) a->setProperty(kHelpContextProperty, 5500);
  for (QAction* a : {mnuToURL, mnuToFile}) a->setProperty(kHelpContextProperty, 5700);
  connect(mnuInsert, &QMenu::aboutToShow, this, [this] { mnuInsertClick(); });

  mnuManageQuestions = menu("&Manage Questions", "mnuManageQuestions", 8500);
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

  mnuOptions = menu("&Options", "mnuOptions", 9000);
  mnuConfigureOutput = item(mnuOptions, "&Configure Output", "mnuConfigureOutput",
                            [this] { mnuConfigureOutputClick(); });
  mnuEditHTML = item(mnuOptions, "&Edit Raw HTML", "mnuEditHTML", [this] { mnuEditHTMLClick(); });
  mnuFonts = item(mnuOptions, "&Font...", "mnuFonts", [this] { mnuFontsClick(); });
  mnuReloadConfig = mnuOptions->addAction("Reload config info from data file");
  mnuReloadConfig->setObjectName("mnuReloadConfig");
  mnuReloadConfig->setCheckable(true);
  // The tick changes only when the user confirms, below.
  connect(mnuReloadConfig, &QAction::triggered, this, [this](bool checked) {
    mnuReloadConfig->setChecked(!checked);
    mnuReloadConfigClick();
  });

  mnuHelp = menu("&Help", "mnuHelp", 10000);
  mnuHelpContents = item(mnuHelp, "&Contents", "mnuHelpContents", [this] { mnuHelpContentsClick(); });
  mnuHelpContents->setProperty(kHelpContextProperty, 1000);
  mnuInternetHelp = submenu(mnuHelp, "&Internet Help", "mnuInternetHelp", 10000);
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
  mnuAbout->setProperty(kHelpContextProperty, 40000);
}

void TfrmMain::FormCreate() {
  FQuestions = std::make_unique<TQList>();
  RawHTMLWarned = false;

  dlgOpenFile.filter = "Askerine files (*.aky)|*.aky";
  dlgOpenFile.helpContext = 54;
  dlgOpenFile.fileMustExist = true;
  dlgSaveFile.filter = "Askerine files (*.aky)|*.aky";
  dlgSaveFile.defaultExt = "aky";
  dlgSaveFile.helpContext = 4000;
  dlgSaveFile.overwritePrompt = true;
  dlgSaveFile.pathMustExist = true;
  dlgSaveWeb.filter = "HTML files (*.htm)|*.htm";
  dlgSaveWeb.defaultExt = "htm";
  dlgSaveWeb.helpContext = 6000;
  dlgSaveWeb.overwritePrompt = true;
  dlgSaveWeb.pathMustExist = true;

  RegisterFileType();
  ReadFontSettings();
  ReadSavePath();
  ReadFilePaths();
  ReadWindowSettings();
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

// --- First showing, closing ----------------------------------------------------------

void TfrmMain::showEvent(QShowEvent* e) {
  TMainFormBase::showEvent(e);
  if (!shown_ && !e->spontaneous()) {
    shown_ = true;
    FormShow();
  }
}

void TfrmMain::FormShow() {
  shown_ = true;
  AssignMainFont();
  if (frmSourceFiles) frmSourceFiles->AssignRawFont(dlgRawFont);
  if (frmConfig) LoadStartupConfig();
  FChanged = false;
  for (int i = 1; i <= tavrel::paramCount(); ++i) {
    const std::string given = tavrel::paramStr(i);
    if (given.empty() || !FileExists(given) || DirectoryExists(given)) continue;
    const std::string param = FullPath(given);
    if (UpperCaseAscii(ExtractFileExt(param)) != ".CFG")
      LoadFile(param);
    else if (frmConfig)
      try {
        frmConfig->LoadConfigFile(param);
      } catch (const std::exception& e) {
        // A file that exists but cannot be read: say so and go on.
        tavrel::platform().showMessage(e.what());
      }
  }
}

bool TfrmMain::FormCloseQuery() { return !FChanged || SaveChanges(); }

void TfrmMain::FormClose() {
  setAcceptDrops(false);
  WriteFontSettings();
  WriteSavePath();
  WriteWindowSettings();
  WriteFilePaths();
}

void TfrmMain::closeEvent(QCloseEvent* e) {
  if (!FormCloseQuery()) {
    e->ignore();
    return;
  }
  FormClose();
  e->accept();
  // The program's modeless and modal companions go with the main window.
  if (frmAddReadingText) frmAddReadingText->hide();
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
  if (key == Qt::Key_F1 && mods == Qt::NoModifier) {
    platform().showHelp(kWindowHelp);
    return true;
  }
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
  switch (e->type()) {
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(e);
      if (auto* menu = qobject_cast<QMenu*>(watched)) {
        if (k->key() == Qt::Key_F1) {
          int context = menu->property(kHelpContextProperty).toInt();
          if (QAction* a = menu->activeAction()) {
            const QVariant own = a->property(kHelpContextProperty);
            if (own.isValid() && own.toInt() > 0) context = own.toInt();
          }
          for (QWidget* w = menu; w; w = qobject_cast<QMenu*>(w->parentWidget()))
            w->hide();
          platform().showHelp(context);
          return true;
        }
        break;
      }
      if (!IsKeyPreviewed(watched)) break;
      if (FormKeyDown(k)) return true;
      // Page Up/Down on the spinner is the window's, not the spin box's.
      if ((k->key() == Qt::Key_PageUp || k->key() == Qt::Key_PageDown) && watched == SpinQNum)
        return true;
      break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* d = static_cast<QDropEvent*>(e);
      if (acceptDrops() && !DroppedFiles(d->mimeData()).empty()) {
        d->acceptProposedAction();
        return true;
      }
      break;
    }
    case QEvent::Drop: {
      auto* d = static_cast<QDropEvent*>(e);
      const auto files = DroppedFiles(d->mimeData());
      if (acceptDrops() && !files.empty()) {
        d->acceptProposedAction();
        FilesDropped(files);
        return true;
      }
      break;
    }
    default:
      break;
  }
  return TMainFormBase::eventFilter(watched, e);
}

void TfrmMain::keyPressEvent(QKeyEvent* e) {
  // Keys of the edit boxes and the spinner were seen on their way in; the
  // others (no control focused) come here first.
  QWidget* focused = QApplication::focusWidget();
  if (!focused || !IsKeyPreviewed(focused)) {
    if (FormKeyDown(e)) return;
  }
  TMainFormBase::keyPressEvent(e);
}

bool TfrmMain::IsKeyPreviewed(const QObject* w) const {
  return std::find(keyPreview_.begin(), keyPreview_.end(), w) != keyPreview_.end();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* e) {
  if (!DroppedFiles(e->mimeData()).empty())
    e->acceptProposedAction();
  else
    e->ignore();
}

void TfrmMain::dropEvent(QDropEvent* e) {
  const auto files = DroppedFiles(e->mimeData());
  if (files.empty()) {
    e->ignore();
    return;
  }
  e->acceptProposedAction();
  FilesDropped(files);
}

void TfrmMain::FilesDropped(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  LoadFile(paths.front());
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

void TfrmMain::mnuFontsClick() {
  if (platform().fontDialog(dlgMainFont)) AssignMainFont();
}

// --- File commands ----------------------------------------------------------------------

bool TfrmMain::SaveChanges() {
  const ModalResult r = platform().messageDlg(
      "The quiz " + FFileName + " has changed.\r\rDo you want to save the changes?",
      MsgType::Confirmation, mbYesNoCancel | mbHelp, 4000);
  if (r == ModalResult::Yes) return Save();
  return r == ModalResult::No;
}

bool TfrmMain::Save() {
  if (FFileName.empty()) return SaveAs();
  if (!SaveAsXML(FFileName)) {
    platform().messageDlg("Unable to save file: " + FFileName, MsgType::Warning, mbOK, 4000);
    return false;
  }
  FChanged = false;
  return true;
}

bool TfrmMain::SaveAs() {
  if (!platform().saveDialog(dlgSaveFile)) return false;
  std::string name = dlgSaveFile.fileName;
  if (name.find(".aky") == std::string::npos) name += ".aky";
  if (!SaveAsXML(name)) {
    platform().messageDlg("Unable to save file: " + name, MsgType::Warning, mbOK, 4000);
    return false;
  }
  FFileName = name;
  FChanged = false;
  UpdateMainCaption();
  AddRecentFile(FFileName);
  return true;
}

bool TfrmMain::NewQuiz() {
  if (FChanged && !SaveChanges()) return false;
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
  FChanged = false;
  return true;
}

void TfrmMain::spdNewClick() { NewQuiz(); }

void TfrmMain::spdLoadQuizClick() {
  if (FChanged && !SaveChanges()) return;
  if (platform().openDialog(dlgOpenFile)) LoadFile(dlgOpenFile.fileName);
}

void TfrmMain::spdSaveQuizClick() { Save(); }

void TfrmMain::mnuSaveAsClick() { SaveAs(); }

void TfrmMain::mnuLastFile1Click(int tag) {
  if (tag < 1 || tag > 5) return;
  const std::string fileName = FLastFiles[static_cast<size_t>(tag)];
  if (!NewQuiz()) return;
  LoadFile(fileName);
}

void TfrmMain::spdQuitClick() { close(); }

// --- Other windows and options ------------------------------------------------------------

int TfrmMain::RunModalForm(QDialog& form) {
  if (ModalFormHook) return ModalFormHook(form);
  return form.exec();
}

void TfrmMain::mnuConfigureOutputClick() {
  if (frmConfig) RunModalForm(*frmConfig);
}

void TfrmMain::spdConfigClick() { mnuConfigureOutputClick(); }

void TfrmMain::mnuEditHTMLClick() {
  if (!RawHTMLWarned) {
    platform().messageDlg(
        "Please note that editing the raw HTML files may cause your Web pages to fail.",
        MsgType::Warning, mbOK, 33000);
    RawHTMLWarned = true;
  }
  if (frmSourceFiles) frmSourceFiles->ShowModal();
}

void TfrmMain::mnuReloadConfigClick() {
  const ModalResult r = platform().messageDlg(
      "This will change the way data and configuration information is saved. Are you sure you "
      "want to change this setting?",
      MsgType::Warning, mbOK | mbCancel | mbHelp, 9000);
  if (r != ModalResult::OK) return;
  mnuReloadConfig->setChecked(!mnuReloadConfig->isChecked());
  try {
    tavrel::TRegistry reg;
    reg.OpenKey(std::string(kTavrelBaseKey) + "\\" + AppTitle() + "\\Config", true);
    reg.WriteString("ReloadFromFile", mnuReloadConfig->isChecked() ? "True" : "False");
  } catch (const std::exception& e) {
    platform().messageDlg(e.what(), MsgType::Error, mbOK, 0);
  }
}

void TfrmMain::mnuAddReadingTextClick() {
  if (frmAddReadingText) frmAddReadingText->ShowReading();
}

void TfrmMain::mnuHelpContentsClick() { platform().showHelpContents(); }

void TfrmMain::mnuAboutClick() {
  if (frmTLAbout) RunModalForm(*frmTLAbout);
}

void TfrmMain::mnuInternetHelpClick(int tag) {
  std::string target;
  switch (tag) {
    case 1:
      target = "https://tavrel.example.org/askery/update.htm";
      break;
    case 2:
      target = "https://tavrel.example.org/board/";
      break;
    case 3: {
      std::string version;
      GetVersionString(version);
      target = "mailto:support@tavrel.example.org?subject=Tavrel - Askery v" + version;
      break;
    }
    default:
      return;
  }
  std::string error;
  if (!platform().shellOpen(target, error))
    platform().messageDlg(
        "Unable to connect. Please see the Help for details on how to contact us by e-mail or "
        "through our Web site.",
        MsgType::Warning, mbOK, 1000);
}

}  // namespace askery
