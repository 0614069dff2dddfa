// Cost of showing long texts in the edit boxes.  A question or a
// configuration text of one unbroken line of a megabyte should show within a
// second, and the cost should grow with the length, not with its square.
// Run:  tavrel_widget_bench
// and compare /100000, /300000 and /1000000 (the counter "per_char" should
// stay roughly level).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/qt/Widgets.h"

namespace {

// kind 0: a short line, then one word without a blank; 1: words and blanks;
// 2: short lines; 3: words of 499 letters, the longest that still wrap at
// word boundaries.
std::string LongText(size_t length, int kind) {
  std::string s(length, 'x');
  if (kind == 0) s.replace(0, 11, "Question:\r\n");
  for (size_t i = 0; i < length; ++i) {
    if (kind == 1 && i % 7 == 6) s[i] = ' ';
    if (kind == 2 && i % 80 == 79) s[i] = '\n';
    if (kind == 3 && i % 500 == 499) s[i] = ' ';
    if (kind != 0 && s[i] == 'x') s[i] = static_cast<char>('a' + i % 26);
  }
  return s;
}

void ShowInMemo(benchmark::State& state, int kind) {
  const std::string text = LongText(static_cast<size_t>(state.range(0)), kind);
  for (auto _ : state) {
    // The editor is on the screen when a question is shown in it.
    state.PauseTiming();
    auto memo = std::make_unique<tavrel::TMemo>();
    memo->resize(400, 200);
    memo->show();
    QApplication::processEvents();
    state.ResumeTiming();
    memo->SetText(text);
    QApplication::processEvents();
    benchmark::DoNotOptimize(memo->document()->blockCount());
    state.PauseTiming();
    memo.reset();
    state.ResumeTiming();
  }
  // Seconds per character (shown as "n" for nanoseconds).
  state.counters["per_char"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_MemoOneUnbrokenLine(benchmark::State& state) { ShowInMemo(state, 0); }
void BM_MemoOneLineOfWords(benchmark::State& state) { ShowInMemo(state, 1); }
void BM_MemoShortLines(benchmark::State& state) { ShowInMemo(state, 2); }
void BM_MemoLongestWrappedWords(benchmark::State& state) { ShowInMemo(state, 3); }

void BM_EditOneUnbrokenLine(benchmark::State& state) {
  const std::string text = LongText(static_cast<size_t>(state.range(0)), 0);
  for (auto _ : state) {
    tavrel::TEdit edit;
    edit.resize(400, 30);
    edit.SetText(text);
    edit.show();
    QApplication::processEvents();
  }
}

BENCHMARK(BM_MemoOneUnbrokenLine)->Arg(100000)->Arg(300000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoOneLineOfWords)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoShortLines)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoLongestWrappedWords)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditOneUnbrokenLine)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
