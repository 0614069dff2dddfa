// Streaming of the grid's counts, hints, texts and property lists, the older
// property names, and what a malformed stream leaves behind.
#include <gtest/gtest.h>

#include "aligrid/core/AlignCore.h"

namespace {

struct DataFirst {
  TStringGridData data;
};
struct Grid : DataFirst, TAlignGridCore {
  int loaded = 0;
  Grid() : TAlignGridCore(data) {}
  void Loaded() override {
    ++loaded;
    TAlignGridCore::Loaded();
  }
};

// A stream of a 5 x 5 grid with one fixed row and column, then the given
// properties, as the writer lays it out.
struct StreamBuilder {
  TWriter w;
  StreamBuilder() {
    w.WriteListBegin();
    for (auto [name, v] : {std::pair{"ColCount", 5}, {"RowCount", 5}, {"FixedCols", 1}, {"FixedRows", 1}}) {
      w.WriteString(name);
      w.WriteInteger(v);
    }
  }
  StreamBuilder& Name(const std::string& n) {
    w.WriteString(n);
    return *this;
  }
  StreamBuilder& Ints(std::initializer_list<int> v) {
    for (int i : v) w.WriteInteger(i);
    return *this;
  }
  StreamBuilder& EmptyList(const std::string& n) {
    w.WriteString(n);
    w.WriteListBegin();
    w.WriteListEnd();
    return *this;
  }
  std::string Done() {
    w.WriteListEnd();
    return w.Bytes();
  }
};

std::string FiveEmptyLists() {
  StreamBuilder b;
  for (const char* n : {"PropCell", "PropCol", "PropRow", "PropFixedCol", "PropFixedRow"}) b.EmptyList(n);
  return b.Done();
}

TEST(GridStream, AGridWithoutSettingsWritesFiveEmptyListsAndNoHintsOrCells) {
  Grid g;
  g.data.SetCell(1, 1, "not written");
  g.SetHintCell(1, 1, "nor this");
  EXPECT_EQ(WriteComponent(g), FiveEmptyLists());
}

TEST(GridStream, GoldenRecordsForEachPropertyKind) {
  Grid g;
  g.SetAlignCol(3, alCenter);
  g.SetAlignCol(9, alRight);  // beyond the count: not written
  TMyFont& f = g.GetFontRow(2);
  f.SetName("Arial");
  f.SetHeight(20);
  f.SetColor(0x0000FF);
  f.SetStyle(fsBold | fsUnderline);
  g.GetBrushFixedRow(0).SetColor(clMaroon);
  g.SetEditCell(2, 2, false);
  g.SetSelectedColorCell(1, 3, clNavy);
  StreamBuilder b;
  b.Name("PropCell").w.WriteListBegin();
  b.Ints({1, 3, 5, int(clNavy), bsSolid, 0});
  b.Ints({2, 2, 3, 1, 0});
  b.w.WriteListEnd();
  b.Name("PropCol").w.WriteListBegin();
  b.Ints({3, 1, 2, 0});
  b.w.WriteListEnd();
  b.Name("PropRow").w.WriteListBegin();
  b.Ints({2, 6, 0x0000FF, 20});
  b.w.WriteString("Arial");
  b.Ints({fpDefault, fsBold | fsUnderline, 0});
  b.w.WriteListEnd();
  b.EmptyList("PropFixedCol");
  b.Name("PropFixedRow").w.WriteListBegin();
  b.Ints({0, 4, int(clMaroon), bsSolid, 0});
  b.w.WriteListEnd();
  const std::string bytes = WriteComponent(g);
  EXPECT_EQ(bytes, b.Done());

  Grid back;
  ReadComponent(back, bytes);
  EXPECT_EQ(WriteComponent(back), bytes);
  EXPECT_EQ(back.GetCellFont(1, 2).Height(), 20);
  EXPECT_EQ(back.GetColorCell(2, 0), clMaroon);
  EXPECT_FALSE(back.GetEditCell(2, 2));
  EXPECT_EQ(back.GetSelectedColorCell(1, 3), clNavy);
  back.GetFontRow(2).SetColor(clWhite);  // the record holds its own font
  EXPECT_EQ(g.GetCellFont(1, 2).Color(), 0x0000FFu);
}

TEST(GridStream, HintsAndCellsAreWrittenAgainOnlyAfterAStreamCarriedThem) {
  StreamBuilder b;
  b.Name("HintCell").w.WriteListBegin();
  b.Ints({2, 1});
  b.w.WriteString("a hint");
  b.w.WriteListEnd();
  b.Name("Cells").w.WriteListBegin();
  b.Ints({1, 1});
  b.w.WriteString("kept");
  b.Ints({3, 70000});  // outside 0..65535: skipped
  b.w.WriteString("skipped");
  b.w.WriteListEnd();
  Grid g;
  g.data.SetCell(2, 2, "cleared by the load");
  ReadComponent(g, b.Done());
  EXPECT_EQ(g.loaded, 1);
  EXPECT_EQ(g.data.Cell(1, 1), "kept");
  EXPECT_EQ(g.data.Cell(2, 2), "");
  EXPECT_EQ(g.GetHintCell(2, 1), "a hint");
  g.data.SetCell(4, 4, "new");
  const std::string again = WriteComponent(g);
  EXPECT_NE(again.find("HintCell"), std::string::npos);
  EXPECT_NE(again.find("new"), std::string::npos);
  Grid copy;
  ReadComponent(copy, again);
  EXPECT_EQ(WriteComponent(copy), again);
}

TEST(GridStream, OlderPropertyNamesAreRead) {
  StreamBuilder b;
  b.Name("AlignCell").w.WriteBinary(std::string("\x01\x00\x02\x00\x00\x03\x00\x01\x00\x02", 10));
  b.Name("EditCol").w.WriteBinary(std::string("\x02\x00\x01", 3));
  b.Name("EditCell").w.WriteBinary(std::string("\x03\x00\x03\x00\xff", 5));  // 255: editable
  b.Name("FixedAlignRow").w.WriteBinary(std::string("\x00\x00\x09", 3));     // no such alignment
  b.Name("ColorFixedRow").w.WriteListBegin();
  b.Ints({0, int(clMaroon)});
  b.w.WriteListEnd();
  b.Name("FontCol").w.WriteListBegin();
  b.Ints({1, 0x00FF00, 99999});  // an absurd height is clamped
  b.w.WriteString("Courier New");
  b.Ints({7, 0xFF});  // pitch out of range, style bits masked
  b.w.WriteListEnd();
  b.Name("SelectedColorRow").w.WriteListBegin();
  b.Ints({3, int(clRed)});
  b.w.WriteListEnd();
  Grid g;
  ReadComponent(g, b.Done());
  EXPECT_EQ(g.GetAlignCell(1, 2), alRight);
  EXPECT_EQ(g.GetAlignCell(3, 1), alCenter);
  EXPECT_TRUE(g.PropCol.Find(2)->get()->Edit == editYes);
  EXPECT_TRUE(g.GetEditCell(3, 3));
  EXPECT_EQ(g.PropCell.Find(3, 3)->get()->Edit, editYes);
  EXPECT_EQ(g.PropFixedRow.Find(0)->get()->Align, alDefault);
  EXPECT_EQ(g.GetColorCell(3, 0), clMaroon);
  const TMyFont& f = g.GetCellFont(1, 2);
  EXPECT_EQ(f.Name(), "Courier New");
  EXPECT_EQ(f.Height(), kMaxFontHeight);
  EXPECT_EQ(f.Pitch(), fpDefault);
  EXPECT_EQ(f.Style(), fsAllStyles);
  EXPECT_EQ(g.GetSelectedColorCell(2, 3), clRed);
}

TEST(GridStream, IndexesTakeTheirLow16BitsAlignAndWrapOutOfRangeReadAsNotSetUnknownTagsReadNothing) {
  StreamBuilder b;
  b.Name("PropCol").w.WriteListBegin();
  b.Ints({65536 + 3, 1, 2, 0});  // column 3
  b.Ints({1, 1, 77, 2, 9, 3, 255, 42, 4, 0x123456, 99, 0});
  b.w.WriteListEnd();
  b.Name("PropCell").w.WriteListBegin();
  b.Ints({2 * 65536 + 2, -65535, 1, alRight, 0});  // cell (2, 1)
  b.w.WriteListEnd();
  b.Name("BrushRow").w.WriteListBegin();
  b.Ints({65536 + 4, int(clNavy), bsSolid});  // row 4
  b.w.WriteListEnd();
  Grid g;
  ReadComponent(g, b.Done());
  ASSERT_NE(g.PropCol.Find(3), nullptr);
  EXPECT_EQ(g.PropCol.Find(3)->get()->Align, alCenter);
  EXPECT_EQ(g.GetAlignCell(2, 1), alRight);
  EXPECT_EQ(g.GetColorCell(2, 4), clNavy);
  const TCellProperties& rec = *g.PropCol.Find(1)->get();
  EXPECT_EQ(rec.Align, alDefault);
  EXPECT_EQ(rec.Wordwrap, ww_default);
  EXPECT_EQ(rec.Edit, 255);  // set, but not editable
  EXPECT_FALSE(g.GetEditCell(1, 1));
  EXPECT_EQ(rec.Brush->Color(), 0x123456u);  // tag 42 carried nothing
  EXPECT_EQ(rec.Brush->Style(), bsSolid);
}

TEST(GridStream, AMalformedStreamKeepsWhatWasReadAndSaysSo) {
  StreamBuilder b;
  b.Name("AlignCol").w.WriteBinary(std::string("\x01\x00\x00\x02\x00", 5));  // partial record
  Grid partial;
  EXPECT_THROW(ReadComponent(partial, b.Done()), EStreamError);
  EXPECT_EQ(partial.GetAlignCell(1, 1), alRight);
  EXPECT_EQ(partial.loaded, 1);

  StreamBuilder c;
  c.Name("PropRow").w.WriteListBegin();
  c.Ints({2, 1, 2, 0});
  c.Ints({3, 1});
  const std::string cut = c.w.Bytes();  // ends inside the list
  Grid g;
  EXPECT_THROW(ReadComponent(g, cut), EStreamError);
  EXPECT_EQ(g.GetAlignCell(1, 2), alCenter);

  StreamBuilder wrong;
  wrong.Name("PropRow").w.WriteString("not a list");
  Grid h;
  EXPECT_THROW(ReadComponent(h, wrong.Done()), EStreamError);

  StreamBuilder huge;
  huge.Name("ColCount").Ints({2000000000});
  huge.Name("Unknown").w.WriteBinary("skipped whole");
  Grid big;
  ReadComponent(big, huge.Done());
  EXPECT_EQ(big.data.ColCount(), 65536);
}

}  // namespace
