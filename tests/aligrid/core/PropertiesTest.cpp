// Lookup order and the accessor families of the aligned grid's core.
#include <gtest/gtest.h>

#include "aligrid/core/AlignCore.h"
#include "aligrid/core/gridkit.h"

namespace {

struct DataFirst {
  TStringGridData data;
};
struct Grid : DataFirst, TAlignGridCore {
  int repaints = 0;
  Grid() : TAlignGridCore(data) {}
  void Invalidate() override { ++repaints; }
};

TEST(AlignLookup, FreshGridResolvesToGridValuesAndFixedObjects) {
  Grid g;
  EXPECT_EQ(g.GetAlignCell(2, 2), alLeft);
  EXPECT_EQ(g.GetWordwrapCell(2, 2), ww_none);
  EXPECT_TRUE(g.GetEditCell(2, 2));
  EXPECT_EQ(&g.GetCellFont(2, 2), &g.data.Font);
  EXPECT_EQ(&g.GetCellBrush(2, 2), &g.data.Brush);
  EXPECT_EQ(&g.GetCellFont(0, 2), &g.FixedFont);
  EXPECT_EQ(&g.GetCellBrush(2, 0), &g.FixedBrush);
  EXPECT_EQ(g.GetColorCell(0, 0), clBtnFace);
}

TEST(AlignLookup, CellThenColumnThenRowThenGridWithFixedListsForFixedCellsOnly) {
  Grid g;
  g.data.SetFixedCols(0);
  g.SetAlignCol(0, alCenter);
  EXPECT_EQ(g.GetAlignCell(0, 0), alLeft);  // a fixed cell ignores the column list
  EXPECT_EQ(g.GetAlignCell(0, 1), alCenter);
  EXPECT_EQ(g.GetAlignCell(0, 4), alCenter);
  g.SetFixedAlignRow(0, alCenter);
  EXPECT_EQ(g.GetAlignCell(0, 0), alCenter);
  EXPECT_EQ(g.GetAlignCell(3, 0), alCenter);
  EXPECT_EQ(g.GetAlignCell(3, 1), alLeft);  // a normal cell ignores the fixed lists
  g.SetFixedAlignCol(3, alRight);
  EXPECT_EQ(g.GetAlignCell(3, 0), alRight);  // fixed column list before fixed row list
  g.SetAlignRow(2, alRight);
  EXPECT_EQ(g.GetAlignCell(0, 2), alCenter);  // column before row
  EXPECT_EQ(g.GetAlignCell(1, 2), alRight);

  // A cell record that only holds a font: alignment falls through, font is the cell's.
  TMyFont& f = g.GetFontCell(0, 3);
  EXPECT_EQ(g.GetAlignCell(0, 3), alCenter);
  EXPECT_EQ(&g.GetCellFont(0, 3), &f);
  g.SetAlignCell(0, 3, alRight);
  EXPECT_EQ(g.GetAlignCell(0, 3), alRight);

  // Lists shorter than a grown grid give the grid values.
  g.data.SetColCount(50);
  g.data.SetRowCount(50);
  EXPECT_EQ(g.GetAlignCell(40, 40), alLeft);
  g.Alignment = alRight;
  g.Wordwrap = ww_ellipsis;
  EXPECT_EQ(g.GetAlignCell(40, 40), alRight);
  EXPECT_EQ(g.GetWordwrapCell(40, 40), ww_ellipsis);
}

TEST(AlignLookup, EditabilityAsTheClueGridSetsIt) {
  Grid g;
  g.Editable = false;
  g.SetEditCol(2, true);
  EXPECT_TRUE(g.GetEditCell(2, 3));
  EXPECT_FALSE(g.GetEditCell(1, 3));
  EXPECT_FALSE(g.GetEditCell(2, 0));  // the heading is fixed
  g.SetEditCell(2, 4, false);
  EXPECT_FALSE(g.GetEditCell(2, 4));
  EXPECT_TRUE(g.GetEditCell(2, 2));
  TCellProperties only(&g);
  only.Edit = editNo;
  EXPECT_FALSE(only.IsDefault());
}

TEST(AlignLookup, CreatingGettersCopyTheGridObjectsAndRepaintOnChange) {
  Grid g;
  g.data.Font.SetName("Courier New");
  TMyFont& f = g.GetFontFixedRow(0);
  EXPECT_EQ(&f, &g.GetFontFixedRow(0));
  EXPECT_EQ(f.Name(), "Courier New");  // a copy of the grid's font, not the fixed font
  EXPECT_FALSE(f.changed);
  const int before = g.repaints;
  f.SetColor(clWhite);
  EXPECT_TRUE(f.changed);
  EXPECT_GT(g.repaints, before);
  EXPECT_EQ(g.GetCellFont(3, 0).Color(), clWhite);

  g.SetColorFixedRow(0, clMaroon);
  EXPECT_EQ(g.GetColorCell(2, 0), clMaroon);
  EXPECT_EQ(g.GetColorCell(2, 1), g.data.Brush.Color());

  // Selection colours: cell, column, row, grid; the fixed lists never.
  g.SetSelectedColorRow(2, clRed);
  g.SetSelectedColorCol(3, clYellow);
  EXPECT_EQ(g.GetSelectedColorCell(1, 2), clRed);
  EXPECT_EQ(g.GetSelectedColorCell(3, 2), clYellow);
  TMyBrush fixedSel;
  fixedSel.SetColor(clRed);
  g.LineRecord(g.PropFixedRow, 0).SetSelectedBrush(&fixedSel);
  EXPECT_EQ(g.GetSelectedColorCell(1, 0), g.SelectedCellColor);
  EXPECT_EQ(g.GetSelectedFontColorCell(1, 1), clWhite);

  // The record keeps its own copy of a brush it is given.
  TCellProperties rec(&g);
  TMyBrush mine;
  mine.SetColor(clNavy);
  rec.SetBrush(&mine);
  mine.SetColor(clRed);
  EXPECT_EQ(rec.Brush->Color(), clNavy);
  auto clone = rec.Clone();
  EXPECT_EQ(clone->Brush->Color(), clNavy);
  EXPECT_NE(clone->Brush.get(), rec.Brush.get());
  rec.Assign(nullptr);
  EXPECT_TRUE(rec.IsDefault());
}

TEST(AlignLookup, NegativeIndexesReachNoList) {
  Grid g;
  g.SetAlignCol(-1, alRight);
  g.SetEditCell(-3, 2, false);
  g.GetFontCell(-1, -1).SetColor(clRed);
  g.GetBrushRow(-5).SetColor(clRed);
  EXPECT_TRUE(g.PropCol.Empty());
  EXPECT_TRUE(g.PropCell.Empty());
  EXPECT_TRUE(g.PropRow.Empty());
  EXPECT_EQ(g.GetAlignCell(-1, 2), alLeft);
  EXPECT_TRUE(g.GetEditCell(-3, 2));
}

TEST(ObjectList, RemoveOfAForeignObjectFreesNothing) {
  TObjectList<int> list;
  list.Add(std::make_unique<int>(1));
  int other = 2;
  EXPECT_EQ(list.Remove(&other), -1);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Remove(list.Items(0)), 0);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
