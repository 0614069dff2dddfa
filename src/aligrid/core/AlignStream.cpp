// Streaming of the aligned grid's per-cell data.
#include <algorithm>
#include <array>
#include <tuple>

#include "aligrid/core/AlignCore.h"

namespace {

constexpr int kMaxStreamIndex = 65535;
constexpr int kMaxStreamCount = 65536;

bool StreamIndex(int i) { return i >= 0 && i <= kMaxStreamIndex; }

// An index of a property list or of a cell's record is taken as its low 16
// bits, as streams of the grid have always been read.
int Low16(int i) { return i & kMaxStreamIndex; }

// Entries of a sparse grid inside the counts, column by column.
template <typename T, typename F>
void ForCellsByColumn(const SparseGrid<T>& grid, int cols, int rows, F f) {
  std::vector<std::tuple<int, int, const T*>> cells;
  for (const auto& [r, line] : grid.Rows().Entries()) {
    if (r >= rows) break;
    for (const auto& [c, v] : line.Entries()) {
      if (c >= cols) break;
      cells.emplace_back(c, r, &v);
    }
  }
  std::sort(cells.begin(), cells.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
  });
  for (const auto& [c, r, v] : cells) f(c, r, *v);
}

}  // namespace

// --- Records ---------------------------------------------------------------

void TCellProperties::WriteData(TWriter& w) const {
  if (Align != alDefault) {
    w.WriteInteger(1);
    w.WriteInteger(Align);
  }
  if (Wordwrap != ww_default) {
    w.WriteInteger(2);
    w.WriteInteger(Wordwrap);
  }
  if (Edit != editInherit) {
    w.WriteInteger(3);
    w.WriteInteger(Edit);
  }
  if (Brush) {
    w.WriteInteger(4);
    TAlignGridCore::WriteBrush(w, *Brush);
  }
  if (SelectedBrush) {
    w.WriteInteger(5);
    TAlignGridCore::WriteBrush(w, *SelectedBrush);
  }
  if (Font) {
    w.WriteInteger(6);
    TAlignGridCore::WriteFont(w, *Font);
  }
  if (SelectedFont) {
    w.WriteInteger(7);
    TAlignGridCore::WriteFont(w, *SelectedFont);
  }
  w.WriteInteger(0);
}

void TCellProperties::ReadTag(int tag, TReader& r) {
  switch (tag) {
    case 1: {
      const int v = r.ReadInteger();
      Align = v >= alRight && v <= alDefault ? static_cast<TMyAlign>(v) : alDefault;
      break;
    }
    case 2: {
      const int v = r.ReadInteger();
      Wordwrap = v >= ww_none && v <= ww_default ? static_cast<T_Wordwrap>(v) : ww_default;
      break;
    }
    case 3:
      // The low byte as it is: any state but 0 is set, and only 2 is editable.
      Edit = static_cast<std::uint8_t>(r.ReadInteger() & 0xFF);
      break;
    case 4: SetBrush(TAlignGridCore::ReadBrush(r).get()); break;
    case 5: SetSelectedBrush(TAlignGridCore::ReadBrush(r).get()); break;
    case 6: SetFont(TAlignGridCore::ReadFont(r).get()); break;
    case 7: SetSelectedFont(TAlignGridCore::ReadFont(r).get()); break;
    default: break;  // 0 ends the record; unknown tags carry nothing
  }
}

void TAlignGridCore::WriteFont(TWriter& w, const TMyFont& f) {
  w.WriteInteger(static_cast<std::int32_t>(f.Color()));
  w.WriteInteger(f.Height());
  w.WriteString(f.Name());
  w.WriteInteger(f.Pitch());
  w.WriteInteger(static_cast<std::int32_t>(f.Style()));
}

std::unique_ptr<TMyFont> TAlignGridCore::ReadFont(TReader& r) {
  auto f = std::make_unique<TMyFont>();
  f->SetColor(static_cast<TColor>(r.ReadInteger()));
  f->SetHeight(r.ReadInteger());
  f->SetName(r.ReadString());
  const int pitch = r.ReadInteger();
  f->SetPitch(pitch >= fpDefault && pitch <= fpFixed ? static_cast<TFontPitch>(pitch) : fpDefault);
  f->SetStyle(static_cast<unsigned>(r.ReadInteger()));
  return f;
}

void TAlignGridCore::WriteBrush(TWriter& w, const TMyBrush& b) {
  w.WriteInteger(static_cast<std::int32_t>(b.Color()));
  w.WriteInteger(b.Style());
}

std::unique_ptr<TMyBrush> TAlignGridCore::ReadBrush(TReader& r) {
  auto b = std::make_unique<TMyBrush>();
  b->SetColor(static_cast<TColor>(r.ReadInteger()));
  const int style = r.ReadInteger();
  b->SetStyle(style >= bsSolid && style <= bsDiagCross ? static_cast<TBrushStyle>(style) : bsSolid);
  return b;
}

// --- Component -------------------------------------------------------------

std::vector<std::pair<std::string, std::int32_t>> TAlignGridCore::IntegerProperties() const {
  return {{"ColCount", Data.ColCount()},
          {"RowCount", Data.RowCount()},
          {"FixedCols", Data.FixedCols()},
          {"FixedRows", Data.FixedRows()}};
}

void TAlignGridCore::SetIntegerProperty(const std::string& name, std::int32_t value) {
  if (name == "ColCount")
    SetGridColCount(std::clamp(value, 1, kMaxStreamCount));
  else if (name == "RowCount")
    SetGridRowCount(std::clamp(value, 1, kMaxStreamCount));
  else if (name == "FixedCols")
    SetGridFixedCols(value);
  else if (name == "FixedRows")
    SetGridFixedRows(value);
}

void TAlignGridCore::DefineProperties(TFiler& filer) {
  const int cols = Data.ColCount(), rows = Data.RowCount();

  // A record by its tags, until the tag 0.
  auto readRecord = [this](TReader& r) {
    auto rec = NewRecord();
    for (int tag = r.ReadInteger(); tag != 0; tag = r.ReadInteger()) rec->ReadTag(tag, r);
    return rec;
  };
  auto writeLine = [](TPropLine& line, int count) {
    return [&line, count](TWriter& w) {
      w.WriteListBegin();
      for (const auto& [i, rec] : line.Entries()) {
        if (i >= count) break;
        if (!rec || rec->IsDefault()) continue;
        w.WriteInteger(i);
        rec->WriteData(w);
      }
      w.WriteListEnd();
    };
  };
  auto readLine = [readRecord](TPropLine& line) {
    return [&line, readRecord](TReader& r) {
      r.ReadListBegin();
      while (!r.EndOfList()) {
        const int i = Low16(r.ReadInteger());
        line.At(i) = readRecord(r);
      }
      r.ReadListEnd();
    };
  };

  filer.DefineProperty(
      "HintCell",
      [this](TReader& r) {
        r.ReadListBegin();
        while (!r.EndOfList()) {
          const int c = r.ReadInteger(), rw = r.ReadInteger();
          const std::string text = r.ReadString();
          if (StreamIndex(c) && StreamIndex(rw)) SetHintCell(c, rw, text);
        }
        r.ReadListEnd();
        HintsRead = true;
      },
      [this, cols, rows](TWriter& w) {
        w.WriteListBegin();
        ForCellsByColumn(HintCell, cols, rows, [&](int c, int r, const std::string& h) {
          w.WriteInteger(c);
          w.WriteInteger(r);
          w.WriteString(h);
        });
        w.WriteListEnd();
      },
      HintsRead);
  filer.DefineProperty(
      "Cells",
      [this](TReader& r) {
        if (!StreamedCells) StreamedCells = std::make_unique<SparseGrid<std::string>>();
        r.ReadListBegin();
        while (!r.EndOfList()) {
          const int c = r.ReadInteger(), rw = r.ReadInteger();
          std::string text = r.ReadString();
          if (StreamIndex(c) && StreamIndex(rw)) StreamedCells->At(c, rw) = std::move(text);
        }
        r.ReadListEnd();
        CellsRead = true;
      },
      [this, cols, rows](TWriter& w) {
        w.WriteListBegin();
        ForCellsByColumn(Data.Texts(), cols, rows, [&](int c, int r, const std::string& t) {
          w.WriteInteger(c);
          w.WriteInteger(r);
          w.WriteString(t);
        });
        w.WriteListEnd();
      },
      CellsRead);
  filer.DefineProperty(
      "PropCell",
      [this, readRecord](TReader& r) {
        r.ReadListBegin();
        while (!r.EndOfList()) {
          const int c = Low16(r.ReadInteger()), rw = Low16(r.ReadInteger());
          PropCell.At(c, rw) = readRecord(r);
        }
        r.ReadListEnd();
      },
      [this, cols, rows](TWriter& w) {
        w.WriteListBegin();
        ForCellsByColumn(PropCell, cols, rows, [&](int c, int r, const std::unique_ptr<TCellProperties>& p) {
          if (!p || p->IsDefault()) return;
          w.WriteInteger(c);
          w.WriteInteger(r);
          p->WriteData(w);
        });
        w.WriteListEnd();
      },
      true);
  filer.DefineProperty("PropCol", readLine(PropCol), writeLine(PropCol, cols), true);
  filer.DefineProperty("PropRow", readLine(PropRow), writeLine(PropRow, rows), true);
  filer.DefineProperty("PropFixedCol", readLine(PropFixedCol), writeLine(PropFixedCol, cols), true);
  filer.DefineProperty("PropFixedRow", readLine(PropFixedRow), writeLine(PropFixedRow, rows), true);

  // Older names, read only.  Raw records: little-endian 2-byte indexes and
  // a 1-byte value; a partial last record is a format error.
  auto raw = [&filer](const std::string& name, bool cell, std::function<void(int, int, int)> apply) {
    filer.DefineBinaryProperty(
        name,
        [cell, apply](const std::string& b) {
          const std::size_t size = cell ? 5 : 3;
          auto u16 = [&](std::size_t at) {
            return int(static_cast<std::uint8_t>(b[at])) | (int(static_cast<std::uint8_t>(b[at + 1])) << 8);
          };
          std::size_t pos = 0;
          for (; pos + size <= b.size(); pos += size) {
            const int value = static_cast<std::uint8_t>(b[pos + size - 1]);
            if (cell)
              apply(u16(pos), u16(pos + 2), value);
            else
              apply(u16(pos), -1, value);
          }
          if (pos != b.size()) throw EStreamError("A partial record at the end of an older grid property.");
        },
        nullptr, false);
  };
  auto align = [](int v) { return v <= alDefault ? static_cast<TMyAlign>(v) : alDefault; };
  raw("AlignCell", true, [this, align](int c, int r, int v) { SetAlignCell(c, r, align(v)); });
  raw("AlignCol", false, [this, align](int i, int, int v) { SetAlignCol(i, align(v)); });
  raw("FixedAlignCol", false, [this, align](int i, int, int v) { SetFixedAlignCol(i, align(v)); });
  raw("AlignRow", false, [this, align](int i, int, int v) { SetAlignRow(i, align(v)); });
  raw("FixedAlignRow", false, [this, align](int i, int, int v) { SetFixedAlignRow(i, align(v)); });
  raw("EditCell", true, [this](int c, int r, int v) { SetEditCell(c, r, v != 0); });
  raw("EditCol", false, [this](int i, int, int v) { SetEditCol(i, v != 0); });
  raw("EditRow", false, [this](int i, int, int v) { SetEditRow(i, v != 0); });

  // Older value lists: (col, row) or index, then a font, a brush or a colour.
  auto list = [&filer](const std::string& name, bool cell,
                       std::function<void(int, int, TReader&)> apply) {
    filer.DefineProperty(
        name,
        [cell, apply](TReader& r) {
          r.ReadListBegin();
          while (!r.EndOfList()) {
            const int a = r.ReadInteger();
            const int b = cell ? r.ReadInteger() : 0;
            apply(a, b, r);
          }
          r.ReadListEnd();
        },
        nullptr, false);
  };
  // Fonts and brushes go to their indexes' low 16 bits; colours take the
  // integers as they are, and only those a grid can have.
  auto font = [](TReader& r, auto target) {
    auto f = ReadFont(r);
    target().Assign(*f);
  };
  auto brush = [](TReader& r, auto target) {
    auto b = ReadBrush(r);
    target().Assign(*b);
  };
  auto ok = [](int a, int b) { return StreamIndex(a) && StreamIndex(b); };
  list("FontCell", true, [=, this](int c, int r, TReader& rd) {
    font(rd, [&]() -> TMyFont& { return GetFontCell(Low16(c), Low16(r)); });
  });
  list("FontCol", false, [=, this](int i, int, TReader& rd) {
    font(rd, [&]() -> TMyFont& { return GetFontCol(Low16(i)); });
  });
  list("FontFixedCol", false, [=, this](int i, int, TReader& rd) {
    font(rd, [&]() -> TMyFont& { return GetFontFixedCol(Low16(i)); });
  });
  list("FontRow", false, [=, this](int i, int, TReader& rd) {
    font(rd, [&]() -> TMyFont& { return GetFontRow(Low16(i)); });
  });
  list("FontFixedRow", false, [=, this](int i, int, TReader& rd) {
    font(rd, [&]() -> TMyFont& { return GetFontFixedRow(Low16(i)); });
  });
  list("BrushCell", true, [=, this](int c, int r, TReader& rd) {
    brush(rd, [&]() -> TMyBrush& { return GetBrushCell(Low16(c), Low16(r)); });
  });
  list("BrushCol", false, [=, this](int i, int, TReader& rd) {
    brush(rd, [&]() -> TMyBrush& { return GetBrushCol(Low16(i)); });
  });
  list("BrushFixedCol", false, [=, this](int i, int, TReader& rd) {
    brush(rd, [&]() -> TMyBrush& { return GetBrushFixedCol(Low16(i)); });
  });
  list("BrushRow", false, [=, this](int i, int, TReader& rd) {
    brush(rd, [&]() -> TMyBrush& { return GetBrushRow(Low16(i)); });
  });
  list("BrushFixedRow", false, [=, this](int i, int, TReader& rd) {
    brush(rd, [&]() -> TMyBrush& { return GetBrushFixedRow(Low16(i)); });
  });
  auto colour = [](TReader& r, auto target) {
    const auto c = static_cast<TColor>(r.ReadInteger());
    target(c);
  };
  list("ColorCell", true, [=, this](int c, int r, TReader& rd) {
    colour(rd, [&](TColor v) { if (ok(c, r)) GetBrushCell(c, r).SetColor(v); });
  });
  list("ColorCol", false, [=, this](int i, int, TReader& rd) {
    colour(rd, [&](TColor v) { if (ok(i, 0)) GetBrushCol(i).SetColor(v); });
  });
  list("ColorFixedCol", false, [=, this](int i, int, TReader& rd) {
    colour(rd, [&](TColor v) { if (ok(i, 0)) GetBrushFixedCol(i).SetColor(v); });
  });
  list("ColorRow", false, [=, this](int i, int, TReader& rd) {
    colour(rd, [&](TColor v) { if (ok(i, 0)) GetBrushRow(i).SetColor(v); });
  });
  list("ColorFixedRow", false, [=, this](int i, int, TReader& rd) {
    colour(rd, [&](TColor v) { if (ok(i, 0)) GetBrushFixedRow(i).SetColor(v); });
  });
  list("SelectedColorCell", true, [=, this](int c, int r, TReader& rd) {
    colour(rd, [&](TColor v) { if (ok(c, r)) SetSelectedColorCell(c, r, v); });
  });
  list("SelectedColorCol", false, [=, this](int i, int, TReader& rd) {
    colour(rd, [&](TColor v) { if (ok(i, 0)) SetSelectedColorCol(i, v); });
  });
  list("SelectedColorRow", false, [=, this](int i, int, TReader& rd) {
    colour(rd, [&](TColor v) { if (ok(i, 0)) SetSelectedColorRow(i, v); });
  });
}

void TAlignGridCore::Loaded() {
  if (StreamedCells) {
    Data.ClearTexts();
    for (const auto& [r, line] : StreamedCells->Rows().Entries())
      for (const auto& [c, text] : line.Entries()) Data.SetCell(c, r, text);
    if (!Designing) StreamedCells.reset();
  }
  Invalidate();
}
