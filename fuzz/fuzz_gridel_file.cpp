// The .gdl reader over arbitrary text: the grid never comes out larger than
// the largest grid nor smaller than the current one, the cells it could not
// read are counted, and a crossword read back from its own saved text reads
// to the same crossword with every cell readable, also when empty cells and
// rows beyond the largest grid follow its letters.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "gridel/core/CrosswordFile.h"
#include "shared/core/StringFunctions.h"

using fuzzsupport::Check;
using namespace gridel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 40000) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int current = 4 + (size > 0 ? data[0] % 20 : 0);
  IsCrosswordDocument(text);
  const LoadedCrossword r = ReadCrosswordXML(text, "current", "next.htm", current);
  if (r.status != LoadStatus::Loaded) {
    Check(r.status == LoadStatus::TooLarge && !r.message.empty());
    return 0;
  }
  const LetterGrid& g = r.crossword.grid;
  Check(g.Size() >= current && g.Size() <= kMaxGridSize);
  Check(r.unreadable.count >= 0 && (r.unreadable.count == 0) == (r.unreadable.row < 0));
  const std::string saved = BuildCrosswordFileText(6, r.crossword, "<tavrel-config-file></tavrel-config-file>");
  Check(IsCrosswordDocument(saved));
  const LoadedCrossword again = ReadCrosswordXML(saved, "other", "other.htm", current);
  Check(again.status == LoadStatus::Loaded);
  Check(again.crossword.grid == g);
  Check(again.unreadable.count == 0);
  std::string padding;
  for (int i = 0; i <= kMaxGridSize; ++i) padding += "<cell></cell>";
  std::string padded = ReplaceAll("</row>", padding + "</row>", WriteGridXML(g));
  for (int i = 0; i <= kMaxGridSize; ++i) padded.insert(padded.size() - 7, "<row><cell> </cell></row>");
  LetterGrid back;
  Check(ReadGridXML(padded, current, back) == LoadStatus::Loaded);
  Check(back == g);
  Check(again.crossword.title == r.crossword.title);
  Check(again.crossword.clues.size() == r.crossword.clues.size());
  for (size_t i = 0; i < r.crossword.clues.size(); ++i) {
    Check(again.crossword.clues[i].word == r.crossword.clues[i].word);
    Check(again.crossword.clues[i].clue == r.crossword.clues[i].clue);
  }
  return 0;
}
