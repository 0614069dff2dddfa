#include "shared/core/FileFunctions.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/core/Platform.h"
#include "platform/core/TextCodec.h"
#include "shared/core/StringFunctions.h"

namespace {

constexpr const char* kShellOpenMessage =
    "Unable to run the program and load the file. Please try yourself to open this file:";

// Whole file into bytes; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& fileName, std::string& bytes) {
  const std::string native = NativePath(fileName);
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  std::string out;
  if (st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  bytes = std::move(out);
  return true;
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

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The file a save really replaces: the target of a symbolic link, so that
// the link itself survives the save.
std::string ResolveTarget(const std::string& native) {
  struct stat st {};
  if (::lstat(native.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return native;
  char* real = ::realpath(native.c_str(), nullptr);
  if (!real) return native;
  std::string resolved = real;
  std::free(real);
  return resolved;
}

std::string NativeFolderOf(const std::string& native) {
  const size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return native.substr(0, slash);
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
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) return false;
  text = TextWithCrLfLines(bytes);
  return true;
}

bool LoadTextLines(const std::string& fileName, std::vector<std::string>& lines) {
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) return false;
  std::vector<std::string> out;
  ForEachLine(bytes, [&](size_t b, size_t e) { out.push_back(bytes.substr(b, e - b)); });
  lines = std::move(out);
  return true;
}

bool SaveTextFile(const std::string& fileName, const std::string& text) {
  if (text.empty() || (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0))
    return SaveBytesAtomically(fileName, text);
  return SaveBytesAtomically(fileName, text + "\r\n");
}

bool SaveBytesAtomically(const std::string& fileName, const std::string& bytes) {
  if (fileName.empty()) return false;
  const std::string target = ResolveTarget(NativePath(fileName));

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return false;
  // A file the user may not write stays as it is, as it would on an
  // in-place write.
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;

  // A fresh hidden name beside the target, so that the final rename stays
  // within one file system.
  const std::string folder = NativeFolderOf(target);
  std::string temp;
  int fd = -1;
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = folder + "/.tavrel-save-" + std::to_string(::getpid()) + "-" +
           std::to_string(++counter) + ".tmp";
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  // Keep the permission bits the file had; the owner becomes the writer.
  if (exists) ::fchmod(fd, old.st_mode & 07777);
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the new name itself durable.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

bool ShellOpenFile(const std::string& fileName) {
  if (!FileExists(fileName))
    throw ShellOpenError(std::string(kShellOpenMessage) + "\r\n\r\n" + fileName);
  std::string err;
  if (!tavrel::platform().shellOpen(fileName, err))
    throw ShellOpenError(std::string(kShellOpenMessage) + "\r\n\r\n " + fileName + ". " + err);
  return true;
}

void RelativeWebPath(const std::string& basePath, const std::string& targetPath,
                     std::string& result) {
  result.clear();
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  auto webSlashes = [](std::string s) {
    for (char& c : s)
      if (c == '\\') c = '/';
    return s;
  };
  if (basePath.empty() || targetPath.empty() || upper(basePath[0]) != upper(targetPath[0])) {
    // Nothing in common (another drive): the target as it is.
    result = webSlashes(targetPath);
    return;
  }
  const size_t common = std::min(basePath.size(), targetPath.size());
  size_t diff = 0;
  while (diff < common && upper(basePath[diff]) == upper(targetPath[diff])) ++diff;
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
  result += webSlashes(targetRest);
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
    const std::string real = tavrel::Utf8ToWin1252(entry->d_name);
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
