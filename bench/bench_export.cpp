// Cost of the quiz exports as the quiz grows: 2,000 questions should take
// about ten times as long as 200 (the builders are linear in the quiz).
// Run:  tavrel_bench --benchmark_filter=Export
// and compare the times of /200 and /2000 (the ratio is printed as a counter
// "per_question_ns", which should stay roughly level).
#include <benchmark/benchmark.h>

#include <string>

#include "askery/core/QuizExport.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/TQList.h"
#include "shared/core/WebExport.h"

using namespace askery;

namespace {

std::string SuppliedTemplate(const char* name) {
  std::string text;
  const std::string here = __FILE__;
  const std::string folder = here.substr(0, here.rfind('/')) + "/../templates/";
  LoadTextFile(folder + name, text);
  return text;
}

void FillQuiz(TQList& q, int questions) {
  for (int i = 1; i <= questions; ++i) {
    q.SetQuestionText(i, "Question " + std::to_string(i) + " about caf\xE9s and \"quotes\"?\r\nSecond line.");
    q.SetAnswer(i, 1, "answer " + std::to_string(i), "", 1);
    q.SetAnswer(i, 2, "r\xE9ponse n'" + std::to_string(i), "", 1);
    q.SetAnswer(i, 3, "", "", 1);
  }
}

QuizExportInput Input() {
  QuizExportInput in;
  in.fileName = "/tmp/bench/quiz.htm";
  in.title = "Benchmark quiz";
  in.config.text = {{"editCheck", "Check"}, {"editHint", "Hint"}, {"editShow", "Show"},
                    {"editGuessCorrect", "Correct!"}, {"mmoWelcome", "Welcome"}};
  in.config.checked = {{"chkIncludeHint", true}, {"chkIncludeShowAnswer", true}};
  in.frameset.disk = SuppliedTemplate("askery.ht_");
  in.welcome.disk = SuppliedTemplate("askeryw.ht_");
  in.code.disk = SuppliedTemplate("askeryc.ht_");
  in.dhtml.disk = SuppliedTemplate("daskery.ht_");
  return in;
}

void RunExport(benchmark::State& state, bool single) {
  const int n = static_cast<int>(state.range(0));
  const QuizExportInput in = Input();
  std::size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TQList q;
    FillQuiz(q, n);
    state.ResumeTiming();
    const ExportPlan plan = single ? BuildSinglePageExport(q, in) : BuildFramesExport(q, in);
    for (const ExportStep& s : plan.steps) bytes += s.text.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["per_question_ns"] = benchmark::Counter(
      static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FramesExport(benchmark::State& state) { RunExport(state, false); }
void BM_SinglePageExport(benchmark::State& state) { RunExport(state, true); }

}  // namespace

BENCHMARK(BM_FramesExport)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SinglePageExport)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

namespace {

// A title of n elements nested in each other: deeper than a browser nests,
// the text is still written in time proportional to its length.
void BM_DeeplyNestedTitle(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::string title;
  for (int i = 0; i < n; ++i) title += "<div>";
  title += "x";
  for (auto _ : state) benchmark::DoNotOptimize(MarkupText(title, TextPlace::Heading));
  state.counters["per_element_ns"] = benchmark::Counter(
      static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Teacher texts of n repeated pieces that once made the writer or the shown
// text slow down with the square of their length: a tag left open again and
// again, an attribute holding "<", and flat markup; ids and names, of the
// teacher's own and clashing with the page's, looked up in the tables; an
// HTML element leaving a drawing; blocks and line breaks in shown text.
const char* const kRepeatedPieces[] = {"<a",
                                       "<a title=\"<",
                                       "<i>x</i>",
                                       "<div>",
                                       "<b id=hint1 name=forms><a href=#G12 aria-controls=\"Score x\">x</a></b>",
                                       "<svg><circle r=5/><p>x</p>",
                                       "<p>a<br>b</p><li>c"};

void BM_RepeatedPieceMarkup(benchmark::State& state) {
  const std::string piece = kRepeatedPieces[state.range(0)];
  std::string text;
  for (int i = 0; i < state.range(1); ++i) text += piece;
  for (auto _ : state) benchmark::DoNotOptimize(MarkupText(text, TextPlace::Block));
  state.SetLabel(piece);
}

void BM_RepeatedPieceShownText(benchmark::State& state) {
  const std::string piece = kRepeatedPieces[state.range(0)];
  std::string text;
  for (int i = 0; i < state.range(1); ++i) text += piece;
  for (auto _ : state) benchmark::DoNotOptimize(ShownText(text));
  state.SetLabel(piece);
}

}  // namespace

BENCHMARK(BM_DeeplyNestedTitle)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatedPieceMarkup)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {10000, 40000}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatedPieceShownText)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {10000, 40000}})->Unit(benchmark::kMillisecond);
