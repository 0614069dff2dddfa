// Gridel's main window: creation, closing, layout, menus, toolbar, the
// letter grid's keys, the shifts, the size dialog and the Edit and Insert
// menus.
#include "gridel/forms/Main.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <stdexcept>

#include "aligrid/widget/AlignGrid.h"
#include "gridel/forms/AddClues.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Registry.h"
#include "platform/qt/Widgets.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"
#include "shared/core/StringFunctions.h"
#include "shared/forms/EditFunctions.h"
#include "shared/forms/EditMenu.h"
#include "shared/forms/PictureLibrary.h"
#include "shared/forms/TLAbout.h"
#include "shared/forms/TLFunctions.h"

namespace gridel {

using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::platform;
using tavrel::TMemo;

TfrmMain* frmMainGridel = nullptr;

void ApplyFontSpec(const tavrel::FontSpec& chosen, TMyFont& font) {
  font.SetName(chosen.name);
  font.SetHeight((chosen.size * 96 + 36) / 72);
  font.SetStyle((chosen.bold ? fsBold : 0u) | (chosen.italic ? fsItalic : 0u));
  font.SetColor(chosen.color);
}

namespace {

// Designed client area and the fixed places of the form.
constexpr int kDesignWidth = 541;
constexpr int kDesignHeight = 464;
constexpr int kToolBarHeight = 34;
constexpr int kGridLeft = 134;
constexpr int kGridTop = 44;
constexpr int kColumnLeft = 8;
constexpr int kColumnWidth = 118;
constexpr int kMoveButton = 28;
// Bounds the letter-size search, whatever the cell size.
constexpr int kLargestLetter = 400;

// Pixels of a font size in points on the 96-dots-per-inch screen the
// window's layout is designed for.
int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

std::string ConfigKey() { return std::string(kTavrelBaseKey) + "\\Gridel\\Config"; }

int ReadGridSizeSetting() {
  tavrel::TRegistry reg;
  if (!reg.OpenKey(ConfigKey(), false)) return kDefaultGridSize;
  return GridSizeFromSetting(reg.ReadString("MaxGridSize"));
}

}  // namespace

int TfrmMain::WindowHelpContext() const { return kHelpGridelWindow; }

TfrmMain::TfrmMain(QWidget* parent) : TMainFormBase(parent) {
  setObjectName("frmMain");
  frmMain = this;
  frmMainGridel = this;
  setWindowIcon(TavrelProgramIcon("Gridel"));
  CreateComponents();
  CreateMenus();
  CreateStatusBar({300, 150, 50});
  SetStatusPanelText(1, "Config: ");
  const int chrome = menuBar()->sizeHint().height();
  resize(kDesignWidth, kDesignHeight + chrome);
  setMinimumSize(300, 260 + chrome);
  FormCreate();
}

TfrmMain::~TfrmMain() {
  if (frmMainGridel == this) frmMainGridel = nullptr;
}

void TfrmMain::CreateComponents() {
  central_ = new QWidget(this);
  central_->setObjectName("pnlClient");
  setCentralWidget(central_);
  CreateToolBar();

  CWGrid = new TStringAlignGrid(central_);
  CWGrid->setObjectName("CWGrid");
  CWGrid->SetFixedCols(0);
  CWGrid->SetFixedRows(0);
  // No in-place editing, no range selection: one cell is current and the
  // keys typed on it are the window's (CWGridKeyPress).
  CWGrid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
  CWGrid->SetEditable(false);
  CWGrid->SetAlignment(alCenter);
  CWGrid->SetWholeLetters(true);
  CWGrid->SetScrollBars(ssNone);
  CWGrid->HandleClipboard = false;
  CWGrid->ShowCellHints = false;
  CWGrid->SetDefaultColWidth(24);
  CWGrid->Font().SetName("Arial");
  CWGrid->setToolTip("Create your crossword in this grid");
  CWGrid->move(kGridLeft, kGridTop);
  CWGrid->OnKeyPress = [this](TStringGrid* g, char& key) {
    // A character the code page cannot hold arrives as '&' with its
    // reference in KeyText.
    const std::string& text = g->KeyText();
    if (key == '&' && text.size() > 1)
      CWGridKeyPress(text);
    else
      CWGridKeyPress(static_cast<unsigned char>(key));
    key = 0;
  };
  CWGrid->OnKeyDown = [this](TStringGrid*, int& key, TShiftState shift) { CWGridKeyDown(key, shift); };

  pnlTitle = new QLabel("Title:", central_);
  pnlTitle->setObjectName("pnlTitle");
  pnlTitle->setAlignment(Qt::AlignCenter);
  pnlTitle->setFrameShape(QFrame::Panel);
  pnlTitle->setFrameShadow(QFrame::Raised);
  pnlTitle->setGeometry(kColumnLeft, kGridTop, kColumnWidth, 20);

  mmoTitle = new TMemo(central_, "mmoTitle");
  mmoTitle->SetMaxLength(960);
  mmoTitle->SetWantReturns(false);
  mmoTitle->SetCentered(true);
  {
    QFont f("Arial");
    f.setBold(true);
    mmoTitle->setFont(f);
    QPalette p = mmoTitle->palette();
    p.setColor(QPalette::Active, QPalette::Text, QColor(128, 0, 0));
    p.setColor(QPalette::Inactive, QPalette::Text, QColor(128, 0, 0));
    mmoTitle->setPalette(p);
  }
  mmoTitle->setToolTip("Enter the title of this puzzle");
  mmoTitle->setGeometry(kColumnLeft, kGridTop + 22, kColumnWidth, 90);
  mmoTitle->OnChange = [this] { mmoTitleChange(); };
  PreviewKeysOf(mmoTitle);
  PreviewKeysOf(CWGrid);

  btnAddClues = new QPushButton("Add Clues", central_);
  btnAddClues->setObjectName("btnAddClues");
  btnAddClues->setToolTip("Write clues for the words entered into the grid");
  btnAddClues->setGeometry(kColumnLeft, kGridTop + 124, kColumnWidth, 30);
  ConnectCommand(btnAddClues, [this] { btnAddCluesClick(); });

  pnlMove = new QWidget(central_);
  pnlMove->setObjectName("pnlMove");
  auto* cross = new QGridLayout(pnlMove);
  cross->setContentsMargins(0, 0, 0, 0);
  cross->setSpacing(2);
  auto arrow = [this, cross](QToolButton*& b, const char* name, Qt::ArrowType type, const char* hint,
                             int row, int col, std::function<void()> click) {
    b = new QToolButton(pnlMove);
    b->setObjectName(name);
    b->setArrowType(type);
    b->setToolTip(hint);
    b->setFixedSize(kMoveButton, kMoveButton);
    b->setFocusPolicy(Qt::NoFocus);
    ConnectCommand(b, std::move(click));
    cross->addWidget(b, row, col);
  };
  arrow(spdUp, "spdUp", Qt::UpArrow, "Move the letters up", 0, 1, [this] { spdUpClick(); });
  arrow(spdLeft, "spdLeft", Qt::LeftArrow, "Move the letters left", 1, 0, [this] { spdLeftClick(); });
  arrow(spdRight, "spdRight", Qt::RightArrow, "Move the letters right", 1, 2,
        [this] { spdRightClick(); });
  arrow(spdDown, "spdDown", Qt::DownArrow, "Move the letters down", 2, 1, [this] { spdDownClick(); });
  pnlMove->setGeometry(kColumnLeft + (kColumnWidth - 3 * kMoveButton - 4) / 2, kGridTop + 166,
                       3 * kMoveButton + 4, 3 * kMoveButton + 4);

  setTabOrder(mmoTitle, btnAddClues);
  setTabOrder(btnAddClues, CWGrid);
}

void TfrmMain::CreateToolBar() {
  pnlToolbar = AddToolBar(
      central_, "pnlToolbar", kDesignWidth, kToolBarHeight,
      {
          {&spdNew, "spdNew", TavrelGlyph::New, "Start a new crossword", [this] { spdNewClick(); }},
          {&spdLoadQuiz, "spdLoadQuiz", TavrelGlyph::Open, "Load a crossword you have previously saved",
           [this] { spdLoadQuizClick(); }},
          {&spdSave, "spdSave", TavrelGlyph::Save, "Save this crossword", [this] { spdSaveClick(); }},
          {&spdSaveAs, "spdSaveAs", TavrelGlyph::SaveAs, "Save this crossword with another name",
           [this] { mnuSaveAsClick(); }},
      },
      {
          {&spdConfig, "spdConfig", TavrelGlyph::Config, "Configure output", [this] { spdConfigClick(); }},
          {&spdToWeb, "spdToWeb", TavrelGlyph::Web, "Compile this crossword into a Web page",
           [this] { spdToWebClick(); }},
          {&spdToDHTML, "spdToDHTML", TavrelGlyph::DHTML, "Compile this crossword into a single Web page",
           [this] { spdToDHTMLClick(); }},
      });
}

void TfrmMain::CreateMenus() {
  auto item = [this](QMenu* m, const char* caption, const char* name, std::function<void()> click,
                     const QKeySequence& shortcut = QKeySequence()) {
    return AddItem(m, caption, name, std::move(click), shortcut);
  };

  mnuFile = AddMenu("&File", "mnuFile", kHelpFileMenu);
  mnuNew = item(mnuFile, "&New", "mnuNew", [this] { spdNewClick(); }, QKeySequence("Ctrl+N"));
  mnuOpen = item(mnuFile, "&Open...", "mnuOpen", [this] { spdLoadQuizClick(); }, QKeySequence("Ctrl+O"));
  mnuSave = item(mnuFile, "&Save", "mnuSave", [this] { spdSaveClick(); }, QKeySequence("Ctrl+S"));
  mnuSaveAs = item(mnuFile, "Save &As...", "mnuSaveAs", [this] { mnuSaveAsClick(); });
  mnuFile->addSeparator();
  mnuExportToWeb = item(mnuFile, "Export to &HTML", "mnuExportToWeb", [this] { spdToWebClick(); });
  mnuExportToDHTML = item(mnuFile, "Export to &DHTML", "mnuExportToDHTML", [this] { spdToDHTMLClick(); });
  AddRecentFileItems(mnuFile);
  mnuFile->addSeparator();
  mnuExit = item(mnuFile, "E&xit", "mnuExit", [this] { spdQuitClick(); });

  AddEditMenu();

  mnuInsert = AddMenu("&Insert", "mnuInsert", kHelpInsertMenu);
  mnuPicture = AddSubmenu(mnuInsert, "&Picture", "mnuPicture", kHelpPicture);
  mnuInsertWebPic = item(mnuPicture, "From &Web URL", "mnuInsertWebPic", [this] { mnuInsertWebPicClick(); });
  mnuInsertLocalPic = item(mnuPicture, "From &Local File", "mnuInsertLocalPic",
                           [this] { mnuInsertLocalPicClick(); });
  mnuLink = AddSubmenu(mnuInsert, "&Link", "mnuLink", kHelpLink);
  mnuToURL = item(mnuLink, "To URL", "mnuToURL", [this] { mnuToURLClick(); });
  mnuToFile = item(mnuLink, "To File", "mnuToFile", [this] { mnuToFileClick(); });
  for (QAction* a : {mnuInsertWebPic, mnuInsertLocalPic}) a->setProperty(kHelpContextProperty, kHelpPicture);
  for (QAction* a : {mnuToURL, mnuToFile}) a->setProperty(kHelpContextProperty, kHelpLink);
  connect(mnuInsert, &QMenu::aboutToShow, this, [this] { mnuInsertClick(); });

  mnuManageGrid = AddMenu("&Manage Grid", "mnuManageGrid", 0);
  mnuChangeGridSize = item(mnuManageGrid, "&Change grid size", "mnuChangeGridSize",
                           [this] { mnuChangeGridSizeClick(); });

  mnuOptions = AddMenu("&Options", "mnuOptions", kHelpReloadConfig);
  mnuConfigureOutput = item(mnuOptions, "&Configure Output", "mnuConfigureOutput",
                            [this] { mnuConfigureOutputClick(); });
  mnuEditHTML = item(mnuOptions, "&Edit Raw HTML", "mnuEditHTML", [this] { mnuEditHTMLClick(); });
  mnuFont = item(mnuOptions, "&Font...", "mnuFont", [this] { mnuFontsClick(); });
  AddReloadConfigItem(mnuOptions, "&Reload config info from file");

  mnuHelp = AddMenu("&Help", "mnuHelp", kHelpHelpMenu);
  mnuContents = item(mnuHelp, "&Contents", "mnuContents", [this] { mnuHelpContentsClick(); });
  mnuContents->setProperty(kHelpContextProperty, kHelpContents);
  mnuInternetHelp = AddSubmenu(mnuHelp, "&Internet Help", "mnuInternetHelp", kHelpHelpMenu);
  item(mnuInternetHelp, "&FAQ", "mnuFAQ", [this] { mnuInternetHelpClick(1); });
  item(mnuInternetHelp, "&Bulletin Board", "mnuBulletinBoard", [this] { mnuInternetHelpClick(2); });
  item(mnuInternetHelp, "&E-Mail Help", "mnuEMailHelp", [this] { mnuInternetHelpClick(3); });
  mnuAbout = item(mnuHelp, "&About...", "mnuAbout", [this] { mnuAboutClick(); });
  mnuAbout->setProperty(kHelpContextProperty, kHelpAbout);
}

void TfrmMain::FormCreate() {
  FClues.clear();
  FGridSize = ReadGridSizeSetting();
  FGrid = LetterGrid(FGridSize);
  RedrawGrid(FGridSize);
  CWGrid->FocusCell(0, 0, true);
  RawHTMLWarned = false;

  SetUpFileDialogs("Gridel files|*.gdl", "Gridel files (*.gdl)|*.gdl", "gdl", true);
  dlgOpenFile.title = "Open file";

  ReadStartSettings();
  FUsesTemplate = {true, true, true, true, false};
  mnuEditHTML->setEnabled(true);
  FChanged = false;
  FFileName.clear();
  UpdateMainCaption();
  setAcceptDrops(true);
  ShowSplashScreen();
}

void TfrmMain::FormClose() {
  TMainFormBase::FormClose();
  try {
    tavrel::TRegistry reg;
    if (reg.OpenKey(ConfigKey(), true)) reg.WriteString("MaxGridSize", std::to_string(FGridSize));
  } catch (const std::exception& e) {
    platform().showMessage(e.what());
  }
}

// A recent file: New (whose question may be cancelled), then the file in
// either case; the load's own question comes again while the crossword is
// still changed.  A file that cannot be read is refused before New.
void TfrmMain::OpenRecentFile(int tag) {
  if (tag < 1 || tag > 5 || FLastFiles[static_cast<size_t>(tag)].empty()) return;
  if (!RecentFileReadable(tag)) return;
  const std::string fileName = FLastFiles[static_cast<size_t>(tag)];
  NewFile();
  LoadFile(fileName);
}

void TfrmMain::ClearExercise() {
  FGrid.Clear();
  ShowGrid();
  FClues.clear();
  mmoTitle->SetText("");
  dlgSaveFile.fileName.clear();
  FFileName.clear();
  UpdateMainCaption();
}

// --- Layout ------------------------------------------------------------------------

void TfrmMain::resizeEvent(QResizeEvent* e) {
  TMainFormBase::resizeEvent(e);
  LayoutCentral();
}

void TfrmMain::LayoutCentral() {
  // The client area runs down to the window's bottom edge: the status bar
  // lies inside it, as the grid's bottom margin allows for.
  if (central_ && StatusBar1) FormResize(central_->width(), central_->height() + StatusBar1->height());
}

void TfrmMain::FormResize(int w, int h) {
  pnlToolbar->setGeometry(0, 0, std::max(0, w), kToolBarHeight);
  CWGrid->setGeometry(kGridLeft, kGridTop, std::max(0, w - 146), std::max(0, h - 71));
  RedrawGrid(FGridSize);
}

void TfrmMain::RedrawGrid(int newSize) {
  newSize = std::clamp(newSize, 1, kMaxGridSize);
  // The model keeps the letters at their rows and columns; callers make sure
  // the new size holds them.
  if (newSize != FGrid.Size()) FGrid.Resize(newSize);
  FGridSize = newSize;
  CWGrid->SetColCount(newSize);
  CWGrid->SetRowCount(newSize);
  const int side = CellSide(CWGrid->width(), CWGrid->height(), newSize);
  for (int i = 0; i < newSize; ++i) {
    CWGrid->SetColWidths(i, side);
    CWGrid->SetRowHeights(i, side);
  }
  ShowGrid();

  // The letters fill their cells: the largest size whose "M" is still
  // smaller than the cell less a margin, in the window's own font.
  QFont probe = font();
  int points = 6;
  while (points < kLargestLetter) {
    probe.setPointSize(points);
    const QFontMetrics m(probe);
    if (m.horizontalAdvance('M') >= side - 6 && m.height() >= side - 6) break;
    ++points;
  }
  const int pixels = PointsToPixels(std::max(1, points - 1));
  // Every letter is drawn whole: the accents over the tallest capitals
  // (A with a ring, Z with an acute) and the cedillas and ogoneks under the
  // others must fit in the cell less its one-pixel margins, with a clear
  // pixel above and below and one more for the smoothed edges, so the size
  // is brought down until they do.
  const int room = side - 5;
  int height = pixels;
  auto inkHeight = [&](int h) {
    CWGrid->Font().SetHeight(h);
    return TStringAlignGrid::LetterInk(TStringGrid::ToQFont(CWGrid->Font())).height();
  };
  int tall = inkHeight(height);
  if (tall > room && room > 0) {
    height = std::max(1, height * room / tall);
    tall = inkHeight(height);
  }
  while (tall > room && height > 1) tall = inkHeight(--height);
  while (tall < room) {
    // The proportional guess may leave a pixel or two unused.
    if (height >= pixels || inkHeight(height + 1) > room) break;
    tall = inkHeight(++height);
  }
  CWGrid->Font().SetHeight(height);
}

void TfrmMain::ShowCell(int col, int row) { CWGrid->SetCells(col, row, FGrid.Cell(col, row)); }

void TfrmMain::ShowGrid() {
  for (int r = 0; r < FGrid.Size(); ++r)
    for (int c = 0; c < FGrid.Size(); ++c) ShowCell(c, r);
  CWGrid->Invalidate();
}

void TfrmMain::FindGridSize() {
  const Extent e = FGrid.FindExtent();
  FTopRow = e.topRow;
  FBottomRow = e.bottomRow;
  FLeftCol = e.leftCol;
  FRightCol = e.rightCol;
}

// --- Grid keys -----------------------------------------------------------------------

void TfrmMain::CWGridKeyPress(int key) {
  if (key >= 0 && key <= 255) CWGridKeyPress(std::string(1, static_cast<char>(key)));
}

void TfrmMain::CWGridKeyPress(const std::string& typed) {
  const int col = CWGrid->Col(), row = CWGrid->Row();
  if (FGrid.TypeKey(col, row, typed)) {
    ShowCell(col, row);
    FChanged = true;
  }
}

void TfrmMain::CWGridKeyDown(int& key, unsigned shift) {
  const int col = CWGrid->Col(), row = CWGrid->Row();
  if (key == VK_INSERT && (shift & ssShift)) {
    PasteIntoGrid();
    key = 0;
  } else if (key == VK_INSERT && (shift & ssCtrl)) {
    CopyCellToClipboard(false);
    key = 0;
  } else if (key == VK_DELETE && (shift & ssShift)) {
    CopyCellToClipboard(true);
    key = 0;
  } else if (key == VK_DELETE) {
    if (FGrid.DeleteCell(col, row)) {
      ShowCell(col, row);
      FChanged = true;
    }
    key = 0;
  }
}

void TfrmMain::CopyCellToClipboard(bool cut) {
  const int col = CWGrid->Col(), row = CWGrid->Row();
  platform().setClipboardText(FGrid.Cell(col, row));
  if (cut && FGrid.DeleteCell(col, row)) {
    ShowCell(col, row);
    FChanged = true;
  }
}

// Pastes tab-separated lines from the current cell on; each piece goes in by
// the cell rule, so a piece of several characters or a refused one leaves
// its cell as it was.
void TfrmMain::PasteIntoGrid() {
  const std::string text = platform().clipboardText();
  if (text.empty()) return;
  int row = CWGrid->Row();
  size_t pos = 0;
  while (pos <= text.size() && row < FGrid.Size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    int col = CWGrid->Col();
    size_t p = 0;
    while (col < FGrid.Size()) {
      size_t tab = line.find('\t', p);
      const std::string piece = line.substr(p, tab == std::string::npos ? std::string::npos : tab - p);
      if (FGrid.SetCell(col, row, piece)) {
        ShowCell(col, row);
        FChanged = true;
      }
      if (tab == std::string::npos) break;
      p = tab + 1;
      ++col;
    }
    if (end >= text.size()) break;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    if (pos >= text.size()) break;
    ++row;
  }
}

// --- Shifts and size ----------------------------------------------------------------

void TfrmMain::ShiftGrid(Shift shift) {
  if (FGrid.EdgeHoldsLetters(shift) &&
      platform().messageDlg(ShiftQuestion(shift), MsgType::Confirmation, tavrel::mbYesNoCancel,
                            kHelpGridelWindow) != ModalResult::Yes)
    return;
  FGrid.ShiftLetters(shift);
  ShowGrid();
  FChanged = true;
}

void TfrmMain::mnuChangeGridSizeClick() {
  std::string typed = std::to_string(FGridSize);
  if (!platform().inputQuery("Change grid size", "Type a new size for your grid:", typed)) return;
  int newSize = 0;
  const SizeCheck check = CheckNewSize(typed, FGrid, newSize);
  if (check != SizeCheck::Accepted) {
    platform().messageDlg(SizeRefusalMessage(check), MsgType::Warning, tavrel::mbOK,
                          kHelpGridelWindow);
    return;
  }
  RedrawGrid(newSize);
}

// --- Words and clues ---------------------------------------------------------------

void TfrmMain::GenerateClues() {
  const CrosswordWords words = gridel::GenerateClues(FGrid, FClues);
  if (frmAddClues) frmAddClues->ShowWords(words);
}

void TfrmMain::btnAddCluesClick() {
  FAllCluesDone = false;
  GenerateClues();
  if (frmAddClues) frmAddClues->ShowModal();
}

// --- Keys and fonts ---------------------------------------------------------------

bool TfrmMain::FormKeyDown(const QKeyEvent* e) {
  if (TMainFormBase::FormKeyDown(e)) return true;
  if (IsExactlyCtrlAlt(e)) return HandleMarkupKeyEvent(this, e);
  return false;
}

void TfrmMain::AssignMainFont() {
  ApplyMainFont(mmoTitle, {});
  ApplyFontSpec(dlgMainFont, CWGrid->Font());
  if (frmAddClues) frmAddClues->AssignFont(dlgMainFont);
  RedrawGrid(FGridSize);
}

// --- Edit menu ------------------------------------------------------------------------
// The title is the window's only memo: the edit commands act on it alone.

namespace {
TMemo* FocusedTitle(TfrmMain* w) {
  return QApplication::focusWidget() == w->mmoTitle ? w->mmoTitle : nullptr;
}
}  // namespace

// Only the title takes the Edit menu's commands.
tavrel::IEditControl* TfrmMain::EditTarget() { return FocusedTitle(this); }

// --- Insert menu --------------------------------------------------------------------

void TfrmMain::mnuInsertClick() { EnableInsertMenu(mnuPicture, mnuLink, FocusedTitle(this) != nullptr); }

void TfrmMain::mnuInsertWebPicClick() { InsertIntoBox(FocusedTitle(this), InsertCommand::PictureFromWeb); }
void TfrmMain::mnuInsertLocalPicClick() { InsertIntoBox(FocusedTitle(this), InsertCommand::PictureFromFile); }
void TfrmMain::mnuToURLClick() { InsertIntoBox(FocusedTitle(this), InsertCommand::LinkToURL); }
void TfrmMain::mnuToFileClick() { InsertIntoBox(FocusedTitle(this), InsertCommand::LinkToFile); }

}  // namespace gridel
