// The reader of old line-based matching files over arbitrary file contents:
// the version, title, next-exercise address, default right item, the
// hundred pairs and the configuration keys.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "pairo/core/MatchFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/TQList.h"

using fuzzsupport::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 20000) return 0;
  TDataFile file(fuzzsupport::WriteScratchFile(data, size));
  const pairo::OldMatch old = pairo::ReadOldMatch(file, "current.htm");
  Check(old.pairs.size() == static_cast<size_t>(pairo::kOldPairCount));
  for (const auto& p : old.pairs)
    Check(p.left.size() <= 3 * size + 2 && p.right.size() <= 3 * size + 2);
  TQList pairs;
  pairo::PutOldPairs(old, pairs);
  Check(pairs.Count() <= pairo::kOldPairCount);
  Check(pairs.Count() == 0 || !pairs.QuestionIsEmpty(pairs.Count()));
  const ConfigValues current = configdoc::Defaults(configdoc::Program::Pairo);
  const ConfigValues cfg = pairo::ReadOldMatchConfig(file, current);
  Check(cfg.text.size() == current.text.size() && cfg.checked.size() == current.checked.size());
  return 0;
}
