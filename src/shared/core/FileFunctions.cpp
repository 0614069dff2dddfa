#include "shared/core/FileFunctions.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "platform/core/Platform.h"
#include "platform/core/TextCodec.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace {

constexpr const char* kShellOpenMessage =
    "Unable to run the program and load the file. Please try yourself to open this file:";

// Whole file into bytes; false when it cannot be opened or read.  Only
// regular files are read: a named pipe would wait for a writer, a device such
// as /dev/zero never ends.  The file is opened without waiting (a pipe put in
// its place after the check is refused too), and a file too large for memory
// fails like any other unreadable one.
bool ReadFileBytes(const std::string& fileName, std::string& bytes) {
  const std::string native = NativePath(fileName);
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  bool ok = true;
  std::string out;
  try {
    if (st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        ok = false;
        break;
      }
      out.append(buf, static_cast<size_t>(n));
    }
  } catch (const std::exception&) {
    ok = false;
  }
  ::close(fd);
  if (ok) bytes = std::move(out);
  return ok;
}

// Calls line(begin, end) for every line of the bytes: lines end at CR LF, a
// lone CR or a lone LF; a last line without a break counts; a NUL byte ends
// the text.
template <typename F>
void ForEachLine(const std::string& bytes, F line) {
  size_t end = bytes.find('\0');
  if (end == std::string::npos) end = bytes.size();
  size_t start = 0;
  for (size_t i = 0; i < end; ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    line(start, i);
    if (c == '\r' && i + 1 < end && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < end) line(start, end);
}

// Why the save running on this thread failed: the error of the first call
// that failed (0 while none has).  A reason that is no system error is held
// as text.
thread_local int gSaveError = 0;
thread_local const char* gSaveReason = nullptr;

// Notes err as the reason of the save unless one is known already; false,
// for the failing path to return.
bool Failed(int err) {
  if (gSaveError == 0 && !gSaveReason) gSaveError = err != 0 ? err : EIO;
  return false;
}

bool FailedFor(const char* reason) {
  if (gSaveError == 0 && !gSaveReason) gSaveReason = reason;
  return false;
}

// Writes size bytes of data at the file's position, or from the start of
// the file when fromStart; done counts the bytes written.
bool WriteBytes(int fd, const char* data, size_t size, size_t& done, bool fromStart = false) {
  done = 0;
  while (done < size) {
    const ssize_t n = fromStart ? ::pwrite(fd, data + done, size - done, static_cast<off_t>(done))
                                : ::write(fd, data + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failed(errno);
    }
    if (n == 0) return Failed(ENOSPC);
    done += static_cast<size_t>(n);
  }
  return true;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  return WriteBytes(fd, bytes.data(), bytes.size(), done);
}

// While a save writes, a write beyond the file-size limit fails with EFBIG
// instead of the signal ending the program (and the edits with it).
class FileSizeSignalIgnored {
 public:
  FileSizeSignalIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    active_ = ::sigaction(SIGXFSZ, &ignore, &previous_) == 0;
  }
  ~FileSizeSignalIgnored() {
    if (active_) ::sigaction(SIGXFSZ, &previous_, nullptr);
  }
  FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
  FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

 private:
  struct sigaction previous_ {};
  bool active_ = false;
};

SaveFault gSaveFault = SaveFault::None;

std::string NativeFolderOf(const std::string& native) {
  const size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return native.substr(0, slash);
}

std::string NativeNameOf(const std::string& native) {
  const size_t slash = native.rfind('/');
  return slash == std::string::npos ? native : native.substr(slash + 1);
}

// The file a save really writes: the end of a chain of symbolic links, so
// that the links survive the save and the file they lead to gets the text,
// also where that file does not exist yet (a dangling link gets its
// target).  Only what each link itself names is followed: a relative target
// is taken from the link's folder.  False for a chain that never ends.
bool ResolveTarget(const std::string& native, std::string& target) {
  target = native;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n <= 0) return Failed(n < 0 ? errno : ENOENT);
    link.resize(static_cast<size_t>(n));
    target = link[0] == '/' ? link : NativeFolderOf(target) + "/" + link;
  }
  return Failed(ELOOP);
}

// Temporary files of a save are hidden files beside the saved one, named
// kTempLead + process + "-" + number + "-" + (the head of) the saved file's
// name + kTempTail: beside it, so that the final rename stays within one file
// system.  The writer holds a lock on its temporary file until it has renamed
// it, so a temporary file that can be locked is the remains of a save that
// never finished.
constexpr const char* kTempLead = ".tavrel-save-";
constexpr const char* kTempTail = ".tmp";
// Room for the rest of the name within the usual limit of 255 bytes.
constexpr size_t kTempNameHead = 200;

std::string TempNameHead(const std::string& name) { return name.substr(0, kTempNameHead); }

// Creates and locks a fresh temporary file for name in folder; its
// descriptor, or -1 when none can be made there.
int CreateTemporaryBeside(const std::string& folder, const std::string& name, std::string& temp) {
  if (gSaveFault == SaveFault::NoTemporaryFile) {
    errno = EACCES;
    return -1;
  }
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = folder + "/" + kTempLead + std::to_string(::getpid()) + "-" +
           std::to_string(++counter) + "-" + TempNameHead(name) + kTempTail;
    const int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      ::flock(fd, LOCK_EX | LOCK_NB);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// True when entry is a temporary file that a save of name (or, from an
// earlier version, of any file of the folder) left: the lead, digits, "-",
// digits, then either the tail or "-" + the head of name + the tail.
bool IsTemporaryOf(const std::string& entry, const std::string& name) {
  const std::string lead = kTempLead;
  const std::string tail = kTempTail;
  if (entry.size() <= lead.size() + tail.size() || entry.compare(0, lead.size(), lead) != 0 ||
      entry.compare(entry.size() - tail.size(), tail.size(), tail) != 0)
    return false;
  const std::string middle = entry.substr(lead.size(), entry.size() - lead.size() - tail.size());
  size_t i = 0;
  auto digits = [&] {
    const size_t from = i;
    while (i < middle.size() && middle[i] >= '0' && middle[i] <= '9') ++i;
    return i > from;
  };
  if (!digits() || i >= middle.size() || middle[i++] != '-' || !digits()) return false;
  if (i == middle.size()) return true;
  return middle[i] == '-' && middle.compare(i + 1, std::string::npos, TempNameHead(name)) == 0;
}

// Removes the temporary files that unfinished saves of name left in folder;
// those of a save still running elsewhere are locked and stay.
void RemoveStrayTemporaries(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  std::vector<std::string> strays;
  while (const dirent* entry = ::readdir(dir))
    if (IsTemporaryOf(entry->d_name, name)) strays.push_back(entry->d_name);
  ::closedir(dir);
  for (const std::string& stray : strays) {
    const std::string path = folder + "/" + stray;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlink(path.c_str());
    ::close(fd);
  }
}

// True when a file of size bytes stays within the file-size limit.
bool FitsFileSizeLimit(off_t size) {
  rlimit limit {};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return true;
  return static_cast<rlim_t>(size) <= limit.rlim_cur;
}

// The whole of an open file, read from its start.
bool ReadWhole(int fd, off_t size, std::string& bytes) {
  try {
    bytes.assign(static_cast<size_t>(size), '\0');
  } catch (const std::exception&) {
    return false;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Writes bytes over the file itself, for a folder where no temporary file
// can be made.  Nothing is overwritten before the whole text is sure to fit:
// within the file-size limit, and with room on the device for what it adds
// (taken first).  The old bytes are kept, and if a write still fails they
// are put back, so a failed save leaves the file as it was.
bool WriteInPlace(const std::string& target, const std::string& bytes) {
  const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return Failed(errno);
  struct stat st {};
  std::string old;
  const auto size = static_cast<off_t>(bytes.size());
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !FitsFileSizeLimit(size) ||
      !ReadWhole(fd, st.st_size, old)) {
    Failed(!FitsFileSizeLimit(size) ? EFBIG : errno);
    ::close(fd);
    return false;
  }
  const auto oldSize = static_cast<off_t>(old.size());
  auto putBack = [&](size_t overwritten) {
    size_t done = 0;
    WriteBytes(fd, old.data(), std::min(overwritten, old.size()), done, true);
    (void)!::ftruncate(fd, oldSize);
    ::fsync(fd);
    ::close(fd);
    return false;
  };
  if (size > oldSize) {
    struct statvfs fs {};
    if (::fstatvfs(fd, &fs) == 0 &&
        static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize <
            static_cast<unsigned long long>(size - oldSize)) {
      ::close(fd);
      return Failed(ENOSPC);
    }
    const int r = ::posix_fallocate(fd, 0, size);
    if (r != 0 && r != EOPNOTSUPP && r != EINVAL) {
      Failed(r);
      return putBack(0);
    }
  }
  size_t written = 0;
  if (!WriteBytes(fd, bytes.data(), bytes.size(), written, true)) return putBack(written);
  if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) {
    Failed(errno);
    return putBack(bytes.size());
  }
  ::close(fd);  // the text is on the device
  return true;
}

// A new file belongs to its writer.  True when the temporary file has the
// owner and group of the file it is to replace, or can be given them (root
// may give any; an owner may give a group of its own).
bool TakesOwnerAndGroup(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return false;
  if (now.st_uid == old.st_uid && now.st_gid == old.st_gid) return true;
  return ::fchown(fd, old.st_uid, old.st_gid) == 0;
}

// The names of a file's extended attributes (those this user may see); an
// empty list where the file system keeps none.  False when they cannot be
// listed.
bool AttributeNames(const std::string& path, int fd, std::vector<std::string>& names) {
  names.clear();
  std::string list;
  for (int attempt = 0; attempt < 10; ++attempt) {
    const ssize_t size = fd >= 0 ? ::flistxattr(fd, nullptr, 0) : ::listxattr(path.c_str(), nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    list.assign(static_cast<size_t>(size), '\0');
    const ssize_t n = fd >= 0 ? ::flistxattr(fd, list.data(), list.size())
                              : ::listxattr(path.c_str(), list.data(), list.size());
    if (n < 0 && errno == ERANGE) continue;  // an attribute came meanwhile
    if (n < 0) return false;
    list.resize(static_cast<size_t>(n));
    for (size_t start = 0; start < list.size();) {
      const size_t end = list.find('\0', start);
      names.push_back(list.substr(start, end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return true;
  }
  return false;
}

// Gives the new file (to) exactly the extended attributes of the file it is
// to replace (from): its ACL, held as system.posix_acl_access, among them,
// and not one the folder's default ACL gave the new file alone.  False when
// that cannot be done; the file is then written in place.
bool CopyExtendedAttributes(const std::string& from, int to) {
  std::vector<std::string> names;
  std::vector<std::string> present;
  if (!AttributeNames(from, -1, names) || !AttributeNames(std::string(), to, present)) return false;
  for (const std::string& name : present)
    if (std::find(names.begin(), names.end(), name) == names.end() &&
        ::fremovexattr(to, name.c_str()) != 0)
      return false;
  for (const std::string& name : names) {
    std::string value;
    ssize_t n = -1;
    for (int attempt = 0; attempt < 10; ++attempt) {
      const ssize_t size = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
      if (size < 0) return false;
      value.assign(static_cast<size_t>(size), '\0');
      n = ::getxattr(from.c_str(), name.c_str(), value.data(), value.size());
      if (n >= 0 || errno != ERANGE) break;
    }
    if (n < 0) return false;
    value.resize(static_cast<size_t>(n));
    // One the new file already has as it is (the security label a file of
    // the folder gets) is left alone.
    std::string own(value.size() + 1, '\0');
    const ssize_t ownSize = ::fgetxattr(to, name.c_str(), own.data(), own.size());
    if (ownSize >= 0 && own.compare(0, static_cast<size_t>(ownSize), value) == 0 &&
        static_cast<size_t>(ownSize) == value.size())
      continue;
    if (::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}

bool SameNameNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && UpperCaseAscii(a) == UpperCaseAscii(b);
}

}  // namespace

std::string TextWithCrLfLines(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 32 + 2);
  ForEachLine(bytes, [&](size_t b, size_t e) {
    out.append(bytes, b, e - b);
    out += "\r\n";
  });
  return out;
}

bool LoadTextFile(const std::string& fileName, std::string& text) {
  try {
    std::string bytes;
    if (!ReadFileBytes(fileName, bytes)) return false;
    text = TextWithCrLfLines(TextFromFileBytes(bytes));
    return true;
  } catch (const std::exception&) {
    return false;  // more text than memory holds
  }
}

std::vector<std::string> TextLines(const std::string& bytes) {
  std::vector<std::string> lines;
  ForEachLine(bytes, [&](size_t b, size_t e) { lines.push_back(bytes.substr(b, e - b)); });
  return lines;
}

bool LoadTextLines(const std::string& fileName, std::vector<std::string>& lines) {
  try {
    std::string bytes;
    if (!ReadFileBytes(fileName, bytes)) return false;
    lines = TextLines(TextFromFileBytes(bytes));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

FileRefusal CheckFileToRead(const std::string& fileName) {
  if (fileName.empty()) return FileRefusal::NotFound;
  const std::string native = NativePath(fileName);
  struct stat st {};
  // A folder on the way that may not be searched hides the file: it is
  // there, but cannot be read.
  if (::stat(native.c_str(), &st) != 0)
    return errno == EACCES ? FileRefusal::CannotRead : FileRefusal::NotFound;
  if (S_ISDIR(st.st_mode)) return FileRefusal::Folder;
  if (!S_ISREG(st.st_mode)) return FileRefusal::NotRegular;
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return FileRefusal::CannotRead;
  ::close(fd);
  return FileRefusal::None;
}

std::string FileRefusalMessage(const std::string& path, FileRefusal why) {
  const std::string fileName = tavrel::ShownPath(path);
  switch (why) {
    case FileRefusal::None:
      break;
    case FileRefusal::NotFound:
      return "The file " + fileName + " cannot be found.";
    case FileRefusal::Folder:
      return fileName + " is a folder, not a file. It has not been opened.";
    case FileRefusal::NotRegular:
      return fileName + " is not a regular file (it is a pipe or a device). It has not been opened.";
    case FileRefusal::CannotRead:
      return "The file " + fileName +
             " cannot be read. You may not be allowed to read it, or there may be a disk error.";
  }
  return {};
}

std::string DamagedFileMessage(const std::string& fileName) {
  return "The file " + tavrel::ShownPath(fileName) + " is damaged or incomplete. It has not been opened.";
}

std::string UnableToLoadMessage(const std::string& fileName) {
  return "Unable to load the file " + tavrel::ShownPath(fileName) + ". There may be a disk error.";
}

bool SaveTextFile(const std::string& fileName, const std::string& text) {
  if (text.empty() || (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0))
    return SaveBytesAtomically(fileName, text);
  return SaveBytesAtomically(fileName, text + "\r\n");
}

namespace {

// The pieces of a text written through a buffer, with CR LF after the last
// line as SaveTextFile writes it.
class PieceWriter {
 public:
  explicit PieceWriter(int fd) : fd_(fd) { buffer_.reserve(kBuffer); }
  bool Put(const std::string& piece) {
    if (!ok_ || piece.empty()) return ok_;
    if (piece.size() >= 2)
      last_ = piece.substr(piece.size() - 2);
    else
      last_ = last_.substr(last_.empty() ? 0 : last_.size() - 1) + piece;
    if (buffer_.size() + piece.size() > kBuffer) Flush();
    if (piece.size() >= kBuffer)
      ok_ = ok_ && WriteAll(fd_, piece);
    else
      buffer_ += piece;
    return ok_;
  }
  bool Finish() {
    if (!last_.empty() && last_ != "\r\n") Put("\r\n");
    Flush();
    return ok_;
  }

 private:
  static constexpr size_t kBuffer = 1 << 16;
  void Flush() {
    if (ok_ && !buffer_.empty()) ok_ = WriteAll(fd_, buffer_);
    buffer_.clear();
  }
  int fd_;
  std::string buffer_;
  std::string last_;
  bool ok_ = true;
};

// The save itself: write puts the whole text into the descriptor of a
// temporary file beside the target, which then replaces it.  Where that
// cannot be done without changing the file (no file can be made beside it,
// the file would pass to another owner or group), inPlace writes over the
// target; where the folder refuses the replacement (the sticky bit of a
// shared folder), the text written goes over the target.  Whatever fails
// (more than memory holds, or anything a producer throws, included) leaves
// the target as it was.
bool SaveThrough(const std::string& fileName, const std::function<bool(int fd)>& write,
                 const std::function<bool(const std::string& target)>& inPlace) {
  ClearLastSaveFailure();
  if (fileName.empty()) return Failed(ENOENT);
  std::string target;
  if (!ResolveTarget(NativePath(fileName), target)) return false;

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  // Only a regular file is ever replaced: not a folder, and not a named pipe
  // or a device that a link leads to.
  if (exists && S_ISDIR(old.st_mode)) return Failed(EISDIR);
  if (exists && !S_ISREG(old.st_mode)) return FailedFor("It is not a regular file.");
  // A file the user may not write stays as it is, as it would on an
  // in-place write.
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
    return Failed(errno);

  const FileSizeSignalIgnored noSizeSignal;
  const std::string folder = NativeFolderOf(target);
  std::string temp;
  auto writeInPlace = [&] {
    try {
      return exists && inPlace(target);
    } catch (const std::bad_alloc&) {
      return Failed(ENOMEM);
    } catch (...) {
      return Failed(EIO);
    }
  };
  // A file with other names (hard links) is the same file under each of
  // them: replaced, the other names would keep the old text.
  if (exists && old.st_nlink > 1) return writeInPlace();
  const int fd = CreateTemporaryBeside(folder, NativeNameOf(target), temp);
  // No file can be made beside it (a shared folder the user may not write
  // to): a file that can itself be written is written in place.
  if (fd < 0) {
    const int why = errno;
    return exists ? writeInPlace() : Failed(why);
  }
  // A file of another user in a folder open to all: a new file would take
  // it from its owner, so it is written in place too; so is a file whose
  // extended attributes (an ACL among them) the new one cannot be given.
  if (exists && (!TakesOwnerAndGroup(fd, old) || !CopyExtendedAttributes(target, fd))) {
    ::close(fd);
    ::unlink(temp.c_str());
    return writeInPlace();
  }

  // Keep the permission bits the file had.
  if (exists) ::fchmod(fd, old.st_mode & 07777);
  bool ok = false;
  try {
    ok = write(fd) && (::fsync(fd) == 0 || Failed(errno));
  } catch (const std::bad_alloc&) {
    ok = Failed(ENOMEM);
  } catch (...) {
    ok = Failed(EIO);
  }
  if (ok && gSaveFault == SaveFault::EndBeforeReplacing) ::_exit(3);
  bool refused = false;
  if (ok && (gSaveFault == SaveFault::ReplacingRefused ||
             ::rename(temp.c_str(), target.c_str()) != 0)) {
    // The folder may let a file be made but not another's be replaced (the
    // sticky bit): the text written goes over the file itself.
    const int why = gSaveFault == SaveFault::ReplacingRefused ? EPERM : errno;
    refused = exists && (why == EPERM || why == EACCES);
    if (!refused) Failed(why);
    ok = false;
  }
  std::string written;
  struct stat tempStat {};
  if (refused && (::fstat(fd, &tempStat) != 0 || !ReadWhole(fd, tempStat.st_size, written))) {
    Failed(errno);
    refused = false;
  }
  // The lock is held until the temporary file has its final name.
  if (::close(fd) != 0 && ok) ok = Failed(errno);
  if (!ok) {
    ::unlink(temp.c_str());
    if (!refused) return Failed(EIO);
    gSaveError = 0;
    return WriteInPlace(target, written);
  }
  // Make the new name itself durable.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  RemoveStrayTemporaries(folder, NativeNameOf(target));
  return true;
}

}  // namespace

bool SaveBytesAtomically(const std::string& fileName, const std::string& bytes) {
  return SaveThrough(
      fileName, [&bytes](int fd) { return WriteAll(fd, bytes); },
      [&bytes](const std::string& target) { return WriteInPlace(target, bytes); });
}

bool SaveTextFileFrom(const std::string& fileName, const TextProducer& produce) {
  return SaveThrough(
      fileName,
      [&produce](int fd) {
        PieceWriter out(fd);
        return produce([&out](const std::string& piece) { return out.Put(piece); }) &&
               out.Finish();
      },
      [&produce](const std::string& target) {
        // Written in place, the text is needed whole first: nothing may be
        // overwritten before it is known to fit.
        std::string text;
        if (!produce([&text](const std::string& piece) {
              text += piece;
              return true;
            }))
          return false;
        if (!text.empty() && (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0))
          text += "\r\n";
        return WriteInPlace(target, text);
      });
}

std::string LastSaveFailureReason() {
  if (gSaveReason) return gSaveReason;
  if (gSaveError == 0) return {};
  return std::strerror(gSaveError);
}

void ClearLastSaveFailure() {
  gSaveError = 0;
  gSaveReason = nullptr;
}

std::string SaveFailureMessage(const std::string& fileName, int error) {
  const std::string reason = error != 0 ? std::strerror(error) : LastSaveFailureReason();
  return "Unable to save file: " + tavrel::ShownPath(fileName) +
         (reason.empty() ? std::string() : "\r\n" + reason);
}

std::string ReplaceQuestion(const std::string& fileName) {
  return tavrel::ShownPath(fileName) + " already exists.\r\nDo you want to replace it?";
}

bool MayReplaceFile(const std::string& fileName, int helpContext) {
  return !FileExists(fileName) ||
         tavrel::platform().messageDlg(ReplaceQuestion(fileName), tavrel::MsgType::Warning,
                                       tavrel::mbYesNo, helpContext,
                                       tavrel::mbNo) == tavrel::ModalResult::Yes;
}

bool MayReplaceChangedFile(const std::string& fileName, int helpContext) {
  return tavrel::platform().messageDlg(
             "The file " + tavrel::ShownPath(fileName) +
                 " has been changed by another program since it was opened or saved.\r\n\r\n"
                 "Do you want to replace it?",
             tavrel::MsgType::Confirmation, tavrel::mbYesNo, helpContext, tavrel::mbNo) ==
         tavrel::ModalResult::Yes;
}

FileIdentity IdentityOf(const std::string& fileName) {
  FileIdentity id;
  struct stat st {};
  if (fileName.empty() || ::stat(NativePath(fileName).c_str(), &st) != 0) return id;
  id.exists = true;
  id.device = static_cast<unsigned long long>(st.st_dev);
  id.inode = static_cast<unsigned long long>(st.st_ino);
  id.size = static_cast<long long>(st.st_size);
  id.seconds = static_cast<long long>(st.st_mtim.tv_sec);
  id.nanoseconds = static_cast<long long>(st.st_mtim.tv_nsec);
  return id;
}

bool ChangedOnDisk(const std::string& fileName, const FileIdentity& known) {
  const FileIdentity now = IdentityOf(fileName);
  return now.exists && !(now == known);
}

void SetSaveFaultForTesting(SaveFault fault) { gSaveFault = fault; }

bool ShellOpenFile(const std::string& fileName) {
  if (!FileExists(fileName))
    throw ShellOpenError(std::string(kShellOpenMessage) + "\r\n\r\n" + tavrel::ShownPath(fileName));
  std::string err;
  if (!tavrel::platform().shellOpen(fileName, err))
    throw ShellOpenError(std::string(kShellOpenMessage) + "\r\n\r\n " + tavrel::ShownPath(fileName) +
                         ". " + err);
  return true;
}

std::string PercentEncoded(const std::string& s, std::string_view special,
                           bool keepCharacterReferences) {
  static const char* hex = "0123456789ABCDEF";
  std::string r;
  r.reserve(s.size() + s.size() / 8);
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const auto u = static_cast<unsigned char>(c);
    char32_t letter = 0;
    size_t length = 0;
    if (keepCharacterReferences && tavrel::ForeignReferenceAt(s, i, letter, length)) {
      // A letter the code page lacks, held as "&#321;": the page reads it as
      // that letter.  Any other "&" (the "&#38;" of a name that holds "&#"
      // itself) is encoded like the character it is.
      r.append(s, i, length);
      i += length - 1;
      continue;
    }
    if (keepCharacterReferences && s.compare(i, 5, "&#38;") == 0) {
      r += "%26";
      i += 4;
      continue;
    }
    // Browsers drop tabs and line breaks from addresses: control characters
    // are encoded too.
    if (u >= 0x20 && u != 0x7F && special.find(c) == std::string_view::npos) {
      r += c;
      continue;
    }
    r += '%';
    r += hex[u >> 4];
    r += hex[u & 15];
  }
  return r;
}

std::string PathAsWebAddress(const std::string& path) {
  // Characters with a meaning in an address, in a quoted attribute or to the
  // page builders (placeholder brackets); a colon would make the part before
  // it read as a scheme.
  return PercentEncoded(path, "\"#%&'<>?[\\]^`{|} :", true);
}

void RelativeWebPath(const std::string& basePath, const std::string& targetPath,
                     std::string& result) {
  result.clear();
  // File names are case-sensitive here: folders that differ only in letter
  // case are different folders.
  if (basePath.empty() || targetPath.empty() || basePath[0] != targetPath[0]) {
    // Nothing in common (another drive): the target as it is, with web
    // separators.
    result = targetPath;
    for (char& c : result)
      if (c == '\\') c = '/';
    return;
  }
  const size_t common = std::min(basePath.size(), targetPath.size());
  size_t diff = 0;
  while (diff < common && basePath[diff] == targetPath[diff]) ++diff;
  // Back up to the last separator both paths share, so that only whole
  // folder names count as common ("/quiz/" is no part of "/quiz2/").
  size_t cut = std::string::npos;  // index of that separator
  for (size_t i = diff; i-- > 0;) {
    if (basePath[i] == '/' && targetPath[i] == '/') {
      cut = i;
      break;
    }
  }
  const std::string baseRest = cut == std::string::npos ? basePath : basePath.substr(cut + 1);
  const std::string targetRest = cut == std::string::npos ? targetPath : targetPath.substr(cut + 1);
  for (char c : baseRest)
    if (c == '/') result += "../";
  result += PathAsWebAddress(targetRest);
}

std::string NativePath(const std::string& path) { return tavrel::Win1252PathToUtf8(path); }

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ExtractFileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFilePath(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileExt(const std::string& path) {
  const std::string name = ExtractFileName(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  const std::string exact = folder + name;
  if (FileExists(exact)) return exact;
  DIR* dir = ::opendir(NativePath(folder.empty() ? std::string(".") : folder).c_str());
  if (!dir) return exact;
  // Several spellings of one name: take the first in byte order, so the
  // choice does not depend on the order the folder lists them in.
  std::string best;
  bool found = false;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string real = tavrel::Utf8PathToWin1252(entry->d_name);
    if (!SameNameNoCase(real, name)) continue;
    if (!FileExists(folder + real)) continue;
    if (!found || real < best) {
      best = real;
      found = true;
    }
  }
  ::closedir(dir);
  return found ? folder + best : exact;
}
