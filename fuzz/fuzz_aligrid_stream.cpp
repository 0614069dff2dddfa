// The aligned grid's stream reader over arbitrary bytes: it either reads the
// stream or reports a format error, and what it read writes and reads back
// to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "aligrid/core/AlignCore.h"

namespace {
struct DataFirst {
  TStringGridData data;
};
struct Grid : DataFirst, TAlignGridCore {
  Grid() : TAlignGridCore(data) {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Grid g;
  try {
    ReadComponent(g, bytes);
  } catch (const EStreamError&) {
  }
  const std::string once = WriteComponent(g);
  Grid again;
  ReadComponent(again, once);  // what the grid writes it reads without fault
  fuzzsupport::Check(WriteComponent(again) == once);
  return 0;
}
