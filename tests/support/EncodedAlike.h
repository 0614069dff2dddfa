// The same saved data file in the encodings a teacher's other tools write:
// as the program saved it (Windows-1252), and in UTF-8 without and with a
// byte-order mark, its declaration saying so and the letters Windows-1252
// lacks written as themselves rather than as references.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/core/TextCodec.h"

namespace tavrel::testing {

inline std::vector<std::pair<std::string, std::string>> EncodedAlike(const std::string& saved) {
  // The escaped reference the program writes ("&amp;#321;") becomes the
  // letter; everything else is the same character in UTF-8.
  std::string utf8;
  for (size_t i = 0; i < saved.size();) {
    char32_t u = 0;
    size_t length = 0;
    if (saved.compare(i, 5, "&amp;") == 0 && ForeignReferenceAt(saved, i + 4, u, length)) {
      utf8 += Win1252PathToUtf8(saved.substr(i + 4, length));
      i += 4 + length;
      continue;
    }
    utf8 += Win1252ToUtf8(saved.substr(i, 1));
    ++i;
  }
  const std::string declared = "encoding=\"ISO-8859-1\"";
  const size_t at = utf8.find(declared);
  std::string lower = utf8, upper = utf8;
  if (at != std::string::npos) {
    lower.replace(at, declared.size(), "encoding=\"utf-8\"");
    upper.replace(at, declared.size(), "encoding=\"UTF-8\"");
  }
  return {{"Windows-1252", saved}, {"UTF-8", lower}, {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + upper}};
}

}  // namespace tavrel::testing
