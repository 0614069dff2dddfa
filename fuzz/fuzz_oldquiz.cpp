// The reader of old line-based quiz files over arbitrary file contents: the
// version, title, next-exercise address, the hundred questions and the
// configuration keys.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "askery/core/QuizFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"

using namespace askery;

using fuzzsupport::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 20000) return 0;
  TDataFile file(fuzzsupport::WriteScratchFile(data, size));
  const quizfile::OldQuiz quiz = quizfile::ReadOldQuiz(file, "current.htm");
  Check(quiz.questions.size() == static_cast<size_t>(quizfile::kOldQuestionCount));
  for (const auto& q : quiz.questions) {
    Check(q.text.size() <= 3 * size + 2);
    for (const auto& a : q.answers) Check(a.size() <= 3 * size + 2);
  }
  const ConfigValues current = configdoc::Defaults(configdoc::Program::Askery);
  const ConfigValues cfg = quizfile::ReadOldQuizConfig(file, current);
  Check(cfg.text.size() == current.text.size() && cfg.checked.size() == current.checked.size());
  // The old configuration files of the three programs.
  for (auto p : {configdoc::Program::Askery, configdoc::Program::Pairo, configdoc::Program::Gridel}) {
    const ConfigValues before = configdoc::Defaults(p);
    const ConfigValues after = configdoc::ReadOldConfig(p, file, before);
    Check(after.text.size() == before.text.size());
  }
  return 0;
}
