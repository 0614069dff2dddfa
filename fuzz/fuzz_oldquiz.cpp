// The reader of old line-based quiz files over arbitrary file contents: the
// version, title, next-exercise address, the hundred questions and the
// configuration keys.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "askery/QuizFile.h"
#include "shared/ConfigDocument.h"
#include "shared/DataFile.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::string g_file;

void RemoveFile() {
  if (!g_file.empty()) ::unlink(g_file.c_str());
}

const std::string& ScratchFile() {
  if (g_file.empty()) {
    char name[] = "/tmp/fuzz-oldquiz-XXXXXX";
    const int fd = ::mkstemp(name);
    Check(fd >= 0);
    ::close(fd);
    g_file = name;
    std::atexit(RemoveFile);
  }
  return g_file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 20000) return 0;
  FILE* f = std::fopen(ScratchFile().c_str(), "wb");
  Check(f != nullptr);
  if (size > 0) Check(std::fwrite(data, 1, size, f) == size);
  std::fclose(f);

  TDataFile file(ScratchFile());
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
