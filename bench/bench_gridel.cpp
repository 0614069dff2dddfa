// Cost of the crossword's word finding and exports on the largest grid
// (100 x 100).  Run:  tavrel_bench --benchmark_filter=Crossword
// and compare /25, /50 and /100: the time per cell ("per_cell_ns") should
// stay roughly level, since both grow with the number of cells.
#include <benchmark/benchmark.h>

#include <string>

#include "gridel/core/CrosswordExport.h"
#include "gridel/core/Words.h"
#include "shared/core/FileFunctions.h"

namespace {

std::string SuppliedTemplate(const char* name) {
  std::string text;
  const std::string here = __FILE__;
  LoadTextFile(here.substr(0, here.rfind('/')) + "/../templates/" + name, text);
  return text;
}

// A dense crossword: every other row full, every fourth column full.
gridel::LetterGrid DenseGrid(int n) {
  gridel::LetterGrid g(n);
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c)
      if (r % 2 == 0 || c % 4 == 0) g.SetCell(c, r, std::string(1, static_cast<char>('A' + (r * 7 + c) % 26)));
  return g;
}

void CrosswordWordsAndNumbers(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const gridel::LetterGrid g = DenseGrid(n);
  for (auto _ : state) {
    gridel::ClueList stored;
    benchmark::DoNotOptimize(gridel::GenerateClues(g, stored));
  }
  state.counters["per_cell_ns"] =
      benchmark::Counter(static_cast<double>(n) * n, benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(CrosswordWordsAndNumbers)->Arg(25)->Arg(50)->Arg(100);

void CrosswordExport(benchmark::State& state, bool single) {
  const int n = static_cast<int>(state.range(0));
  gridel::Crossword c;
  c.grid = DenseGrid(n);
  c.title = "Benchmark crossword";
  gridel::CrosswordWords words = gridel::FindWords(c.grid);
  for (auto* list : {&words.across, &words.down})
    for (gridel::Word& w : *list) w.clue = "A clue for " + w.text + " with \"quotes\" and caf\xE9s";
  gridel::CrosswordExportInput in;
  in.fileName = "/tmp/bench/cross.htm";
  in.config.text = {{"editCheck", "Check"}, {"editHint", "Hint"}, {"editCluesAcross", "Across"}};
  in.config.checked = {{"chkIncludeHint", true}, {"chkKeyNavigation", true}};
  in.frameset.disk = SuppliedTemplate("gridel.ht_");
  in.welcome.disk = SuppliedTemplate("gridelw.ht_");
  in.code.disk = SuppliedTemplate("gridelc.ht_");
  in.dhtml.disk = SuppliedTemplate("dgridel.ht_");
  std::size_t bytes = 0;
  for (auto _ : state) {
    const ExportPlan plan = single ? gridel::BuildSinglePageExport(c.grid, words, in)
                                   : gridel::BuildFramesExport(c.grid, words, in);
    for (const ExportStep& s : plan.steps) bytes += s.text.size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.counters["per_cell_ns"] =
      benchmark::Counter(static_cast<double>(n) * n, benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK_CAPTURE(CrosswordExport, frames, false)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CrosswordExport, single, true)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
