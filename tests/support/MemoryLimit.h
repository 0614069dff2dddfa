// Memory tests run their case in a child process whose address space may
// grow by a little only ("ulimit -v" set from inside), so that an allocation
// the case makes beyond it fails as it would on a machine short of memory.
// The case reports through its exit status: what it returns, 98 for an
// exception that escaped it, 128 + the signal that ended it.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace tavrel::testing {

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
