// Element-path routines over arbitrary documents.  Input: the path, a line
// break, the value to write, a line break, then the document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "shared/core/XMLRoutines.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool HasTags(const std::string& s) {
  return s.find('<') != std::string::npos || s.find('>') != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t a = input.find('\n');
  if (a == std::string::npos) return 0;
  const size_t b = input.find('\n', a + 1);
  if (b == std::string::npos) return 0;
  const std::string path = input.substr(0, a);
  const std::string value = input.substr(a + 1, b - a - 1);
  const std::string doc = input.substr(b + 1);
  const std::string sentinel = "\x01none";

  std::vector<std::string> steps;
  Check(SplitXMLPath(path, steps) && !steps.empty());

  std::string content;
  int start = -1;
  if (FindElement(steps[0], doc, content, start)) {
    Check(start >= 0 && static_cast<size_t>(start) <= doc.size() + 1);
    if (start > 0) Check(doc.compare(static_cast<size_t>(start) - 1, content.size(), content) == 0);
  } else {
    Check(start == 0 && content.empty());
  }

  std::vector<std::string> missing;
  Check(LocateElementPath(path, doc, missing, start, content));
  Check(missing.size() <= steps.size());

  const std::string before = GetValueByPath(doc, path, sentinel);
  (void)GetBoolByPath(doc, path, true);
  (void)GetIntByPath(doc, path, 7);

  std::string changed = doc;
  if (!SetElementByPath(path, value, changed)) {
    Check(changed == doc);
  } else if (changed != doc) {
    if (!HasTags(value)) Check(GetValueByPath(changed, path, sentinel) == value);
  } else {
    Check(before == value || value.empty());
  }

  // Taking the repeated elements of the first step out one by one ends.
  std::string rest = doc;
  size_t previous = rest.size() + 1;
  while (ExtractElement(true, steps[0], rest, content)) {
    Check(rest.size() < previous);
    previous = rest.size();
  }

  Check(XMLUnescape(XMLEscape(doc)) == doc);
  const std::string stripped = StripTags(doc);
  Check(stripped.size() <= doc.size() && stripped.find('<') == std::string::npos);
  return 0;
}
