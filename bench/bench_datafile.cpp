// Saving and loading quizzes of 200 and 2,000 questions with ten answers
// each: the whole text built and written to disk, and a file read, taken
// apart, its records read into the question list and its embedded
// configuration read.  Ten times the questions should take about ten times
// as long.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "askery/core/QuizFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"

using namespace askery;

namespace {

// Large blocks stay in the heap between iterations, so that the kernel's
// page faults for freshly mapped blocks do not weigh on the larger size only.
const bool kHeapKept = [] {
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  return true;
}();

void FillQuiz(TQList& q, int questions) {
  for (int i = 1; i <= questions; ++i) {
    q.SetQuestionText(i, "Question " + std::to_string(i) +
                             ": what is the capital city of the country <b>number</b> " +
                             std::to_string(i) + "?");
    for (int a = 1; a <= 10; ++a) {
      q.SetAnswer(i, a, "Answer " + std::to_string(a) + " & more for " + std::to_string(i), "",
                  1);
    }
  }
}

std::string ConfigXML() {
  return configdoc::MakeConfigXML(configdoc::Program::Askery,
                                  configdoc::Defaults(configdoc::Program::Askery));
}

std::string ScratchFile(const char* tag) {
  return "/tmp/bench-datafile-" + std::to_string(::getpid()) + "-" + tag + ".aky";
}

void BM_SaveQuiz(benchmark::State& state) {
  (void)kHeapKept;
  const int questions = static_cast<int>(state.range(0));
  TQList quiz;
  FillQuiz(quiz, questions);
  const std::string config = ConfigXML();
  const std::string reading = quizfile::EmptyReadingElement();
  const std::string file = ScratchFile("save");
  for (auto _ : state) {
    const std::string doc = quizfile::BuildQuizFileText(6, "Capitals", reading, quiz, config);
    if (!SaveXMLFile(file, doc)) state.SkipWithError("cannot write the scratch file");
  }
  ::unlink(file.c_str());
  state.SetComplexityN(questions);
}

void BM_LoadQuiz(benchmark::State& state) {
  const int questions = static_cast<int>(state.range(0));
  const std::string file = ScratchFile("load");
  {
    TQList quiz;
    FillQuiz(quiz, questions);
    SaveXMLFile(file, quizfile::BuildQuizFileText(6, "Capitals", quizfile::EmptyReadingElement(),
                                                  quiz, ConfigXML()));
  }
  const ConfigValues current = configdoc::Defaults(configdoc::Program::Askery);
  for (auto _ : state) {
    std::string text;
    LoadTextFile(file, text);
    TQList quiz;
    if (quizfile::IsQuizDocument(text)) {
      const exercisedoc::Parts parts = quizfile::ReadQuizXML(text, "", "");
      quizfile::ReadQuizQuestions(parts.body, 1, quiz);
      // The reload option's pass over the whole file.
      benchmark::DoNotOptimize(configdoc::ReadConfigXML(
          configdoc::Program::Askery, GetValueByPath(text, quizfile::kRoot, ""), current));
    }
    if (quiz.Count() != questions) state.SkipWithError("the quiz did not load");
  }
  ::unlink(file.c_str());
  state.SetComplexityN(questions);
}

}  // namespace

BENCHMARK(BM_SaveQuiz)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_LoadQuiz)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity();
