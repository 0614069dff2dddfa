// Paints a sample aligned grid (fixed row and column, mixed alignments,
// wrap, ellipsis, colours, a selection) and saves it as a PNG, to look at
// how cells are drawn.  Usage: aligrid_snapshot out.png [edit]
#include <QApplication>
#include <QPixmap>

#include "aligrid/widget/AlignGrid.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  TStringAlignGrid grid;
  grid.resize(560, 260);
  grid.SetColCount(5);
  grid.SetRowCount(7);
  grid.SetColWidths(0, 40);
  grid.SetColWidths(1, 90);
  grid.SetColWidths(2, 90);
  grid.SetColWidths(3, 160);
  grid.SetColWidths(4, 120);
  grid.SetRowHeights(3, 48);
  grid.SetColorFixedRow(0, clMaroon);
  grid.GetFontFixedRow(0).SetColor(clWhite);
  grid.GetFontFixedRow(0).SetStyle(fsBold);
  grid.SetFixedAlignRow(0, alCenter);
  grid.SetAlignCol(1, alRight);
  grid.SetAlignCol(2, alCenter);
  grid.Props().SetWordwrapCol(3, ww_wordwrap);
  grid.Props().SetWordwrapCol(4, ww_ellipsis);
  const char* heads[] = {"", "Right", "Centre", "Wrap", "Ellipsis"};
  for (int c = 0; c < 5; ++c) grid.SetCells(c, 0, heads[c]);
  for (int r = 1; r < 7; ++r) {
    grid.SetCells(0, r, std::to_string(r));
    grid.SetCells(1, r, std::to_string(r * 137));
    grid.SetCells(2, r, r % 2 ? "Tom & Jerry" : "mid");
    grid.SetCells(3, r, "A long clue that breaks at words inside its cell");
    grid.SetCells(4, r, "An ellipsis ends this text that does not fit");
  }
  grid.GetBrushCell(2, 5).SetColor(clYellow);
  grid.GetFontCell(2, 5).SetColor(clRed);
  grid.GetFontCell(2, 5).SetStyle(fsBold | fsItalic);
  grid.SetAlignCell(2, 5, alLeft);
  grid.SetSelection({1, 1, 2, 2});
  grid.show();
  app.processEvents();
  if (argc > 2) {  // "edit": the in-place editor open on a centred cell
    grid.SetOptions(grid.Options() | goEditing);
    grid.SetSelection({2, 3, 2, 3});
    grid.ShowEditor();
    app.processEvents();
  }
  return grid.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
