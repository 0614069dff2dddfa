// The aligned grid's core: property lookups over a large grid whose
// properties are sparse, and the sort of many rows.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "aligrid/core/AlignCore.h"

namespace {

struct DataFirst {
  TStringGridData data;
};
struct Grid : DataFirst, TAlignGridCore {
  Grid() : TAlignGridCore(data) {}
};

void BM_AligridLookupSparse(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Grid g;
  g.data.SetColCount(n);
  g.data.SetRowCount(n);
  for (int c = 0; c < n; c += 10) g.GetFontCol(c).SetColor(clRed);
  for (int r = 0; r < n; r += 7) g.GetBrushRow(r).SetColor(clYellow);
  for (int i = 0; i < n * n; i += 37) g.SetAlignCell(i % n, i / n, alRight);
  g.SetFixedAlignRow(0, alCenter);
  for (auto _ : state) {
    unsigned sum = 0;
    for (int r = 0; r < n; ++r)
      for (int c = 0; c < n; ++c)
        sum += g.GetAlignCell(c, r) + g.GetCellFont(c, r).Color() + g.GetColorCell(c, r) +
               g.GetEditCell(c, r);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * n * n);
  state.SetComplexityN(static_cast<benchmark::IterationCount>(n) * n);
}
BENCHMARK(BM_AligridLookupSparse)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

// Sorts n rows whose sort keys key(r, n) gives, the row number beside each,
// in every iteration (the filling is not timed).
template <typename Key>
void SortRows(benchmark::State& state, Key key) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Grid g;
    g.data.SetColCount(2);
    g.data.SetRowCount(n);
    for (int r = 0; r < n; ++r) {
      g.data.SetCell(0, r, key(r, n));
      g.data.SetCell(1, r, std::to_string(r));
    }
    state.ResumeTiming();
    g.SortColRow(0, 0, n - 1, true, true);
    benchmark::DoNotOptimize(g.data.Cell(0, 0));
  }
  state.SetComplexityN(n);
}

void BM_AligridSortRows(benchmark::State& state) {
  std::mt19937 rng(42);
  std::vector<std::string> texts(static_cast<std::size_t>(state.range(0)));
  for (auto& t : texts) t = std::to_string(rng());
  SortRows(state, [&](int r, int) { return texts[static_cast<std::size_t>(r)]; });
}
BENCHMARK(BM_AligridSortRows)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

// Rows already in order, with runs of equal keys, and one line added at
// the end out of order.
void BM_AligridSortSortedRows(benchmark::State& state) {
  SortRows(state, [](int r, int n) {
    return std::to_string(r == n - 1 ? 1000000 + n / 7 : 1000000 + r / 3);
  });
}
BENCHMARK(BM_AligridSortSortedRows)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

// Rows in the reverse of the wanted order.
void BM_AligridSortReversedRows(benchmark::State& state) {
  SortRows(state, [](int r, int) { return std::to_string(2000000 - r); });
}
BENCHMARK(BM_AligridSortReversedRows)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

}  // namespace
