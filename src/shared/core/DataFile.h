// Reader of the line-based data and configuration files of earlier versions:
// "[Section]" header lines, "Key=Value" lines, a section ending at the first
// empty line, "{ReturnToken}" standing for a line break.  Read only: the file
// on disk is never touched.
#pragma once

#include <string>
#include <vector>

class TDataFile {
 public:
  // Reads the file's lines when it exists (none otherwise).  Throws
  // std::runtime_error when the file exists but cannot be read.
  explicit TDataFile(const std::string& fileName);

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
  std::vector<std::string> lines_;
};
