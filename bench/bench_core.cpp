// Costs of the shared text and document routines as the exercise grows: each
// pair of sizes differs tenfold, so the times should too.
//
// Two effects of the machine rather than of the routines are kept out of the
// comparison: large blocks stay in the heap between iterations (otherwise
// glibc maps every block above its threshold afresh and the kernel's page
// faults dominate the larger size only), and the smaller texts are taken in
// rotation from as many copies as make up the larger one (their results kept
// as long), so that neither size runs from the processor cache.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace {

const bool kHeapKept = [] {
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  return true;
}();

// A text of the given number of 100-byte blocks, each holding one
// placeholder.
std::string PlaceholderText(int64_t blocks) {
  const std::string head = "<p>[strExerciseTitle]";
  const std::string tail = "</p>";
  const std::string block = head + std::string(100 - head.size() - tail.size(), 'x') + tail;
  std::string s;
  s.reserve(static_cast<size_t>(blocks) * block.size());
  for (int64_t i = 0; i < blocks; ++i) s += block;
  return s;
}

void BM_ReplaceAll(benchmark::State& state) {
  const size_t copies = static_cast<size_t>(1000000 / state.range(0));
  const std::vector<std::string> texts(copies, PlaceholderText(state.range(0)));
  std::vector<std::string> results(copies);  // each result lives for a round
  size_t next = 0;
  int count = 0;
  for (auto _ : state) {
    results[next] = ReplaceAll("[strExerciseTitle]", "A quiz on rivers", texts[next], &count);
    benchmark::DoNotOptimize(results[next]);
    next = (next + 1) % copies;
  }
  state.counters["replacements"] = count;
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(texts[0].size()));
}
// 10 MB with 100,000 occurrences and 100 MB with 1,000,000.
BENCHMARK(BM_ReplaceAll)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A quiz data file of the given number of question records, with the
// configuration block after them.
std::string QuizDocument(int64_t records) {
  std::string questions;
  for (int64_t i = 1; i <= records; ++i) {
    std::string answers;
    for (int a = 1; a <= 4; ++a)
      answers += MakeElement(MakeElement("Answer " + std::to_string(a), "answer") +
                                 MakeElement("", "feedback") + MakeElement("1", "correct"),
                             "answer-record") +
                 "\r\n";
    questions += MakeElement(MakeElement("Question number " + std::to_string(i), "question") +
                                 "\r\n" + MakeElement(answers, "answers"),
                             "question-record") +
                 "\r\n";
  }
  const std::string data = MakeElement("Rivers", "title") + "\r\n" +
                           MakeElement(questions, "questions") + "\r\n";
  const std::string config =
      MakeElement(MakeElement(MakeElement("Check", "check-caption"), "global"), "hotpot-config");
  return MakeElement(MakeElement("6", "version") + "\r\n" + MakeElement(data, "data") + "\r\n" +
                         config + "\r\n",
                     "tavrel-askery-file");
}

const char* kConfigPath = "tavrel-askery-file\\hotpot-config\\global\\check-caption";

void BM_GetValueByPath(benchmark::State& state) {
  const std::string doc = QuizDocument(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(GetValueByPath(doc, kConfigPath, ""));
  state.counters["bytes"] = static_cast<double>(doc.size());
}
BENCHMARK(BM_GetValueByPath)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

void BM_SetElementByPath(benchmark::State& state) {
  std::string doc = QuizDocument(state.range(0));
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    benchmark::DoNotOptimize(SetElementByPath(kConfigPath, flip ? "Check it" : "Check", doc));
  }
  state.counters["bytes"] = static_cast<double>(doc.size());
}
BENCHMARK(BM_SetElementByPath)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

void BM_SaveXMLFile(benchmark::State& state) {
  const std::string doc = QuizDocument(state.range(0));
  char folder[] = "/tmp/tavrel-bench-XXXXXX";
  if (!mkdtemp(folder)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string file = std::string(folder) + "/quiz.aky";
  for (auto _ : state) benchmark::DoNotOptimize(SaveXMLFile(file, doc));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(doc.size()));
  unlink(file.c_str());
  rmdir(folder);
}
BENCHMARK(BM_SaveXMLFile)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
