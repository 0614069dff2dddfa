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
// exception that escaped it, 128 + the signal that ended it.  Memory the
// process freed earlier but still holds is taken from it first, so that the
// limit holds whatever ran before in the same process.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
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

// What the child of a memory test reports when its limit could not be set,
// or when an allocation beyond the headroom still succeeded.
inline constexpr int kMemoryLimitNotSet = 97;
inline constexpr int kMemoryLimitDoesNotHold = 96;

namespace detail {

// Allocations made through a pointer the compiler cannot see through, so
// that none of them is left out.
inline void* (*volatile gAllocate)(size_t) = std::malloc;

// The address space of this process in bytes (0 when unknown), read
// without taking memory from the heap.
inline rlim_t AddressSpaceInUse() {
  char text[64] = {};
  const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  const ssize_t n = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  rlim_t pages = 0;
  for (ssize_t i = 0; i < n && text[i] >= '0' && text[i] <= '9'; ++i)
    pages = pages * 10 + static_cast<rlim_t>(text[i] - '0');
  return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

inline bool LimitAddressSpace(rlim_t bytes) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_AS, &limit) != 0) return false;
  if (limit.rlim_max != RLIM_INFINITY && bytes > limit.rlim_max) return false;
  limit.rlim_cur = bytes;
  return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

// The stack counts against the limit too: it is grown now, while the
// address space may still grow, so that the steps below need no more of it.
[[gnu::noinline]] inline void GrowStack() {
  volatile char room[64 * 1024];
  room[0] = 0;
  room[sizeof room - 1] = 0;
}

// Leaves the process no more room than headroomBytes: memory that earlier
// work freed but the heap keeps would otherwise serve the case beyond the
// limit.  The heap gives back what it can; then, with the address space held
// where it is, every free block it still holds is taken and kept.  The limit
// is then raised by the headroom, and taking blocks of memory beyond it must
// fail (what was taken is given back for the case).
inline int HoldToHeadroom(size_t headroomBytes) {
  GrowStack();
  ::malloc_trim(0);
  if (!LimitAddressSpace(AddressSpaceInUse())) return kMemoryLimitNotSet;
  for (const size_t block : {size_t{64} << 10, size_t{4} << 10, size_t{256}})
    while (gAllocate(block) != nullptr) {
    }
  const rlim_t used = AddressSpaceInUse();
  if (used == 0 || !LimitAddressSpace(used + headroomBytes)) return kMemoryLimitNotSet;
  constexpr size_t kBlock = size_t{64} << 10;
  const size_t beyond = headroomBytes + (size_t{1} << 20);
  void* blocks = nullptr;  // each block holds the address of the one before
  size_t taken = 0;
  while (taken < beyond) {
    void* block = gAllocate(kBlock);
    if (!block) break;
    *static_cast<void**>(block) = blocks;
    blocks = block;
    taken += kBlock;
  }
  while (blocks) {
    void* before = *static_cast<void**>(blocks);
    std::free(blocks);
    blocks = before;
  }
  return taken < beyond ? 0 : kMemoryLimitDoesNotHold;
}

}  // namespace detail

// Runs body in a child process that may take no more than headroomBytes of
// memory beyond what it holds; its exit status (see above).  A limit that
// cannot be set, or does not hold, fails the test with its reason.
inline int RunWithMemoryHeadroom(size_t headroomBytes, const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    int code = detail::HoldToHeadroom(headroomBytes);
    if (code == 0) {
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
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (code == kMemoryLimitNotSet)
    ADD_FAILURE() << "the memory limit for the case could not be set";
  if (code == kMemoryLimitDoesNotHold)
    ADD_FAILURE() << "the memory limit does not hold: an allocation beyond the headroom of "
                  << headroomBytes << " bytes succeeded";
  return code;
}

}  // namespace tavrel::testing
