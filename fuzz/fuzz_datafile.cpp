// The old line-based file reader and the text-file reader over arbitrary
// bytes.  The section and key asked for come from the input itself, so the
// fuzzer finds its way into the sections.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"

namespace {

using fuzzsupport::Check;
using fuzzsupport::WriteScratchFile;

std::string Between(const std::string& s, char open, char close) {
  const size_t p = s.find(open);
  if (p == std::string::npos) return {};
  const size_t q = s.find(close, p + 1);
  return q == std::string::npos ? std::string() : s.substr(p + 1, q - p - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string& file = WriteScratchFile(data, size);

  const std::string section = Between(bytes, '[', ']');
  const size_t line = bytes.find('\n');
  const std::string key =
      line == std::string::npos ? std::string("Key") : Between(bytes.substr(line), '\n', '=');

  const TDataFile df(file);
  const std::string v = df.ReadString(section, key, "\x01none");
  // CR LF cannot form a marker, so none survives the replacement.
  Check(v.find("{ReturnToken}") == std::string::npos);
  (void)df.ReadInteger(section, key, 3);
  (void)df.ReadBool(section, key, true);
  (void)df.ReadString("Quiz", "Title", "");

  std::string text;
  Check(LoadTextFile(file, text));
  // Every line comes back closed by CR LF, with no other line break.
  Check(text.empty() || text.compare(text.size() - 2, 2, "\r\n") == 0);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') Check(i + 1 < text.size() && text[i + 1] == '\n');
    if (text[i] == '\n') Check(i > 0 && text[i - 1] == '\r');
    Check(text[i] != '\0');
  }
  return 0;
}
