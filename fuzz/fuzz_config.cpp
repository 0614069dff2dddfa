// The configuration reader and writer over arbitrary documents.  The input
// is values (lines before a NUL byte) and a document (after it).  Reading any
// document keeps every control; writing into any document never fails; and
// values written into a new document or an embedded copy read back exactly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shared/core/ConfigDocument.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 20000) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const std::string valuesPart = input.substr(0, nul);
  const std::string doc = nul == std::string::npos ? input : input.substr(nul + 1);

  for (auto p : {configdoc::Program::Askery, configdoc::Program::Pairo, configdoc::Program::Gridel}) {
    const ConfigValues defaults = configdoc::Defaults(p);
    const ConfigValues read = configdoc::ReadConfigXML(p, doc, defaults);
    Check(read.text.size() == defaults.text.size());
    Check(read.checked.size() == defaults.checked.size());
    (void)configdoc::IsConfigDocument(doc);

    // Values cut from the input, one line per text control.
    ConfigValues values = defaults;
    size_t pos = 0;
    unsigned bit = 0;
    for (auto& [name, text] : values.text) {
      const size_t end = valuesPart.find('\n', pos);
      text = valuesPart.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
      pos = end == std::string::npos ? valuesPart.size() : end + 1;
    }
    for (auto& [name, checked] : values.checked) {
      checked = size > 0 && ((data[bit % size] >> (bit % 8)) & 1);
      ++bit;
    }

    std::string into = doc;
    configdoc::WriteConfig(p, values, 6, into);

    std::string fresh;
    configdoc::WriteConfig(p, values, 6, fresh);
    Check(configdoc::IsConfigDocument(fresh));
    const ConfigValues back = configdoc::ReadConfigXML(p, fresh, defaults);
    // Stored values are escaped, so none can hide another; an empty text
    // creates no element and reads as the default.
    for (const auto& [name, text] : values.text) {
      Check(back.Text(name) == (text.empty() ? defaults.Text(name) : text));
    }
    Check(back.checked == values.checked);
    const std::string embedded = configdoc::MakeConfigXML(p, values);
    const ConfigValues fromCopy = configdoc::ReadConfigXML(p, embedded, defaults);
    Check(fromCopy.text == values.text && fromCopy.checked == values.checked);
  }
  return 0;
}
