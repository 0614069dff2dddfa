#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "shared/core/DataFile.h"
#include "shared/core/UserRights.h"
#include "support/TempDir.h"

namespace {

using tavrel::testing::TempDir;

const char* kOldQuiz =
    "[Quiz]\r\n"
    "Title=My quiz\r\n"
    "Lines=one{ReturnToken}two\r\n"
    "Blanks=  spaced  \r\n"
    "Count=12\r\n"
    "Bad=12a\r\n"
    "Flag=1\r\n"
    "Word=True\r\n"
    "Key =blank before\r\n"
    "\r\n"
    "Title=after the empty line\r\n"
    "Late=not found\r\n"
    "[QuizExtra]\r\n"
    "Colour=red\r\n"
    "[Next]\r\n"
    "Shared=from next\r\n"
    "   \r\n"
    "Still=in next\r\n";

TEST(TDataFile, ReadsKeysOfASectionUpToTheEmptyLine) {
  TempDir dir;
  dir.Write("old.aky", kOldQuiz);
  const TDataFile f(dir.File("old.aky"));
  EXPECT_EQ(f.FileName(), dir.File("old.aky"));
  EXPECT_EQ(f.ReadString("Quiz", "Title", "def"), "My quiz");
  EXPECT_EQ(f.ReadString("Quiz", "Lines", ""), "one\r\ntwo");
  EXPECT_EQ(f.ReadString("Quiz", "Blanks", ""), "  spaced  ");
  EXPECT_EQ(f.ReadString("Quiz", "Late", "def"), "def");
  EXPECT_EQ(f.ReadString("Quiz", "Key", "def"), "def");
  EXPECT_EQ(f.ReadString("quiz", "Title", "def"), "def");
  EXPECT_EQ(f.ReadString("Quiz", "title", "def"), "def");
  EXPECT_EQ(f.ReadString("Missing", "Title", "def"), "def");
  // Sections not separated by an empty line run into each other; a line of
  // blanks does not end a section.
  EXPECT_EQ(f.ReadString("QuizExtra", "Shared", "def"), "from next");
  EXPECT_EQ(f.ReadString("Next", "Still", "def"), "in next");
  // "[Quiz]" heads a line that goes on, "[QuizExtra]" is another section.
  EXPECT_EQ(f.ReadString("Qui", "Title", "def"), "def");
}

TEST(TDataFile, AWholeSectionReadsAsItsKeysDo) {
  TempDir dir;
  dir.Write("old.aky", kOldQuiz);
  const TDataFile f(dir.File("old.aky"));
  const auto quiz = f.ReadSection("Quiz");
  EXPECT_EQ(quiz.size(), 8u);
  EXPECT_EQ(quiz.at("Lines"), "one\r\ntwo");
  EXPECT_EQ(quiz.count("Late"), 0u);
  for (const auto& [key, value] : quiz) EXPECT_EQ(f.ReadString("Quiz", key, "def"), value) << key;
  EXPECT_EQ(f.ReadSection("QuizExtra").at("Shared"), "from next");
  EXPECT_TRUE(f.ReadSection("Missing").empty());
  EXPECT_EQ(f.LineCount(), 18u);
}

TEST(TDataFile, HeaderLineMayCarryMoreText) {
  TempDir dir;
  dir.Write("old.cfg", "[S] comment\nK=v\n\n[St]\nK2=w\n");
  const TDataFile f(dir.File("old.cfg"));
  EXPECT_EQ(f.ReadString("S", "K", "def"), "v");
  EXPECT_EQ(f.ReadString("S", "K2", "def"), "def");
  EXPECT_EQ(f.ReadString("St", "K2", "def"), "w");
}

TEST(TDataFile, IntegersAndBooleans) {
  TempDir dir;
  dir.Write("old.aky", kOldQuiz);
  const TDataFile f(dir.File("old.aky"));
  EXPECT_EQ(f.ReadInteger("Quiz", "Count", 3), 12);
  EXPECT_EQ(f.ReadInteger("Quiz", "Bad", 3), 3);
  EXPECT_EQ(f.ReadInteger("Quiz", "Title", 3), 3);
  EXPECT_EQ(f.ReadInteger("Quiz", "Absent", 3), 3);
  EXPECT_TRUE(f.ReadBool("Quiz", "Flag", false));
  EXPECT_FALSE(f.ReadBool("Quiz", "Word", true));
  EXPECT_FALSE(f.ReadBool("Quiz", "Title", true));
  EXPECT_TRUE(f.ReadBool("Quiz", "Absent", true));
  EXPECT_FALSE(f.ReadBool("Quiz", "Absent", false));
}

TEST(TDataFile, ReadingLeavesTheFileUntouched) {
  TempDir dir;
  const std::string bytes = "[A]\nK=v{ReturnToken}w\n\nrest";
  dir.Write("old.pry", bytes);
  struct stat before {};
  ASSERT_EQ(stat(dir.File("old.pry").c_str(), &before), 0);
  {
    const TDataFile f(dir.File("old.pry"));
    EXPECT_EQ(f.ReadString("A", "K", ""), "v\r\nw");
  }
  struct stat after {};
  ASSERT_EQ(stat(dir.File("old.pry").c_str(), &after), 0);
  EXPECT_EQ(dir.Read("old.pry"), bytes);
  EXPECT_EQ(before.st_mtim.tv_sec, after.st_mtim.tv_sec);
  EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
}

TEST(TDataFile, MissingFileReadsAsEmptyUnreadableOneThrows) {
  TempDir dir;
  const TDataFile missing(dir.File("none.aky"));
  EXPECT_EQ(missing.ReadString("Quiz", "Title", "def"), "def");
  EXPECT_EQ(missing.ReadInteger("Quiz", "Count", 7), 7);

  dir.Write("locked.aky", "[Quiz]\r\nTitle=x\r\n");
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(dir.File("locked.aky").c_str(), 0), 0);
  tavrel::testing::WithoutRootRights user;
  if (!user.Ok()) GTEST_SKIP() << "file modes do not restrain this user";
  EXPECT_THROW(TDataFile(dir.File("locked.aky")), std::runtime_error);
}

}  // namespace
