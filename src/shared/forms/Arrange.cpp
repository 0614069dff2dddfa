#include "shared/forms/Arrange.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>

#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"
#include "shared/forms/MainFormBase.h"
#include "shared/core/TQList.h"
#include "shared/forms/ModalForm.h"

TfrmArrange* frmArrange = nullptr;
std::function<void(TfrmArrange&)> TfrmArrange::ModalHook;

namespace {
const char* const kOutlineMime = "application/x-tavrel-outline-line";
}

// --- TOutlineView -------------------------------------------------------------

TOutlineView::TOutlineView(TfrmArrange* form, QWidget* parent)
    : QTreeWidget(parent), form_(form) {
  setHeaderHidden(true);
  setColumnCount(1);
  setAcceptDrops(true);
  setDragEnabled(false);  // drags start from text lines only, below
  setDropIndicatorShown(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setExpandsOnDoubleClick(false);
}

int TOutlineView::LineOf(const QTreeWidgetItem* item) const {
  if (!item) return 0;
  if (const QTreeWidgetItem* parent = item->parent())
    return 2 * indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(parent)) + 2;
  const int top = indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
  return top < 0 ? 0 : 2 * top + 1;
}

QTreeWidgetItem* TOutlineView::ItemAtLine(int line) const {
  if (line < 1) return nullptr;
  QTreeWidgetItem* top = topLevelItem((line - 1) / 2);
  if (!top) return nullptr;
  return (line % 2 == 1) ? top : top->child(0);
}

void TOutlineView::mousePressEvent(QMouseEvent* e) {
  QTreeWidget::mousePressEvent(e);
  armed_ = false;
  if (e->button() != Qt::LeftButton || topLevelItemCount() == 0) return;
  const int line = LineOf(itemAt(e->position().toPoint()));
  if (line > 0 && form_->Outline1MouseDown(line)) {
    armed_ = true;
    pressPos_ = e->position().toPoint();
  }
}

void TOutlineView::mouseMoveEvent(QMouseEvent* e) {
  if (!armed_ || !(e->buttons() & Qt::LeftButton)) {
    QTreeWidget::mouseMoveEvent(e);
    return;
  }
  if ((e->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
    return;
  armed_ = false;
  auto* drag = new QDrag(this);
  auto* mime = new QMimeData;
  mime->setData(kOutlineMime, QByteArray::number(form_->FDragSource));
  drag->setMimeData(mime);
  drag->exec(Qt::MoveAction);
}

void TOutlineView::dragEnterEvent(QDragEnterEvent* e) {
  if (e->source() == this && e->mimeData()->hasFormat(kOutlineMime))
    e->acceptProposedAction();
  else
    e->ignore();
}

void TOutlineView::dragMoveEvent(QDragMoveEvent* e) {
  if (e->source() == this && e->mimeData()->hasFormat(kOutlineMime))
    e->acceptProposedAction();
  else
    e->ignore();
}

void TOutlineView::dropEvent(QDropEvent* e) {
  if (e->source() != this || !e->mimeData()->hasFormat(kOutlineMime)) {
    e->ignore();
    return;
  }
  const int target = LineOf(itemAt(e->position().toPoint()));
  e->acceptProposedAction();
  if (target > 0) form_->Outline1DragDrop(form_->FDragSource, target);
}

// --- TfrmArrange -----------------------------------------------------------------

TfrmArrange::TfrmArrange(QWidget* parent) : QDialog(parent) {
  frmArrange = this;
  setObjectName("frmArrange");
  setWindowTitle("Change the Order of Questions");
  setWindowIcon(QApplication::windowIcon());
  setMinimumSize(240, 200);

  pnlTitle = new QLabel("Drag and drop to move questions.", this);
  pnlTitle->setObjectName("pnlTitle");
  pnlTitle->setAlignment(Qt::AlignCenter);
  pnlTitle->setFrameShape(QFrame::Panel);
  pnlTitle->setFrameShadow(QFrame::Raised);
  pnlTitle->move(1, 1);

  Outline1 = new TOutlineView(this, this);
  Outline1->setObjectName("Outline1");
  Outline1->setToolTip("Drag a question and drop it onto the number you want to move it to");
  Outline1->move(13, 44);

  btnAccept = new QPushButton("&OK", this);
  btnAccept->setObjectName("btnAccept");
  btnAccept->resize(90, 27);
  btnAccept->setDefault(true);
  btnHelp = new QPushButton("&Help", this);
  btnHelp->setObjectName("btnHelp");
  btnHelp->resize(90, 27);
  btnHelp->setAutoDefault(false);

  TMainFormBase::ConnectCommand(btnAccept, [this] { btnAcceptClick(); });
  TMainFormBase::ConnectCommand(btnHelp, [this] { btnHelpClick(); });

  resize(400, 440);
  FormResize();
}

TfrmArrange::~TfrmArrange() {
  if (frmArrange == this) frmArrange = nullptr;
}

void TfrmArrange::BuildStructure() {
  Outline1->clear();
  TQList* list = frmMain ? frmMain->Questions() : nullptr;
  const int n = list ? list->Count() : 0;
  QList<QTreeWidgetItem*> tops;
  tops.reserve(n);
  for (int i = 1; i <= n; ++i) {
    auto* number = new QTreeWidgetItem(QStringList(QString::number(i) + "."));
    auto* text = new QTreeWidgetItem(number);
    // The text line shows the item on one line.
    QString shown = tavrel::toQStringLines(list->GetQuestionText(i));
    shown.replace('\n', ' ');
    text->setText(0, shown);
    tops.append(number);
  }
  Outline1->addTopLevelItems(tops);
  Outline1->expandAll();
}

bool TfrmArrange::Outline1MouseDown(int line) {
  if (Outline1->topLevelItemCount() == 0 || line < 1 || line > 2 * Outline1->topLevelItemCount())
    return false;
  if (QTreeWidgetItem* item = Outline1->ItemAtLine(line)) Outline1->setCurrentItem(item);
  if (line % 2 != 0) return false;
  FDragSource = line;
  return true;
}

bool TfrmArrange::Outline1DragDrop(int sourceLine, int targetLine) {
  TQList* list = frmMain ? frmMain->Questions() : nullptr;
  if (!list) return false;
  const int lines = 2 * list->Count();
  if (sourceLine < 2 || sourceLine % 2 != 0 || sourceLine > lines) return false;
  if (targetLine < 1 || targetLine % 2 == 0 || targetLine > lines) return false;
  if (targetLine + 1 == sourceLine) return false;
  const int k = sourceLine / 2;
  const int m = (targetLine + 1) / 2;
  list->Move(k - 1, m - 1);
  ++FMoves;
  BuildStructure();
  return true;
}

void TfrmArrange::btnAcceptClick() {
  if (frmMain) frmMain->Redisplay();
  done(Accepted);
}

void TfrmArrange::btnHelpClick() { tavrel::platform().showHelp(kHelpContext); }

void TfrmArrange::FormShow() {
  FDragSource = 0;
  FMoves = 0;
  BuildStructure();
}

void TfrmArrange::FormResize() {
  const int w = width();
  const int h = height();
  pnlTitle->resize(std::max(0, w - 2), 36);
  Outline1->resize(std::max(0, w - 26), std::max(0, h - 94));
  btnAccept->move(w / 2 - (btnAccept->width() + 4), h - 47);
  btnHelp->move(w / 2 + 4, h - 47);
}

int TfrmArrange::ShowModal() { return ShowModalForm(*this, ModalHook); }

void TfrmArrange::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TfrmArrange::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  FormResize();
}

void TfrmArrange::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
    btnHelpClick();
    return;
  }
  QDialog::keyPressEvent(e);
}
