// Limits a user's programs may meet, set for real.
//
// A file-size limit as "ulimit -f" sets it, while a FileSizeLimit lives: a
// write beyond it raises SIGXFSZ, whose default action ends the program, so
// the handler stays the default.
//
// Memory tests run their case in a child process whose address space may
// grow by a little only ("ulimit -v" set from inside), so that an allocation
// the case makes beyond it fails as it would on a machine short of memory.
// The case reports through its exit status: what it returns, 98 for an
// exception that escaped it, 128 + the signal that ended it.
#pragma once

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <string>

#include "shared/core/UserRights.h"

namespace tavrel::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_DFL);
    rlimit lim = old_;
    lim.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &lim) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Ok() const { return ok_; }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = SIG_DFL;
  bool ok_ = false;
};

// Runs save on file where the saver has to write the file itself: as a user
// whom file modes restrain ("nobody" when run as root), with the file open to
// writing, its folder closed, and the file-size limit given.  The folder is
// opened again afterwards; its own folder must let others through.  False
// when this process cannot be restrained.
inline bool SaveInPlaceUnderSizeLimit(const std::string& file, rlim_t limit,
                                      const std::function<void()>& save) {
  const std::string folder = file.substr(0, file.rfind('/'));
  if (::chmod(file.c_str(), 0666) != 0 || ::chmod(folder.c_str(), 0555) != 0) return false;
  bool ran = false;
  {
    WithoutRootRights user;
    FileSizeLimit size(limit);
    if (user.Ok() && size.Ok()) {
      save();
      ran = true;
    }
  }
  ::chmod(folder.c_str(), 0755);
  return ran;
}

// AddressSanitizer keeps its own bookkeeping of memory and ends the program
// on a failed allocation instead of throwing.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kMemoryLimitsWork = false;
#else
inline constexpr bool kMemoryLimitsWork = true;
#endif

inline int RunWithMemoryHeadroom(size_t headroomBytes, const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    unsigned long pages = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(f, "%lu", &pages) != 1) pages = 0;
      std::fclose(f);
    }
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max =
        static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + headroomBytes;
    int code = 97;
    if (pages > 0 && ::setrlimit(RLIMIT_AS, &limit) == 0) {
      try {
        code = body();
      } catch (...) {
        code = 98;
      }
    }
    ::_exit(code);
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace tavrel::testing
