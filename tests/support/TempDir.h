// A temporary folder removed with everything in it when the test ends.
#pragma once

#include <string>
#include <vector>

namespace tavrel::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, with a trailing "/".
  const std::string& Path() const { return path_; }
  // Path() + name.
  std::string File(const std::string& name) const { return path_ + name; }

  // Writes bytes exactly as given; reads a whole file ("" when missing).
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  // Names of what the folder holds, sorted.
  std::vector<std::string> FileNames() const;

 private:
  std::string path_;
};

// Whole file as bytes, "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace tavrel::testing
