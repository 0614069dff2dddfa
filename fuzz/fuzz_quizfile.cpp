// The XML quiz reader over arbitrary text: the parts of the file, the
// question records from any first number, and the embedded configuration.
// Checks that the linear record walk gives what cutting the records out of
// the text one by one gives, and that a quiz read back from its own saved
// text saves to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "askery/core/QuizFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/ElementWalker.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"

using namespace askery;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void SameRecords(const std::string& tag, const std::string& text) {
  std::string cut = text;
  std::string fromCut;
  std::string fromWalk;
  TElementWalker walker(tag, text);
  for (;;) {
    const bool a = ExtractElement(true, tag, cut, fromCut);
    const bool b = walker.Next(fromWalk);
    Check(a == b);
    if (!a) break;
    Check(fromCut == fromWalk);
  }
}

std::string Save(TQList& list, const std::string& title) {
  return quizfile::BuildQuizFileText(6, title, quizfile::EmptyReadingElement(), list,
                                     configdoc::MakeConfigXML(configdoc::Program::Askery,
                                                              configdoc::Defaults(
                                                                  configdoc::Program::Askery)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 20000) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int first = size > 0 ? 1 + data[0] % 8 : 1;

  SameRecords("question-record", text);
  SameRecords("answer", text);

  const bool isQuiz = quizfile::IsQuizDocument(text);
  const exercisedoc::Parts parts = quizfile::ReadQuizXML(text, "current", "next.htm");
  TQList list;
  quizfile::ReadQuizQuestions(parts.body, first, list);
  TQList direct;
  quizfile::ReadQuizQuestions(text, first, direct);
  Check(direct.Count() <= static_cast<int>(size) + first);
  if (isQuiz) (void)quizfile::QuestionsOf(text);

  const ConfigValues cfg = configdoc::ReadConfigXML(
      configdoc::Program::Askery, GetValueByPath(text, quizfile::kRoot, ""),
      configdoc::Defaults(configdoc::Program::Askery));
  Check(cfg.text.size() == 35 && cfg.checked.size() == 9);

  // Whatever was read saves, reads back and saves to the same bytes.
  const std::string saved = Save(list, parts.title);
  Check(quizfile::IsQuizDocument(saved));
  const exercisedoc::Parts again = quizfile::ReadQuizXML(saved, "", "");
  Check(again.title == parts.title);
  TQList reread;
  quizfile::ReadQuizQuestions(again.body, 1, reread);
  Check(Save(reread, again.title) == saved);
  return 0;
}
