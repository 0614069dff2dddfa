#include "gridel/forms/AddClues.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "aligrid/widget/AlignGrid.h"
#include "gridel/forms/Main.h"
#include "platform/core/Platform.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/PictureLibrary.h"

namespace gridel {

TfrmAddClues* frmAddClues = nullptr;

namespace {

constexpr int kDesignWidth = 592;
constexpr int kDesignHeight = 374;
constexpr int kStartRows = 30;
constexpr TColor kMaroon = 0x000080;  // 0x00BBGGRR
constexpr TColor kWhite = 0xFFFFFF;

}  // namespace

TfrmAddClues::TfrmAddClues(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAddClues");
  setWindowTitle("Add Clues");
  setProperty("helpContext", kHelpClues);
  setModal(true);
  frmAddClues = this;
  {
    QFont f("Arial");
    f.setBold(true);
    f.setPixelSize(13);
    setFont(f);
  }

  MainMenu1 = new QMenuBar(this);
  mnuInsert = MainMenu1->addMenu("&Insert");
  mnuInsert->setObjectName("mnuInsert");
  mnuInsert->setProperty("helpContext", kHelpInsertMenu);
  mnuPicture = mnuInsert->addMenu("&Picture");
  mnuPicture->setProperty("helpContext", kHelpPicture);
  mnuInsertWebPic = mnuPicture->addAction("From &Web URL");
  TMainFormBase::ConnectCommand(mnuInsertWebPic, [this] { mnuInsertWebPicClick(); });
  mnuInsertLocalPic = mnuPicture->addAction("From &Local File");
  TMainFormBase::ConnectCommand(mnuInsertLocalPic, [this] { mnuInsertLocalPicClick(); });
  mnuLink = mnuInsert->addMenu("&Link");
  mnuLink->setProperty("helpContext", kHelpLink);
  mnuToURL = mnuLink->addAction("To URL");
  TMainFormBase::ConnectCommand(mnuToURL, [this] { mnuToURLClick(); });
  mnuToFile = mnuLink->addAction("To File");
  TMainFormBase::ConnectCommand(mnuToFile, [this] { mnuToFileClick(); });
  connect(mnuInsert, &QMenu::aboutToShow, this, [this] { mnuInsertClick(); });

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setMenuBar(MainMenu1);
  client_ = new QWidget(this);
  outer->addWidget(client_, 1);

  AcrossGrid = new TStringAlignGrid(client_);
  AcrossGrid->setObjectName("AcrossGrid");
  DownGrid = new TStringAlignGrid(client_);
  DownGrid->setObjectName("DownGrid");
  SetUpGrid(AcrossGrid, "Across");
  SetUpGrid(DownGrid, "Down");
  AcrossGrid->SetScrollBars(ssVertical);
  DownGrid->SetScrollBars(ssVertical);

  btnOK = new QPushButton("&OK", client_);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  btnOK->resize(75, 25);
  TMainFormBase::ConnectCommand(btnOK, [this] { btnOKClick(); });

  LastClueGrid = 1;
  LastClueCol = 2;
  LastClueRow = 1;
  resize(kDesignWidth, kDesignHeight + MainMenu1->sizeHint().height());
}

TfrmAddClues::~TfrmAddClues() {
  if (frmAddClues == this) frmAddClues = nullptr;
}

void TfrmAddClues::SetUpGrid(TStringAlignGrid* grid, const char* heading) {
  grid->SetColCount(3);
  grid->SetRowCount(kStartRows);
  grid->SetFixedRows(1);
  grid->SetFixedCols(0);
  grid->SetOptions(kDefaultGridOptions | goEditing);
  grid->SetEditable(false);
  grid->SetEditCol(2, true);
  grid->SetColorFixedRow(0, kMaroon);
  grid->GetFontFixedRow(0).SetColor(kWhite);
  grid->SetFixedAlignRow(0, alCenter);
  grid->SetAlignCol(0, alCenter);
  grid->SetSelectedCellColor(kWhite);
  grid->SetSelectedFontColor(clInfoText);
  grid->SetCells(0, 0, heading);
  grid->SetCells(1, 0, "Words");
  grid->SetCells(2, 0, "Definitions");
  grid->SetColWidths(0, 63);
  grid->SetColWidths(1, 164);
  grid->SetColWidths(2, 306);
  grid->setToolTip("Type your clues next to the words.");
  const int which = grid == DownGrid ? 2 : 1;
  grid->OnSelectCell = [this, which](TStringGrid*, int col, int row, bool& canSelect) {
    if (col < 2) {
      canSelect = false;
      return;
    }
    LastClueGrid = which;
    LastClueCol = col;
    LastClueRow = row;
  };
  // The first clue cell is current, so typing starts there.
  grid->FocusCell(2, 1, true);
}

void TfrmAddClues::FillGrid(TStringAlignGrid* grid, const std::vector<Word>& words) {
  for (int r = 1; r < grid->RowCount(); ++r)
    for (int c = 0; c < 3; ++c) grid->SetCells(c, r, "");
  int row = 1;
  for (const Word& w : words) {
    if (grid->RowCount() <= row) grid->SetRowCount(row + 1);
    grid->SetCells(0, row, std::to_string(w.number));
    grid->SetCells(1, row, w.text);
    grid->SetCells(2, row, w.clue);
    ++row;
  }
  grid->Invalidate();
}

void TfrmAddClues::ShowWords(const CrosswordWords& words) {
  if (DownGrid->Editing()) DownGrid->EndCellEdit(true);
  if (AcrossGrid->Editing()) AcrossGrid->EndCellEdit(true);
  FillGrid(DownGrid, words.down);
  FillGrid(AcrossGrid, words.across);
  LastClueGrid = 1;
  LastClueCol = 2;
  LastClueRow = 1;
}

std::vector<Word> TfrmAddClues::Rows(int which) const {
  const TStringAlignGrid* grid = GridOf(which);
  std::vector<Word> out;
  for (int r = 1; r < grid->RowCount(); ++r) {
    if (grid->Cells(1, r).empty()) break;
    Word w;
    w.number = std::atoi(grid->Cells(0, r).c_str());
    w.text = grid->Cells(1, r);
    w.clue = grid->Cells(2, r);
    out.push_back(std::move(w));
  }
  return out;
}

void TfrmAddClues::SaveWordsAndClues() {
  if (!frmMainGridel) return;
  CrosswordWords words;
  words.across = Rows(1);
  words.down = Rows(2);
  frmMainGridel->FClues = gridel::SaveWordsAndClues(words);
}

void TfrmAddClues::CheckAllClues() {
  if (!frmMainGridel) return;
  CrosswordWords words;
  words.across = Rows(1);
  words.down = Rows(2);
  frmMainGridel->FAllCluesDone = AllCluesDone(words);
}

void TfrmAddClues::AssignFont(const tavrel::FontSpec& font) {
  ApplyFontSpec(font, AcrossGrid->Font());
  ApplyFontSpec(font, DownGrid->Font());
}

void TfrmAddClues::ShowModal() {
  // Centred on the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  if (ModalHook)
    ModalHook(*this);
  else
    exec();
  FormClose();
}

void TfrmAddClues::FormClose() {
  // A clue still being typed counts.
  for (TStringAlignGrid* g : {AcrossGrid, DownGrid})
    if (g->Editing()) g->EndCellEdit(false);
  SaveWordsAndClues();
  CheckAllClues();
  if (frmMainGridel) frmMainGridel->FChanged = true;
}

void TfrmAddClues::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
    tavrel::platform().showHelp(kHelpClues);
    return;
  }
  QDialog::keyPressEvent(e);
}

void TfrmAddClues::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  if (client_) FormResize(client_->width(), client_->height());
}

void TfrmAddClues::FormResize(int w, int h) {
  btnOK->move(w / 2 - btnOK->width() / 2, std::max(0, h - 42));
  const int gridWidth = std::max(0, w - 32);
  const int gridHeight = std::max(0, (h - 72) / 2);
  AcrossGrid->setGeometry(16, 8, gridWidth, gridHeight);
  DownGrid->setGeometry(16, gridHeight + 16, gridWidth, gridHeight);
  for (TStringAlignGrid* g : {AcrossGrid, DownGrid})
    g->SetColWidths(2, std::max(1, gridWidth - (g->ColWidths(0) + g->ColWidths(1)) - 26));
}

// --- Insert menu --------------------------------------------------------------------

bool TfrmAddClues::GridFocused() const {
  const QWidget* f = QApplication::focusWidget();
  for (const TStringAlignGrid* g : {AcrossGrid, DownGrid})
    if (f && (f == g || g->isAncestorOf(f))) return true;
  return false;
}

void TfrmAddClues::mnuInsertClick() {
  const bool on = GridFocused();
  mnuPicture->setEnabled(on);
  mnuLink->setEnabled(on);
}

void TfrmAddClues::InsertIntoClue(const std::string& html) {
  TStringAlignGrid* grid = GridOf(LastClueGrid);
  if (grid->Editing()) grid->EndCellEdit(false);
  if (!html.empty() && !grid->Cells(1, LastClueRow).empty()) {
    grid->SetCells(LastClueCol, LastClueRow, html + grid->Cells(LastClueCol, LastClueRow));
    grid->Invalidate();
  }
  if (frmMain) frmMain->dlgSaveWeb.initialDir = ExtractFilePath(frmMain->FFileName);
}

void TfrmAddClues::mnuToURLClick() {
  if (!GridFocused() || !frmInsertLink || !frmMain) return;
  std::string html;
  frmInsertLink->ShowMe(false, frmMain->FFileName, html, "");
  InsertIntoClue(html);
}

void TfrmAddClues::mnuToFileClick() {
  if (!GridFocused() || !frmInsertLink || !frmMain) return;
  std::string html;
  frmInsertLink->ShowMe(true, frmMain->dlgSaveFile.fileName, html, "");
  InsertIntoClue(html);
}

void TfrmAddClues::mnuInsertWebPicClick() {
  if (!GridFocused()) return;
  std::string html;
  tavrel::GetWebPicTag(html);
  InsertIntoClue(html);
}

void TfrmAddClues::mnuInsertLocalPicClick() {
  if (!GridFocused() || !frmMain) return;
  std::string html;
  tavrel::GetPicInfo(true, frmMain->FFileName, html);
  InsertIntoClue(html);
}

}  // namespace gridel
