// The .pry reader over arbitrary text: the parts of the file, the pairs from
// any first number, and the embedded configuration; then both exports of
// whatever was read.  Checks that the linear pair walk gives what cutting
// the pairs out of the text one by one gives, and that an exercise read back
// from its own saved text saves to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "pairo/core/MatchExport.h"
#include "pairo/core/MatchFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/ElementWalker.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"

using fuzzsupport::Check;

namespace {

class FixedRandom : public pairo::IMixRandom {
 public:
  void Reseed() override { state_ = 7; }
  int Below(int n) override {
    return static_cast<int>((state_ = state_ * 31 + 11) % static_cast<unsigned>(n));
  }

 private:
  unsigned state_ = 7;
};

std::string Save(TQList& list, const std::string& title, const std::string& defaultRight,
                 const std::string& reading) {
  return pairo::BuildMatchFileText(
      6, title, MakeElement(reading, "reading"), defaultRight, list,
      configdoc::MakeConfigXML(configdoc::Program::Pairo,
                               configdoc::Defaults(configdoc::Program::Pairo)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 20000) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int first = size > 0 ? 1 + data[0] % 8 : 1;

  {
    std::string cut = text;
    std::string fromCut;
    std::string fromWalk;
    TElementWalker walker("pair", text);
    for (;;) {
      const bool a = ExtractElement(true, "pair", cut, fromCut);
      const bool b = walker.Next(fromWalk);
      Check(a == b);
      if (!a) break;
      Check(fromCut == fromWalk);
    }
  }

  (void)pairo::IsMatchDocument(text);
  (void)pairo::ItemsOf(text);
  const exercisedoc::Parts parts = pairo::ReadMatchXML(text, "current", "next.htm");
  TQList list;
  const pairo::ItemsRead read = pairo::ReadMatchItems(parts.body, first, list);
  TQList direct;
  pairo::ReadMatchItems(text, first, direct);
  Check(direct.Count() <= static_cast<int>(size) + first);

  const ConfigValues cfg = configdoc::ReadConfigXML(configdoc::Program::Pairo,
                                                    GetValueByPath(text, pairo::kFileRoot, ""),
                                                    configdoc::Defaults(configdoc::Program::Pairo));

  // Whatever was read saves, reads back and saves to the same bytes.
  const std::string reading = XMLEscape(parts.reading);
  const std::string saved = Save(list, parts.title, read.defaultRight, reading);
  Check(pairo::IsMatchDocument(saved));
  const exercisedoc::Parts again = pairo::ReadMatchXML(saved, "", "");
  Check(again.title == parts.title);
  TQList reread;
  const pairo::ItemsRead readAgain = pairo::ReadMatchItems(again.body, 1, reread);
  Check(readAgain.hasDefault && readAgain.defaultRight == read.defaultRight);
  Check(Save(reread, again.title, readAgain.defaultRight, again.reading) == saved);

  // Both exports of what was read.
  pairo::MatchExportInput in;
  in.fileName = "/out/fuzz.htm";
  in.title = parts.title;
  in.defaultRight = read.defaultRight;
  in.config = cfg;
  in.reading.include = size > 1 && (data[1] & 1);
  in.reading.timer = size > 1 && (data[1] & 2);
  in.reading.output = parts.reading;
  const std::string code =
      "[BeginItemRow]<tr>[FixedItem][MixedItems][BeginIndicatorBox][IndicatorBoxName]"
      "[EndIndicatorBox]</tr>[EndItemRow][CorrectAnswersArray][ItemList]";
  in.frameset.disk = "[strPlainTitle][CodeFileName][ReadingFileName]";
  in.code.disk = code;
  in.dhtml.disk = "[FixedArray][DragArray][strExerciseTitle]";
  TQList forSelect;
  pairo::ReadMatchItems(parts.body, 1, forSelect);
  FixedRandom random;
  const pairo::MatchExport select = pairo::BuildSelectListExport(forSelect, in, random);
  Check(select.refusal.has_value() || !select.plan.steps.empty());
  // The exercise page is made as it is written: make it.
  for (const ExportStep& step : select.plan.steps)
    if (step.produce) (void)step.PageText();
  const pairo::MatchExport drag = pairo::BuildDragDropExport(reread, in);
  Check(!drag.plan.steps.empty());
  return 0;
}
