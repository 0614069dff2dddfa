// Reader of the line-based data and configuration files of earlier versions:
// "[Section]" header lines, "Key=Value" lines, a section ending at the first
// empty line, "{ReturnToken}" standing for a line break.  Read only: the file
// on disk is never touched.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class TDataFile {
 public:
  // Reads the file's lines when it exists (none otherwise).  Throws
  // std::runtime_error when the file exists but cannot be read.
  explicit TDataFile(const std::string& fileName);
  // The lines of a text already read from fileName.
  TDataFile(const std::string& fileName, const std::string& text);

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // True when the section holds the key (with any value).
  bool ValueExists(const std::string& section, const std::string& key) const;
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
  // Every key of a section with its value, read in one pass by the rules of
  // ReadString (the first line of a key wins); empty when the file lacks the
  // section.
  std::unordered_map<std::string, std::string> ReadSection(const std::string& section) const;
  // How many lines the file holds.
  size_t LineCount() const { return lines_.size(); }

  const std::string& FileName() const { return fileName_; }

 private:
  // The lines of a section, [first, last): from its header line to the
  // first empty line (a later header does not end it).
  std::pair<size_t, size_t> SectionLines(const std::string& section) const;

  std::string fileName_;
  std::vector<std::string> lines_;
};

// True when text is an old line-based data file: one that names its version
// under [FileInfo].  An empty, cut-short or foreign text is none.
bool IsOldDataFile(const std::string& text);
