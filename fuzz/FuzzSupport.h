// Small helpers the fuzz targets share.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzsupport {

// Stops the run (the fuzzer reports it) when a property does not hold.
inline void Check(bool ok) {
  if (!ok) std::abort();
}

// One scratch file per fuzz process, removed at exit.
inline const std::string& ScratchFile() {
  static std::string file;
  if (file.empty()) {
    char name[] = "/tmp/tavrel-fuzz-XXXXXX";
    const int fd = ::mkstemp(name);
    Check(fd >= 0);
    ::close(fd);
    file = name;
    std::atexit([] { ::unlink(file.c_str()); });
  }
  return file;
}

// Writes the bytes as the whole scratch file and gives its path.
inline const std::string& WriteScratchFile(const void* data, std::size_t size) {
  const std::string& file = ScratchFile();
  FILE* f = std::fopen(file.c_str(), "wb");
  Check(f != nullptr);
  if (size > 0) Check(std::fwrite(data, 1, size, f) == size);
  Check(std::fclose(f) == 0);
  return file;
}

}  // namespace fuzzsupport
