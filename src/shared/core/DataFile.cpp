#include "shared/core/DataFile.h"

#include <stdexcept>

#include "shared/core/FileFunctions.h"
#include "shared/core/StringFunctions.h"

namespace {

constexpr const char* kDefaultToken = "{DefaultToken}";

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TDataFile::TDataFile(const std::string& fileName) : fileName_(fileName) {
  if (!FileExists(fileName)) return;
  if (!LoadTextLines(fileName, lines_))
    throw std::runtime_error("Unable to read the file " + fileName + ".");
}

std::string TDataFile::ReadString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const {
  const std::string header = "[" + section + "]";
  const std::string keyPrefix = key + "=";
  size_t i = 0;
  while (i < lines_.size() && !StartsWith(lines_[i], header)) ++i;
  // The section runs from its header line to the first empty line; a later
  // header does not end it.
  for (; i < lines_.size() && !lines_[i].empty(); ++i) {
    if (StartsWith(lines_[i], keyPrefix))
      return ReplaceAll("{ReturnToken}", "\r\n", lines_[i].substr(keyPrefix.size()));
  }
  return defaultValue;
}

int TDataFile::ReadInteger(const std::string& section, const std::string& key,
                           int defaultValue) const {
  const std::string s = ReadString(section, key, kDefaultToken);
  if (s == kDefaultToken) return defaultValue;
  int value = 0;
  return StrToIntStrict(s, value) ? value : defaultValue;
}

bool TDataFile::ReadBool(const std::string& section, const std::string& key,
                         bool defaultValue) const {
  const std::string s = ReadString(section, key, kDefaultToken);
  if (s == kDefaultToken) return defaultValue;
  return s == "1";
}
