#include "shared/core/DataFile.h"

#include "platform/core/TextCodec.h"

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
    throw std::runtime_error("Unable to read the file " + tavrel::ShownPath(fileName) + ".");
}

TDataFile::TDataFile(const std::string& fileName, const std::string& text)
    : fileName_(fileName), lines_(TextLines(text)) {}

bool IsOldDataFile(const std::string& text) {
  return TDataFile("", text).ValueExists("FileInfo", "Version");
}

std::pair<size_t, size_t> TDataFile::SectionLines(const std::string& section) const {
  const std::string header = "[" + section + "]";
  size_t first = 0;
  while (first < lines_.size() && !StartsWith(lines_[first], header)) ++first;
  size_t last = first;
  while (last < lines_.size() && !lines_[last].empty()) ++last;
  return {first, last};
}

std::string TDataFile::ReadString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const {
  const std::string keyPrefix = key + "=";
  const auto [first, last] = SectionLines(section);
  for (size_t i = first; i < last; ++i) {
    if (StartsWith(lines_[i], keyPrefix))
      return ReplaceAll("{ReturnToken}", "\r\n", lines_[i].substr(keyPrefix.size()));
  }
  return defaultValue;
}

std::unordered_map<std::string, std::string> TDataFile::ReadSection(
    const std::string& section) const {
  std::unordered_map<std::string, std::string> keys;
  const auto [first, last] = SectionLines(section);
  for (size_t i = first; i < last; ++i) {
    const auto eq = lines_[i].find('=');
    if (eq == std::string::npos) continue;
    keys.emplace(lines_[i].substr(0, eq),
                 ReplaceAll("{ReturnToken}", "\r\n", lines_[i].substr(eq + 1)));
  }
  return keys;
}

bool TDataFile::ValueExists(const std::string& section, const std::string& key) const {
  return ReadString(section, key, kDefaultToken) != kDefaultToken;
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
