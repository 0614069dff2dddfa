// Sparse storage keyed by index (a line: columns or rows) and by row and
// column (a grid of cells).  Only entries that hold something are stored,
// so a property set at column 60000 costs one entry.  The maintenance
// operations behave like the same operations on a list whose missing
// entries are empty: insert shifts the later entries, exchange swaps two,
// move takes one out and puts it back at its target.
#pragma once

#include <iterator>
#include <map>
#include <utility>
#include <vector>

template <typename T>
class SparseLine {
 public:
  using Map = std::map<int, T>;

  T* Find(int i) {
    auto it = map_.find(i);
    return it == map_.end() ? nullptr : &it->second;
  }
  const T* Find(int i) const {
    auto it = map_.find(i);
    return it == map_.end() ? nullptr : &it->second;
  }
  T& At(int i) { return map_[i]; }
  void Erase(int i) { map_.erase(i); }
  void Clear() { map_.clear(); }
  bool Empty() const { return map_.empty(); }
  std::size_t Size() const { return map_.size(); }
  Map& Entries() { return map_; }
  const Map& Entries() const { return map_; }

  // Removes every entry at index >= from.
  void Truncate(int from) { map_.erase(map_.lower_bound(from), map_.end()); }

  // An empty entry at index; the entries from index on move up by one.
  void InsertAt(int index) {
    std::vector<typename Map::node_type> moved;
    for (auto it = map_.lower_bound(index); it != map_.end();) moved.push_back(map_.extract(it++));
    for (auto& n : moved) {
      ++n.key();
      map_.insert(std::move(n));
    }
  }

  void Exchange(int a, int b) {
    if (a == b) return;
    auto na = map_.extract(a);
    auto nb = map_.extract(b);
    if (!na.empty()) {
      na.key() = b;
      map_.insert(std::move(na));
    }
    if (!nb.empty()) {
      nb.key() = a;
      map_.insert(std::move(nb));
    }
  }

  // The entry at from goes to to; those between shift by one towards from.
  void Move(int from, int to) {
    if (from == to) return;
    auto taken = map_.extract(from);
    const int lo = from < to ? from + 1 : to;
    const int hi = from < to ? to : from - 1;
    const int delta = from < to ? -1 : 1;
    std::vector<typename Map::node_type> moved;
    for (auto it = map_.lower_bound(lo); it != map_.end() && it->first <= hi;) moved.push_back(map_.extract(it++));
    for (auto& n : moved) {
      n.key() += delta;
      map_.insert(std::move(n));
    }
    if (!taken.empty()) {
      taken.key() = to;
      map_.insert(std::move(taken));
    }
  }

 private:
  Map map_;
};

// Cells by row, then by column.  Row operations move whole rows; column
// operations act inside every stored row.
template <typename T>
class SparseGrid {
 public:
  T* Find(int col, int row) {
    auto* r = rows_.Find(row);
    return r ? r->Find(col) : nullptr;
  }
  const T* Find(int col, int row) const {
    auto* r = rows_.Find(row);
    return r ? r->Find(col) : nullptr;
  }
  T& At(int col, int row) { return rows_.At(row).At(col); }
  void Erase(int col, int row) {
    if (auto* r = rows_.Find(row)) {
      r->Erase(col);
      if (r->Empty()) rows_.Erase(row);
    }
  }
  void Clear() { rows_.Clear(); }
  bool Empty() const { return rows_.Empty(); }
  SparseLine<SparseLine<T>>& Rows() { return rows_; }
  const SparseLine<SparseLine<T>>& Rows() const { return rows_; }

  void InsertRow(int index) { rows_.InsertAt(index); }
  void ExchangeRows(int a, int b) { rows_.Exchange(a, b); }
  void MoveRow(int from, int to) { rows_.Move(from, to); }
  void InsertCol(int index) {
    for (auto& [r, line] : rows_.Entries()) line.InsertAt(index);
  }
  void ExchangeCols(int a, int b) {
    for (auto& [r, line] : rows_.Entries()) line.Exchange(a, b);
  }
  void MoveCol(int from, int to) {
    for (auto& [r, line] : rows_.Entries()) line.Move(from, to);
  }
  // Drops every cell outside columns 0..cols-1 and rows 0..rows-1.
  void Truncate(int cols, int rows) {
    rows_.Truncate(rows);
    for (auto it = rows_.Entries().begin(); it != rows_.Entries().end();) {
      it->second.Truncate(cols);
      if (it->second.Empty())
        it = rows_.Entries().erase(it);
      else
        ++it;
    }
  }

 private:
  SparseLine<SparseLine<T>> rows_;
};
