#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <tuple>
#include <vector>

#include "platform/core/TextCodec.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/UserRights.h"
#include "shared/core/XMLRoutines.h"
#include "support/FakePlatform.h"
#include "support/ResourceLimits.h"
#include "support/TempDir.h"

namespace {

using tavrel::testing::FakePlatform;
using tavrel::testing::FileSizeLimit;
using tavrel::testing::TempDir;

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(LoadTextFile, GivesEveryLineBackWithCrLf) {
  TempDir dir;
  std::string text;
  dir.Write("lf.txt", "a\nb\n\nc");
  ASSERT_TRUE(LoadTextFile(dir.File("lf.txt"), text));
  EXPECT_EQ(text, "a\r\nb\r\n\r\nc\r\n");
  dir.Write("mixed.txt", "a\r\rb\r\n\n");
  ASSERT_TRUE(LoadTextFile(dir.File("mixed.txt"), text));
  EXPECT_EQ(text, "a\r\n\r\nb\r\n\r\n");
  dir.Write("nul.txt", std::string("ab\0cd\r\n", 7));
  ASSERT_TRUE(LoadTextFile(dir.File("nul.txt"), text));
  EXPECT_EQ(text, "ab\r\n");
  dir.Write("empty.txt", "");
  ASSERT_TRUE(LoadTextFile(dir.File("empty.txt"), text));
  EXPECT_EQ(text, "");

  text = "unchanged";
  EXPECT_FALSE(LoadTextFile(dir.File("missing.txt"), text));
  EXPECT_FALSE(LoadTextFile(dir.Path(), text));
  EXPECT_EQ(text, "unchanged");
}

// Ends the test program when a call hangs, so that a hang fails the test.
class HangGuard {
 public:
  explicit HangGuard(unsigned seconds) { ::alarm(seconds); }
  ~HangGuard() { ::alarm(0); }
};

TEST(LoadTextFile, RefusesPipesAndDevicesAtOnce) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("pipe.aky").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", dir.File("zero.cfg"));
  std::filesystem::create_symlink(dir.File("pipe.aky"), dir.File("pipe-link.aky"));
  HangGuard guard(20);
  for (const char* name : {"pipe.aky", "zero.cfg", "pipe-link.aky"}) {
    std::string text = "unchanged";
    std::vector<std::string> lines{"unchanged"};
    EXPECT_FALSE(LoadTextFile(dir.File(name), text)) << name;
    EXPECT_FALSE(LoadTextLines(dir.File(name), lines)) << name;
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(lines.size(), 1u);
    // The readers built on them report the file as unreadable.
    EXPECT_THROW(TDataFile old(dir.File(name)), std::runtime_error) << name;
    ConfigValues values;
    EXPECT_THROW(configdoc::LoadConfigFromFile(configdoc::Program::Askery, dir.File(name), values),
                 std::runtime_error)
        << name;
  }
}

TEST(CheckFileToRead, GivesTheReasonAFileCannotBeRead) {
  TempDir dir;
  dir.Write("quiz.aky", "x");
  dir.Write("secret.aky", "x");
  ASSERT_EQ(::chmod(dir.File("secret.aky").c_str(), 0200), 0);
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo(dir.File("pipe.aky").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", dir.File("zero.aky"));
  std::filesystem::create_directory(dir.File("folder.aky"));
  HangGuard guard(20);
  EXPECT_EQ(CheckFileToRead(dir.File("quiz.aky")), FileRefusal::None);
  EXPECT_EQ(CheckFileToRead(dir.File("missing.aky")), FileRefusal::NotFound);
  EXPECT_EQ(CheckFileToRead(""), FileRefusal::NotFound);
  EXPECT_EQ(CheckFileToRead(dir.File("folder.aky")), FileRefusal::Folder);
  EXPECT_EQ(CheckFileToRead(dir.File("pipe.aky")), FileRefusal::NotRegular);
  EXPECT_EQ(CheckFileToRead(dir.File("zero.aky")), FileRefusal::NotRegular);
  tavrel::testing::WithoutRootRights user;
  if (!user.Ok()) GTEST_SKIP() << "file modes do not restrain this user";
  EXPECT_EQ(CheckFileToRead(dir.File("secret.aky")), FileRefusal::CannotRead);
}

TEST(SaveTextFile, WritesCrLfAfterEveryLine) {
  TempDir dir;
  ASSERT_TRUE(SaveTextFile(dir.File("a.htm"), "x\r\n"));
  EXPECT_EQ(dir.Read("a.htm"), "x\r\n");
  ASSERT_TRUE(SaveTextFile(dir.File("a.htm"), "a\r\n\r\nb"));
  EXPECT_EQ(dir.Read("a.htm"), "a\r\n\r\nb\r\n");
  ASSERT_TRUE(SaveTextFile(dir.File("a.htm"), "lone\nbreaks\r"));
  EXPECT_EQ(dir.Read("a.htm"), "lone\nbreaks\r\r\n");
  ASSERT_TRUE(SaveTextFile(dir.File("a.htm"), ""));
  EXPECT_EQ(dir.Read("a.htm"), "");
  EXPECT_FALSE(SaveTextFile(dir.File("no/folder.htm"), "x"));
  EXPECT_FALSE(SaveTextFile(dir.Path(), "x"));
}

TEST(SaveTextFile, Windows1252NamesBecomeNativeNames) {
  TempDir dir;
  ASSERT_TRUE(SaveTextFile(dir.File("caf\xE9.htm"), "x"));
  EXPECT_EQ(dir.Read("caf\xC3\xA9.htm"), "x\r\n");
  EXPECT_TRUE(FileExists(dir.File("caf\xE9.htm")));
  std::string text;
  EXPECT_TRUE(LoadTextFile(dir.File("caf\xE9.htm"), text));
}

TEST(SaveTextFile, NamesOutsideTheCodePageReachTheirFiles) {
  // A folder name with a letter Windows-1252 lacks comes in from a dialog as
  // a character reference; the file still lands in the real folder.
  TempDir dir;
  const std::string native = dir.Path() + "\xC5\x81\xC3\xB3" "d\xC5\xBA/";  // "Łódź/"
  ASSERT_EQ(::mkdir(native.c_str(), 0755), 0);
  const std::string held = tavrel::Utf8PathToWin1252(native) + "quiz.aky";
  EXPECT_NE(held.find("&#321;\xF3" "d&#378;/"), std::string::npos);
  ASSERT_TRUE(SaveTextFile(held, "x"));
  EXPECT_EQ(tavrel::testing::ReadFileBytes(native + "quiz.aky"), "x\r\n");
  EXPECT_TRUE(FileExists(held));
  // A reference to a character the code page holds is a name of its own.
  EXPECT_EQ(NativePath("a&#65;b"), "a&#65;b");

  // A name that holds a reference itself is another file than the one with
  // the letter, whichever of the two exists.
  const std::string literal = tavrel::Utf8PathToWin1252(dir.Path() + "lit&#26085;.pry");
  const std::string letter = tavrel::Utf8PathToWin1252(dir.Path() + "lit\xE6\x97\xA5.pry");
  ASSERT_TRUE(SaveTextFile(literal, "literal"));
  EXPECT_FALSE(FileExists(letter));
  ASSERT_TRUE(SaveTextFile(letter, "letter"));
  EXPECT_EQ(dir.Read("lit&#26085;.pry"), "literal\r\n");
  EXPECT_EQ(dir.Read("lit\xE6\x97\xA5.pry"), "letter\r\n");
  EXPECT_EQ(FindFileNoCase(tavrel::Utf8PathToWin1252(dir.Path()), "LIT&#38;#26085;.PRY"), literal);
  std::string address;
  RelativeWebPath(dir.Path() + "page.htm", literal, address);
  EXPECT_EQ(address, "lit%26%2326085;.pry");
}

TEST(AtomicSave, KeepsPermissionsAndLeavesNoTemporaryFile) {
  TempDir dir;
  dir.Write("page.htm", "old");
  ASSERT_EQ(chmod(dir.File("page.htm").c_str(), 0640), 0);
  ASSERT_TRUE(SaveBytesAtomically(dir.File("page.htm"), "new"));
  EXPECT_EQ(dir.Read("page.htm"), "new");
  struct stat st {};
  ASSERT_EQ(stat(dir.File("page.htm").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"page.htm"}));

  // A link stays a link; the file it names gets the text.
  std::filesystem::create_symlink(dir.File("page.htm"), dir.File("link.htm"));
  ASSERT_TRUE(SaveTextFile(dir.File("link.htm"), "linked"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.htm")));
  EXPECT_EQ(dir.Read("page.htm"), "linked\r\n");
}

TEST(AtomicSave, ReadOnlyFolderOrFileKeepsTheOldFile) {
  TempDir dir;
  const std::string header(XMLHeader);
  ASSERT_EQ(mkdir(dir.File("ro").c_str(), 0755), 0);
  dir.Write("ro/quiz.aky", "old quiz");
  dir.Write("ro.aky", "old read-only");
  ASSERT_EQ(chmod(dir.File("ro.aky").c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.File("ro").c_str(), 0555), 0);
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  {
    tavrel::testing::WithoutRootRights user;
    if (!user.Ok()) GTEST_SKIP() << "file modes do not restrain this user";
    EXPECT_FALSE(SaveXMLFile(dir.File("ro/quiz.aky"), "<a>1</a>"));
    EXPECT_FALSE(SaveTextFile(dir.File("ro/new.htm"), "x"));
    EXPECT_FALSE(SaveTextFile(dir.File("ro.aky"), "x"));
  }
  EXPECT_EQ(dir.Read("ro/quiz.aky"), "old quiz");
  EXPECT_EQ(FolderEntries(dir.File("ro")), (std::vector<std::string>{"quiz.aky"}));
  EXPECT_EQ(dir.Read("ro.aky"), "old read-only");
}

TEST(AtomicSave, FileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
  TempDir dir;
  const std::string old = "<a>old</a>\r\n";
  dir.Write("quiz.aky", old);
  const std::string big(64 * 1024, 'x');
  {
    FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.Ok());
    EXPECT_FALSE(SaveXMLFile(dir.File("quiz.aky"), "<a>" + big + "</a>"));
    EXPECT_FALSE(SaveTextFile(dir.File("new.htm"), big));
    // The program's own handling of the signal is left as it was.
    EXPECT_EQ(std::signal(SIGXFSZ, SIG_DFL), SIG_DFL);
  }
  EXPECT_EQ(dir.Read("quiz.aky"), old);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"quiz.aky"}));
  EXPECT_TRUE(SaveXMLFile(dir.File("quiz.aky"), "<a>" + big + "</a>"));
}

class SaveFaultScope {
 public:
  explicit SaveFaultScope(SaveFault fault) { SetSaveFaultForTesting(fault); }
  ~SaveFaultScope() { SetSaveFaultForTesting(SaveFault::None); }
};

ino_t InodeOf(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(AtomicSave, FolderWithoutRoomForATemporaryFileIsWrittenInPlace) {
  TempDir dir;
  dir.Write("shared.cfg", "a long old configuration text\r\n");
  const ino_t inode = InodeOf(dir.File("shared.cfg"));
  {
    SaveFaultScope noTemporary(SaveFault::NoTemporaryFile);
    ASSERT_TRUE(SaveTextFile(dir.File("shared.cfg"), "short"));
    EXPECT_EQ(dir.Read("shared.cfg"), "short\r\n");
    ASSERT_TRUE(SaveXMLFile(dir.File("shared.cfg"), "<a>" + std::string(10000, 'x') + "</a>"));
    EXPECT_EQ(dir.Read("shared.cfg").size(), XMLHeader.size() + 4 + 10007 + 2);
    // A file that does not exist yet cannot be made there either.
    EXPECT_FALSE(SaveTextFile(dir.File("new.htm"), "x"));
    // A longer text that does not fit under the size limit leaves the file as
    // it was.
    const std::string before = dir.Read("shared.cfg");
    {
      FileSizeLimit limit(12000);
      ASSERT_TRUE(limit.Ok());
      EXPECT_FALSE(SaveTextFile(dir.File("shared.cfg"), std::string(20000, 'y')));
    }
    EXPECT_EQ(dir.Read("shared.cfg"), before);
  }
  EXPECT_EQ(InodeOf(dir.File("shared.cfg")), inode);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"shared.cfg"}));

  // The same through real file modes, where this user is restrained by them.
  ASSERT_EQ(chmod(dir.File("shared.cfg").c_str(), 0666), 0);
  ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
  std::string old;
  for (int i = 0; i < 2000; ++i) old += "<pair>" + std::to_string(i) + "</pair>\r\n";
  {
    tavrel::testing::WithoutRootRights user;
    if (user.Ok()) {
      EXPECT_TRUE(SaveTextFile(dir.File("shared.cfg"), "by another user"));
      EXPECT_FALSE(SaveTextFile(dir.File("new.htm"), "x"));
      ASSERT_TRUE(SaveTextFile(dir.File("shared.cfg"), old));
      // A shorter text that still passes the file-size limit fails before
      // anything is overwritten; one within the limit replaces a longer file.
      FileSizeLimit limit(old.size() / 2);
      ASSERT_TRUE(limit.Ok());
      EXPECT_FALSE(SaveTextFile(dir.File("shared.cfg"), std::string(old.size() * 3 / 4, 'n')));
      EXPECT_EQ(dir.Read("shared.cfg"), old);
      EXPECT_TRUE(SaveTextFile(dir.File("shared.cfg"), "short again"));
      EXPECT_EQ(dir.Read("shared.cfg"), "short again\r\n");
    }
  }
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"shared.cfg"}));
}

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st;
}

// A folder open to all, with and without the sticky bit, holding a file of
// another user that the saver may write: the saver cannot give a new file
// that user's owner and group, and with the sticky bit may not replace the
// file at all.
TEST(AtomicSave, AnotherUsersFileInASharedFolderKeepsItsOwnerAndPlace) {
  TempDir dir;
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  constexpr uid_t kOwner = 4242;
  constexpr gid_t kGroup = 4343;
  for (const mode_t folderMode : {mode_t{0777}, mode_t{01777}}) {
    const std::string folder = dir.File(folderMode == 0777 ? "open" : "sticky");
    SCOPED_TRACE(folder);
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    ASSERT_EQ(chmod(folder.c_str(), folderMode), 0);
    const std::string file = folder + "/quiz.aky";
    const std::string mine = folder + "/mine.htm";
    tavrel::testing::WriteFileBytes(file, "the owner's text\r\n");
    ASSERT_EQ(chown(file.c_str(), kOwner, kGroup), 0);
    ASSERT_EQ(chmod(file.c_str(), 0666), 0);
    const ino_t inode = InodeOf(file);
    {
      tavrel::testing::WithoutRootRights user;
      if (!user.Ok()) GTEST_SKIP() << "file modes do not restrain this user";
      EXPECT_TRUE(SaveTextFile(file, "saved by another user"));
      EXPECT_EQ(tavrel::testing::ReadFileBytes(file), "saved by another user\r\n");
      EXPECT_TRUE(SaveTextFileFrom(file, [](const TextSink& sink) { return sink("streamed"); }));
      {
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.Ok());
        EXPECT_FALSE(SaveTextFile(file, std::string(100, 'x')));
      }
      // The saver's own file there is still replaced by a new one.
      ASSERT_TRUE(SaveTextFile(mine, "one"));
      const ino_t first = InodeOf(mine);
      ASSERT_TRUE(SaveTextFile(mine, "two"));
      EXPECT_NE(InodeOf(mine), first);
    }
    EXPECT_EQ(tavrel::testing::ReadFileBytes(file), "streamed\r\n");
    const struct stat st = StatOf(file);
    EXPECT_EQ(st.st_uid, kOwner);
    EXPECT_EQ(st.st_gid, kGroup);
    EXPECT_EQ(st.st_mode & 07777, 0666u);
    EXPECT_EQ(st.st_ino, inode);
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"mine.htm", "quiz.aky"}));
  }
}

TEST(AtomicSave, FileTheFolderWillNotLetBeReplacedIsWrittenInPlace) {
  TempDir dir;
  dir.Write("quiz.aky", "old");
  const ino_t inode = InodeOf(dir.File("quiz.aky"));
  {
    SaveFaultScope refused(SaveFault::ReplacingRefused);
    int runs = 0;
    EXPECT_TRUE(SaveTextFileFrom(dir.File("quiz.aky"), [&](const TextSink& sink) {
      ++runs;
      return sink("one\r\n") && sink("two");
    }));
    EXPECT_EQ(runs, 1);
  }
  EXPECT_EQ(dir.Read("quiz.aky"), "one\r\ntwo\r\n");
  EXPECT_EQ(InodeOf(dir.File("quiz.aky")), inode);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"quiz.aky"}));

  // Root may give a new file the owner and group of the one it replaces.
  if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  ASSERT_EQ(chown(dir.File("quiz.aky").c_str(), 4242, 4343), 0);
  ASSERT_TRUE(SaveTextFile(dir.File("quiz.aky"), "by root"));
  const struct stat st = StatOf(dir.File("quiz.aky"));
  EXPECT_NE(st.st_ino, inode);
  EXPECT_EQ(st.st_uid, 4242u);
  EXPECT_EQ(st.st_gid, 4343u);
}

// A producer giving pieces in order, counting those the sink took.
TextProducer Pieces(const std::vector<std::string>& pieces, size_t* taken = nullptr) {
  return [pieces, taken](const TextSink& sink) {
    for (const std::string& piece : pieces) {
      if (!sink(piece)) return false;
      if (taken) ++*taken;
    }
    return true;
  };
}

TEST(StreamedSave, EndsTheLastLineAsSaveTextFileDoes) {
  TempDir dir;
  const std::string big(70000, 'x');
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"one\r\ntwo\r", "\n"}, "one\r\ntwo\r\n"},
      {{"one\r", "", "\n"}, "one\r\n"},
      {{"\r", "\n"}, "\r\n"},
      {{big + "\r", "\n"}, big + "\r\n"},
      {{"one\r\n", "two"}, "one\r\ntwo\r\n"},
      {{"lone\r"}, "lone\r\r\n"},
      {{"", ""}, ""},
  };
  for (const auto& [pieces, expected] : cases) {
    ASSERT_TRUE(SaveTextFileFrom(dir.File("a.htm"), Pieces(pieces)));
    EXPECT_EQ(dir.Read("a.htm"), expected);
    SaveFaultScope inPlace(SaveFault::NoTemporaryFile);
    ASSERT_TRUE(SaveTextFileFrom(dir.File("a.htm"), Pieces(pieces)));
    EXPECT_EQ(dir.Read("a.htm"), expected);
  }
}

TEST(StreamedSave, FailedWriteOrProducerLeavesTheOldFile) {
  TempDir dir;
  dir.Write("quiz.aky", "old");
  // A write beyond the file-size limit fails part-way; the producer is told
  // to stop.
  const std::vector<std::string> pieces(64, std::string(4096, 'p'));
  size_t taken = 0;
  {
    FileSizeLimit limit(64 * 1024);
    ASSERT_TRUE(limit.Ok());
    EXPECT_FALSE(SaveTextFileFrom(dir.File("quiz.aky"), Pieces(pieces, &taken)));
  }
  EXPECT_LT(taken, pieces.size());
  // A producer that fails or throws, whatever it throws.
  EXPECT_FALSE(SaveTextFileFrom(dir.File("quiz.aky"),
                                [](const TextSink& sink) { return sink("half") && false; }));
  auto throwing = [](auto thrown) {
    return [thrown](const TextSink& sink) -> bool {
      sink("half");
      throw thrown;
    };
  };
  EXPECT_FALSE(SaveTextFileFrom(dir.File("quiz.aky"), throwing(std::runtime_error("no"))));
  EXPECT_FALSE(SaveTextFileFrom(dir.File("quiz.aky"), throwing(7)));
  {
    SaveFaultScope inPlace(SaveFault::NoTemporaryFile);
    EXPECT_FALSE(SaveTextFileFrom(dir.File("quiz.aky"), throwing(std::runtime_error("no"))));
  }
  EXPECT_EQ(dir.Read("quiz.aky"), "old");
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"quiz.aky"}));
}

TEST(AtomicSave, PipesAndDevicesAreNeverReplaced) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0644), 0);
  std::filesystem::create_symlink(dir.File("pipe"), dir.File("quiz.aky"));
  HangGuard guard(20);
  EXPECT_FALSE(SaveTextFile(dir.File("quiz.aky"), "x"));
  EXPECT_FALSE(SaveTextFile(dir.File("pipe"), "x"));
  {
    SaveFaultScope noTemporary(SaveFault::NoTemporaryFile);
    EXPECT_FALSE(SaveTextFile(dir.File("quiz.aky"), "x"));
  }
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("quiz.aky")));
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"pipe", "quiz.aky"}));
}

TEST(AtomicSave, NextSaveRemovesWhatACrashedSaveLeft) {
  TempDir dir;
  dir.Write("quiz.aky", "old");
  dir.Write("other.aky", "other");
  auto crashWhileSaving = [&](const char* name) {
    EXPECT_EXIT(
        {
          SetSaveFaultForTesting(SaveFault::EndBeforeReplacing);
          SaveTextFile(dir.File(name), "unfinished");
        },
        ::testing::ExitedWithCode(3), "");
  };
  crashWhileSaving("quiz.aky");
  crashWhileSaving("quiz.aky");
  crashWhileSaving("other.aky");
  EXPECT_EQ(dir.Read("quiz.aky"), "old");
  EXPECT_EQ(FolderEntries(dir.Path()).size(), 5u);

  // A failed save removes nothing; a successful one removes the remains of
  // its own file only.
  {
    FileSizeLimit limit(4);
    ASSERT_TRUE(limit.Ok());
    EXPECT_FALSE(SaveTextFile(dir.File("quiz.aky"), "too long"));
  }
  EXPECT_EQ(FolderEntries(dir.Path()).size(), 5u);
  ASSERT_TRUE(SaveTextFile(dir.File("quiz.aky"), "new"));
  EXPECT_EQ(FolderEntries(dir.Path()).size(), 3u);
  ASSERT_TRUE(SaveTextFile(dir.File("other.aky"), "other"));
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"other.aky", "quiz.aky"}));
}

const char* const kNoAttribute = "(none)";

// The value of an extended attribute; kNoAttribute when the file has none.
std::string AttributeOf(const std::string& path, const char* name) {
  char value[256];
  const ssize_t n = getxattr(path.c_str(), name, value, sizeof value);
  return n < 0 ? std::string(kNoAttribute) : std::string(value, static_cast<size_t>(n));
}

// A POSIX access ACL as the kernel keeps it in system.posix_acl_access:
// owner rw, user `user` r, owning group r, mask r, others nothing.
std::string AclBytes(uint32_t user) {
  std::string bytes;
  auto le = [&bytes](uint32_t v, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  le(2, 4);  // version
  const uint32_t kUndefined = 0xFFFFFFFF;
  for (const auto& [tag, perm, id] : std::vector<std::tuple<uint32_t, uint32_t, uint32_t>>{
           {0x01, 6, kUndefined}, {0x02, 4, user}, {0x04, 4, kUndefined},
           {0x10, 4, kUndefined}, {0x20, 0, kUndefined}}) {
    le(tag, 2);
    le(perm, 2);
    le(id, 4);
  }
  return bytes;
}

// What the file is besides its text stays: its other names (hard links),
// its extended attributes and ACL; a new file gets no ACL the old one
// lacked (one a folder's default ACL would give it).
TEST(AtomicSave, KeepsLinksAttributesAndAcl) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.File("elsewhere").c_str(), 0755), 0);
  dir.Write("quiz.aky", "old");
  ASSERT_EQ(link(dir.File("quiz.aky").c_str(), dir.File("elsewhere/same.aky").c_str()), 0);
  ASSERT_TRUE(SaveTextFile(dir.File("quiz.aky"), "saved"));
  EXPECT_EQ(dir.Read("elsewhere/same.aky"), "saved\r\n");
  ASSERT_TRUE(SaveTextFileFrom(dir.File("elsewhere/same.aky"),
                               [](const TextSink& sink) { return sink("streamed"); }));
  EXPECT_EQ(dir.Read("quiz.aky"), "streamed\r\n");
  EXPECT_EQ(InodeOf(dir.File("quiz.aky")), InodeOf(dir.File("elsewhere/same.aky")));
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"elsewhere", "quiz.aky"}));

  const std::string file = dir.File("tagged.aky");
  dir.Write("tagged.aky", "old");
  dir.Write("plain.aky", "old");
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  if (setxattr(file.c_str(), "user.tavrel.note", "unit 3", 6, 0) != 0)
    GTEST_SKIP() << "the file system refuses user attributes: " << std::strerror(errno);
  const std::string acl = AclBytes(4242);
  const bool aclKept =
      setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
  const ino_t inode = InodeOf(file);
  ASSERT_TRUE(SaveXMLFile(file, "<a>1</a>"));
  EXPECT_NE(InodeOf(file), inode);  // still replaced whole, not written in place
  EXPECT_EQ(AttributeOf(file, "user.tavrel.note"), "unit 3");
  if (aclKept) {
    EXPECT_EQ(AttributeOf(file, "system.posix_acl_access"), acl);
  }
  EXPECT_EQ(StatOf(file).st_mode & 07777, 0640u);

  // A folder whose default ACL a new file would take: the file had none and
  // gets none.
  const std::string acl2 = AclBytes(4343);
  if (!aclKept || setxattr(dir.Path().c_str(), "system.posix_acl_default", acl2.data(),
                           acl2.size(), 0) != 0)
    GTEST_SKIP() << "the file system refuses ACLs";
  ASSERT_TRUE(SaveTextFile(dir.File("plain.aky"), "plain"));
  EXPECT_EQ(AttributeOf(dir.File("plain.aky"), "system.posix_acl_access"), kNoAttribute);
  ASSERT_TRUE(SaveTextFile(file, "again"));
  EXPECT_EQ(AttributeOf(file, "system.posix_acl_access"), acl);
  EXPECT_EQ(AttributeOf(file, "user.tavrel.note"), "unit 3");
}

// A save through a link that leads nowhere yet makes the file the link
// names, relative to the link's folder, and leaves the link as it is; a
// loop of links or a missing folder fails with nothing made.
TEST(AtomicSave, DanglingLinkGetsItsTarget) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.File("real").c_str(), 0755), 0);
  std::filesystem::create_symlink("real/quiz.aky", dir.File("quiz.aky"));
  std::filesystem::create_symlink("quiz.aky", dir.File("chain.aky"));
  ASSERT_TRUE(SaveTextFile(dir.File("chain.aky"), "through"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("quiz.aky")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("chain.aky")));
  EXPECT_EQ(dir.Read("real/quiz.aky"), "through\r\n");

  std::filesystem::create_symlink("loop2.aky", dir.File("loop1.aky"));
  std::filesystem::create_symlink("loop1.aky", dir.File("loop2.aky"));
  std::filesystem::create_symlink("gone/x.aky", dir.File("nofolder.aky"));
  EXPECT_FALSE(SaveTextFile(dir.File("loop1.aky"), "x"));
  EXPECT_EQ(LastSaveFailureReason(), std::strerror(ELOOP));
  EXPECT_FALSE(SaveTextFile(dir.File("nofolder.aky"), "x"));
  EXPECT_EQ(LastSaveFailureReason(), std::strerror(ENOENT));
  EXPECT_EQ(FolderEntries(dir.Path()),
            (std::vector<std::string>{"chain.aky", "loop1.aky", "loop2.aky", "nofolder.aky",
                                      "quiz.aky", "real"}));
  EXPECT_EQ(FolderEntries(dir.File("real")), (std::vector<std::string>{"quiz.aky"}));
}

// A failed save says why below its line; a successful one leaves no reason.
TEST(AtomicSave, FailureMessageCarriesTheSystemsReason) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.File("folder.aky").c_str(), 0755), 0);
  const std::string big(8192, 'x');
  struct Case {
    std::string name;
    std::string text;
    int error;
  };
  for (const Case& c : std::vector<Case>{{dir.File("gone/quiz.aky"), "x", ENOENT},
                                         {dir.File("folder.aky"), "x", EISDIR},
                                         {dir.File("big.aky"), big, EFBIG}}) {
    SCOPED_TRACE(c.name);
    FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.Ok());
    EXPECT_FALSE(SaveTextFile(c.name, c.text));
    EXPECT_EQ(SaveFailureMessage("quiz.aky"),
              "Unable to save file: quiz.aky\r\n" + std::string(std::strerror(c.error)));
  }
  ASSERT_TRUE(SaveTextFile(dir.File("ok.aky"), "x"));
  EXPECT_EQ(SaveFailureMessage("ok.aky"), "Unable to save file: ok.aky");

  dir.Write("ro.aky", "old");
  ASSERT_EQ(chmod(dir.File("ro.aky").c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  tavrel::testing::WithoutRootRights user;
  if (!user.Ok()) GTEST_SKIP() << "file modes do not restrain this user";
  EXPECT_FALSE(SaveTextFile(dir.File("ro.aky"), "x"));
  EXPECT_EQ(LastSaveFailureReason(), std::strerror(EACCES));
}

// A file is known by what it was when read or written: a rewrite (even of
// the same size, within the same second), a replacement or a file where
// there was none is a change; a file that went, or one untouched, is not.
TEST(FileIdentity, TellsAFileChangedBehindTheProgram) {
  TempDir dir;
  const std::string file = dir.File("quiz.aky");
  const FileIdentity none = IdentityOf(file);
  EXPECT_FALSE(none.exists);
  ASSERT_TRUE(SaveTextFile(file, "mine"));
  EXPECT_TRUE(ChangedOnDisk(file, none));
  dir.Write("other.aky", "mine\r\n");  // made while the file lives: another inode
  auto setTime = [&](long nanoseconds) {
    const timespec times[2] = {{1700000000, nanoseconds}, {1700000000, nanoseconds}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
  };
  setTime(100);
  const FileIdentity known = IdentityOf(file);
  EXPECT_FALSE(ChangedOnDisk(file, known));
  setTime(200);
  EXPECT_TRUE(ChangedOnDisk(file, known));
  setTime(100);
  EXPECT_FALSE(ChangedOnDisk(file, known));
  // Another file put in its place, of the same size and time.
  ASSERT_EQ(rename(dir.File("other.aky").c_str(), file.c_str()), 0);
  setTime(100);
  EXPECT_TRUE(ChangedOnDisk(file, known));
  const FileIdentity replaced = IdentityOf(file);
  tavrel::testing::WriteFileBytes(file, "their text");  // another size
  setTime(100);
  EXPECT_TRUE(ChangedOnDisk(file, replaced));
  ASSERT_EQ(unlink(file.c_str()), 0);
  EXPECT_FALSE(ChangedOnDisk(file, known));
}

TEST(ShellOpenFile, MissingFileAndFailingShellRaiseTheMessage) {
  TempDir dir;
  FakePlatform fake;
  const std::string lead =
      "Unable to run the program and load the file. Please try yourself to open this file:";
  try {
    ShellOpenFile(dir.File("gone.htm"));
    ADD_FAILURE() << "no error raised";
  } catch (const ShellOpenError& e) {
    EXPECT_EQ(std::string(e.what()), lead + "\r\n\r\n" + dir.File("gone.htm"));
  }
  EXPECT_TRUE(fake.opened.empty());

  dir.Write("page.htm", "x");
  EXPECT_TRUE(ShellOpenFile(dir.File("page.htm")));
  EXPECT_EQ(fake.opened, (std::vector<std::string>{dir.File("page.htm")}));

  fake.SetShellOpenFails(true);
  try {
    ShellOpenFile(dir.File("page.htm"));
    ADD_FAILURE() << "no error raised";
  } catch (const ShellOpenError& e) {
    EXPECT_EQ(std::string(e.what()), lead + "\r\n\r\n " + dir.File("page.htm") +
                                         ". No application is registered for this file.");
  }
}

std::string Rel(const std::string& base, const std::string& target) {
  std::string r = "old";
  RelativeWebPath(base, target, r);
  return r;
}

TEST(RelativeWebPath, StepsUpThroughWholeFolders) {
  EXPECT_EQ(Rel("/q/quiz.aky", "/q/pics/a.gif"), "pics/a.gif");
  EXPECT_EQ(Rel("/q/quiz.aky", "/q/a.gif"), "a.gif");
  EXPECT_EQ(Rel("/q/quiz.aky", "/other/a.gif"), "../other/a.gif");
  EXPECT_EQ(Rel("C:/q/quiz.aky", "D:/x/a.gif"), "D:/x/a.gif");
  // Names that differ only in letter case are other folders and files.
  EXPECT_EQ(Rel("/q/quiz.aky", "/Q/pics/a.gif"), "../Q/pics/a.gif");
  EXPECT_EQ(Rel("/home/u/Quiz/a.aky", "/home/u/quiz/b.gif"), "../quiz/b.gif");
  EXPECT_EQ(Rel("/home/u/quiz/a.aky", "/home/u/Quiz/sub/b.gif"), "../Quiz/sub/b.gif");
  EXPECT_EQ(Rel("/home/u/quiz/a.aky", "/home/u/quiz/B.gif"), "B.gif");
  EXPECT_EQ(Rel("/home/t/quiz/a.aky", "/home/t/quiz2/p.gif"), "../quiz2/p.gif");
  EXPECT_EQ(Rel("/home/t/quiz2/a.aky", "/home/t/quiz/p.gif"), "../quiz/p.gif");
  EXPECT_EQ(Rel("/a/b/c/d.aky", "/a/x/y.gif"), "../../x/y.gif");
  EXPECT_EQ(Rel("/q/quiz.aky", "/q/quiz.aky.gif"), "quiz.aky.gif");
}

// The file an address leads to: %-escapes decoded, as a browser does for a
// file address.
std::string Decoded(const std::string& address) {
  std::string r;
  for (size_t i = 0; i < address.size(); ++i) {
    if (address[i] == '%' && i + 2 < address.size()) {
      r += static_cast<char>(std::stoi(address.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      r += address[i];
    }
  }
  return r;
}

TEST(RelativeWebPath, NamesThatWouldBreakTheAddressAreEncoded) {
  const std::string hostile[] = {
      "a \"b\" #1.htm", "100% sure?.gif", "unit1:quiz.htm", "it's & <that>.htm",
      "back\\slash [strTimesUp].htm", "tab\there.htm", "a+b=c;d,e(f)!~.htm"};
  for (const std::string& name : hostile) {
    const std::string address = Rel("/q/quiz.aky", "/q/sub dir/" + name);
    EXPECT_EQ(address.find_first_of(" \"#'<>?\\[]:\t&"), std::string::npos) << address;
    EXPECT_EQ(Decoded(address), "sub dir/" + name);
  }
  EXPECT_EQ(Rel("/q/quiz.aky", "/q/a \"b\" #1.htm"), "a%20%22b%22%20%231.htm");
  EXPECT_EQ(Rel("/q/x/quiz.aky", "/q/100%/a.gif"), "../100%25/a.gif");
  // Letters stay, also those held as references to letters the code page lacks.
  EXPECT_EQ(Rel("/q/quiz.aky", "/q/caf\xE9/&#321;\xF3" "d&#378;.gif"), "caf\xE9/&#321;\xF3" "d&#378;.gif");
  EXPECT_EQ(PathAsWebAddress("a&#b;&#12x.gif"), "a%26%23b;%26%2312x.gif");
}

TEST(PathHelpers, NamesFoldersAndExtensions) {
  EXPECT_EQ(ExtractFileName("/a/b/quiz.aky"), "quiz.aky");
  EXPECT_EQ(ExtractFileName("quiz.aky"), "quiz.aky");
  EXPECT_EQ(ExtractFilePath("/a/b/quiz.aky"), "/a/b/");
  EXPECT_EQ(ExtractFilePath("quiz.aky"), "");
  EXPECT_EQ(ExtractFileExt("/a/b.c/quiz.aky"), ".aky");
  EXPECT_EQ(ExtractFileExt("/a/b.c/quiz"), "");
  EXPECT_EQ(NativePath("/t/caf\xE9"), "/t/caf\xC3\xA9");

  TempDir dir;
  dir.Write("f", "");
  EXPECT_TRUE(FileExists(dir.File("f")));
  EXPECT_FALSE(FileExists(dir.Path()));
  EXPECT_FALSE(FileExists(dir.File("g")));
  EXPECT_TRUE(DirectoryExists(dir.Path()));
  EXPECT_FALSE(DirectoryExists(dir.File("f")));
}

TEST(FindFileNoCase, MatchesTemplateNamesInAnyCase) {
  TempDir dir;
  dir.Write("Askery.ht_", "t");
  dir.Write("daskery.ht_", "d");
  ASSERT_EQ(mkdir(dir.File("ASKERYW.HT_").c_str(), 0755), 0);
  EXPECT_EQ(FindFileNoCase(dir.Path(), "askery.ht_"), dir.File("Askery.ht_"));
  EXPECT_EQ(FindFileNoCase(dir.Path(), "Askery.ht_"), dir.File("Askery.ht_"));
  EXPECT_EQ(FindFileNoCase(dir.Path(), "DAskery.HT_"), dir.File("daskery.ht_"));
  EXPECT_EQ(FindFileNoCase(dir.Path(), "askeryw.ht_"), dir.File("askeryw.ht_"));
  EXPECT_EQ(FindFileNoCase(dir.Path(), "askeryc.ht_"), dir.File("askeryc.ht_"));
  EXPECT_EQ(FindFileNoCase(dir.File("none/"), "x"), dir.File("none/x"));
}

}  // namespace
