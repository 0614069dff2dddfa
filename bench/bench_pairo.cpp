// Cost of the matching data file and exports as the exercise grows: saving
// and loading 200 and 2,000 pairs, and both exports.  Saving, loading and
// the drag-and-drop page should take about ten times as long for ten times
// the pairs.  The select-list page repeats every option in every row, so
// its size grows with pairs times options: it is exported as the window
// exports it (the plan run, the page written to a file) for 1,000, 2,000
// and 4,000 pairs.  Its time per byte written ("ns_per_byte") should stay
// level, and the memory the export holds at its peak ("peak_per_page_byte",
// counted by the allocator below) should stay far below the page's size:
// at most 1.5 bytes per byte of the page.
// Run:  tavrel_bench --benchmark_filter=Pairo
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "pairo/core/MatchExport.h"
#include "pairo/core/MatchFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"

// Every allocation of the benchmark program is counted: the bytes held now,
// and the most held since the last reset.
namespace {
std::atomic<size_t> gHeld{0};
std::atomic<size_t> gPeak{0};

void* Counted(size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  const size_t now = gHeld += malloc_usable_size(p);
  for (size_t peak = gPeak; now > peak && !gPeak.compare_exchange_weak(peak, now);) {
  }
  return p;
}

void Uncounted(void* p) noexcept {
  if (!p) return;
  gHeld -= malloc_usable_size(p);
  std::free(p);
}
}  // namespace

void* operator new(size_t n) { return Counted(n); }
void* operator new[](size_t n) { return Counted(n); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, size_t) noexcept { Uncounted(p); }

namespace {

void FillPairs(TQList& l, int pairs) {
  for (int i = 1; i <= pairs; ++i) {
    l.SetQuestionText(
        i, "Left item " + std::to_string(i) + " with <b>caf\xE9</b> & \"quotes\"\r\nline two");
    l.SetQuestionExtra(i, "right answer n'" + std::to_string(i % (pairs / 2 + 1)));
    l.SetQuestionFlag(i, i % 17 == 0);
  }
}

std::string ConfigXML() {
  return configdoc::MakeConfigXML(configdoc::Program::Pairo,
                                  configdoc::Defaults(configdoc::Program::Pairo));
}

std::string ScratchFile() { return "/tmp/bench-pairo-" + std::to_string(::getpid()) + ".pry"; }

std::string SavedText(int pairs) {
  TQList l;
  FillPairs(l, pairs);
  return pairo::BuildMatchFileText(6, "Bench", "<reading></reading>", "???", l, ConfigXML());
}

void BM_PairoSave(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string config = ConfigXML();
  const std::string file = ScratchFile();
  for (auto _ : state) {
    state.PauseTiming();
    TQList l;
    FillPairs(l, n);
    state.ResumeTiming();
    const std::string text =
        pairo::BuildMatchFileText(6, "Bench", "<reading></reading>", "???", l, config);
    benchmark::DoNotOptimize(SaveXMLFile(file, text));
  }
  ::unlink(file.c_str());
}
BENCHMARK(BM_PairoSave)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_PairoLoad(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string file = ScratchFile();
  SaveXMLFile(file, SavedText(n));
  for (auto _ : state) {
    std::string text;
    LoadTextFile(file, text);
    const exercisedoc::Parts parts = pairo::ReadMatchXML(text, "", "");
    TQList l;
    pairo::ReadMatchItems(parts.body, 1, l);
    const ConfigValues cfg = configdoc::ReadConfigXML(
        configdoc::Program::Pairo, GetValueByPath(text, pairo::kFileRoot, ""),
        configdoc::Defaults(configdoc::Program::Pairo));
    benchmark::DoNotOptimize(cfg);
    benchmark::DoNotOptimize(l.Count());
  }
  ::unlink(file.c_str());
}
BENCHMARK(BM_PairoLoad)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

pairo::MatchExportInput Input() {
  pairo::MatchExportInput in;
  in.fileName = "/tmp/bench/match.htm";
  in.title = "Benchmark";
  in.defaultRight = "???";
  in.config = configdoc::Defaults(configdoc::Program::Pairo);
  in.code.disk =
      "<html><title>[strPlainTitle]</title><script>[CorrectAnswersArray][RightWrongChars]</script>"
      "<table>[BeginItemRow]<tr><td>[FixedItem]</td><td>[MixedItems]</td>"
      "[BeginIndicatorBox]<td><input name=\"[IndicatorBoxName]\"></td>[EndIndicatorBox]</tr>\r\n"
      "[EndItemRow]</table>[CheckButton][NextExButton]</html>\r\n";
  in.dhtml.disk =
      "<html><script>var t='[strExerciseTitle]';\r\n[FixedArray][DragArray]</script></html>\r\n";
  return in;
}

class Drift : public pairo::IMixRandom {
 public:
  void Reseed() override { s_ = 1; }
  int Below(int n) override {
    return static_cast<int>((s_ = s_ * 1103515245u + 12345u) % static_cast<unsigned>(n));
  }

 private:
  unsigned s_ = 1;
};

// Answers the export's questions as a teacher who goes on would: Yes to a
// question before writing, No to viewing the pages.
class GoingOn : public tavrel::QuietPlatform {
 public:
  tavrel::ModalResult messageDlg(const std::string&, tavrel::MsgType, unsigned buttons, int,
                                 unsigned = 0) override {
    return buttons == tavrel::mbYesNo ? tavrel::ModalResult::Yes : tavrel::ModalResult::No;
  }
};

void BM_PairoSelectListExport(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  GoingOn answers;
  tavrel::setPlatform(&answers);
  pairo::MatchExportInput in = Input();
  in.fileName = "/tmp/bench-pairo-" + std::to_string(::getpid()) + ".htm";
  Drift random;
  double bytes = 0;
  double peakPerByte = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TQList l;
    FillPairs(l, n);
    gPeak = gHeld.load();
    const size_t before = gHeld;
    state.ResumeTiming();
    const ExportOutcome out =
        RunExportPlan(pairo::BuildSelectListExport(l, in, random).plan, nullptr);
    state.PauseTiming();
    struct stat st {};
    if (!out.rootWritten || ::stat(in.fileName.c_str(), &st) != 0) {
      state.SkipWithError("the page was not written");
      break;
    }
    bytes += static_cast<double>(st.st_size);
    peakPerByte = static_cast<double>(gPeak - before) / static_cast<double>(st.st_size);
    state.ResumeTiming();
  }
  ::unlink(in.fileName.c_str());
  tavrel::setPlatform(nullptr);
  state.counters["ns_per_byte"] =
      benchmark::Counter(bytes, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["peak_per_page_byte"] = peakPerByte;
}
BENCHMARK(BM_PairoSelectListExport)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Iterations(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_PairoDragDropExport(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const pairo::MatchExportInput in = Input();
  double bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TQList l;
    FillPairs(l, n);
    state.ResumeTiming();
    const pairo::MatchExport e = pairo::BuildDragDropExport(l, in);
    for (const ExportStep& s : e.plan.steps) bytes += static_cast<double>(s.text.size());
  }
  state.counters["ns_per_byte"] =
      benchmark::Counter(bytes, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PairoDragDropExport)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

// Long right items that show alike: letters with combining accents in both
// orders, one long run of accents, and blanks of every kind; the cards are
// grouped by what they show, in time linear in the text.
void BM_PairoLookAlikeRightItems(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  const pairo::MatchExportInput in = Input();
  std::string a, b;
  for (size_t i = 0; i < n; ++i) {
    a += "e&#769;&#803;&nbsp; \t";
    b += "&#7865;&#769;  \xA0";
  }
  a += "o";
  b += "o";
  for (size_t i = 0; i < n; ++i) {
    a += "&#769;";
    b += "&#769;";
  }
  double bytes = 0;
  for (auto _ : state) {
    TQList l;
    l.SetQuestionText(1, "A");
    l.SetQuestionExtra(1, a);
    l.SetQuestionText(2, "B");
    l.SetQuestionExtra(2, b);
    const pairo::MatchExport e = pairo::BuildDragDropExport(l, in);
    benchmark::DoNotOptimize(e.plan.steps.size());
    bytes += static_cast<double>(a.size() + b.size());
  }
  state.counters["ns_per_byte"] =
      benchmark::Counter(bytes, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PairoLookAlikeRightItems)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
