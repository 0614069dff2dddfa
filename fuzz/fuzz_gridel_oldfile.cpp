// The reader of old line-based crossword files over arbitrary contents:
// version, title, grid rows and the word and clue pairs, and the
// configuration keys.  Counts in the file never make the reader run past
// the keys the file holds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "gridel/core/CrosswordFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"

using fuzzsupport::Check;
using namespace gridel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 20000) return 0;
  TDataFile file(fuzzsupport::WriteScratchFile(data, size));
  const LoadedCrossword r = ReadOldCrossword(file, "current.htm", 20);
  if (r.status == LoadStatus::Loaded) {
    Check(r.crossword.grid.Size() >= 20 && r.crossword.grid.Size() <= kMaxGridSize);
    Check(r.unreadable.count >= 0 && r.unreadable.row < kMaxGridSize);
    Check(r.crossword.clues.size() <= size);
  } else {
    Check(r.status == LoadStatus::UnsupportedVersion && !r.message.empty());
  }
  const ConfigValues current = configdoc::Defaults(configdoc::Program::Gridel);
  const ConfigValues cfg = ReadOldCrosswordConfig(file, current);
  Check(cfg.text.size() == current.text.size() && cfg.checked.size() == current.checked.size());
  return 0;
}
