// The outline dialog: the items of the main window's list as numbered lines,
// each with its text below it; dragging a text line onto a number line moves
// that item to that number at once.  Shared by the quiz and matching
// programs.
#pragma once

#include <QDialog>
#include <QTreeWidget>
#include <functional>

#include "shared/core/HelpContexts.h"

class QLabel;
class QPushButton;
class TfrmArrange;

// The outline view: starts a drag from an item's text line and hands drops
// on a line to the form.
class TOutlineView : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TOutlineView(TfrmArrange* form, QWidget* parent = nullptr);
  // 1-based line of an item in the fully expanded view; 0 for none.
  int LineOf(const QTreeWidgetItem* item) const;
  QTreeWidgetItem* ItemAtLine(int line) const;

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  TfrmArrange* form_;
  QPoint pressPos_;
  bool armed_ = false;
};

class TfrmArrange : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = kHelpManageMenu;

  explicit TfrmArrange(QWidget* parent = nullptr);
  ~TfrmArrange() override;

  QLabel* pnlTitle = nullptr;
  TOutlineView* Outline1 = nullptr;
  QPushButton* btnAccept = nullptr;
  QPushButton* btnHelp = nullptr;

  // Line number of the text line being dragged; 0 when none.
  int FDragSource = 0;
  // Moves made since the dialog was last shown.
  int FMoves = 0;

  // Clears the outline, adds "1." .. "N." with each item's text below its
  // number, expands all.
  void BuildStructure();
  // A left-button press on a line: a text line (even number) becomes the
  // drag source and true is returned; a number line is only selected.
  bool Outline1MouseDown(int line);
  // A drop on a line: moves the dragged item to the number dropped on, when
  // that is a number line other than the item's own.  True when it moved.
  bool Outline1DragDrop(int sourceLine, int targetLine);
  // OK: the main window shows its current item again; the dialog closes.
  void btnAcceptClick();
  void btnHelpClick();
  void FormShow();
  void FormResize();

  // Shows the dialog modally; QDialog::Accepted after OK, Rejected when it
  // was closed by its title bar.  When ModalHook is set it takes the place of
  // the event loop: FormShow runs, then the hook, which drives the dialog
  // through its handlers (tests).
  int ShowModal();
  static std::function<void(TfrmArrange&)> ModalHook;

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
};

// The program's one outline dialog (set when it is created).
extern TfrmArrange* frmArrange;
