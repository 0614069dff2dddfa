// The INI-file registry: values come back exactly as written, the roots and
// keys are kept apart, and a store that cannot be written says so.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <cstdlib>
#include <stdexcept>

#include "platform/qt/QtText.h"
#include "platform/qt/Registry.h"
#include "shared/forms/platform_test_support.h"
#include "support/TempDir.h"

namespace {

using platform_test::ScopedRegistry;
using tavrel::RootKey;
using tavrel::TRegistry;

const char* const kKey = "Software\\Corvane\\Tavrel\\Askery\\Config";

TEST(Registry, TextValuesComeBackExactly) {
  ScopedRegistry scoped;
  const std::vector<std::string> values = {
      "Arial",
      "a, b, c",                 // would read back as a list if not quoted
      "  blanks around  ",
      "@Variant(looks special)",
      "semi;colon=equals",
      "C:\\Quizzes\\capitals.aky",
      "/home/teacher/My Quizzes/",
      "say \"hello\"",
      "caf\xE9 \x80 5",         // Windows-1252: e acute, euro sign
      "",
  };
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    for (size_t i = 0; i < values.size(); ++i) reg.WriteString("Value" + std::to_string(i), values[i]);
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  for (size_t i = 0; i < values.size(); ++i) {
    const std::string name = "Value" + std::to_string(i);
    EXPECT_TRUE(reg.ValueExists(name)) << name;
    EXPECT_EQ(reg.ReadString(name), values[i]) << name;
  }
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_EQ(reg.ReadString("Missing"), "");
}

TEST(Registry, DefaultValueAndNamedValuesAreApart) {
  ScopedRegistry scoped;
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Askery\\Shell\\open\\command", true));
  EXPECT_FALSE(reg.ValueExists(""));
  reg.WriteString("", "/usr/bin/askery \"%1\"");
  reg.WriteString("Default", "other");
  EXPECT_TRUE(reg.ValueExists(""));
  EXPECT_EQ(reg.ReadString(""), "/usr/bin/askery \"%1\"");
  EXPECT_EQ(reg.ReadString("Default"), "other");
}

TEST(Registry, RootsAndKeysAreSeparate) {
  ScopedRegistry scoped;
  platform_test::PutValue("Software\\A", "X", "user");
  platform_test::PutValue("Software\\A", "X", "classes", RootKey::ClassesRoot);
  platform_test::PutValue("Software\\A\\B", "X", "child");
  EXPECT_EQ(platform_test::GetValue("Software\\A", "X"), "user");
  EXPECT_EQ(platform_test::GetValue("Software\\A", "X", RootKey::ClassesRoot), "classes");
  EXPECT_EQ(platform_test::GetValue("Software\\A\\B", "X"), "child");
  EXPECT_TRUE(QFileInfo::exists(tavrel::pathToQString(scoped.dir.File("HKEY_CURRENT_USER.ini"))));
  EXPECT_TRUE(QFileInfo::exists(tavrel::pathToQString(scoped.dir.File("HKEY_CLASSES_ROOT.ini"))));

  TRegistry reg;
  EXPECT_TRUE(reg.KeyExists("Software"));
  EXPECT_TRUE(reg.KeyExists("Software\\A\\B"));
  EXPECT_TRUE(reg.KeyExists("\\Software\\A\\"));  // edge separators do not matter
  EXPECT_FALSE(reg.KeyExists("Software\\C"));
  EXPECT_FALSE(reg.OpenKey("Software\\C", false));
  EXPECT_EQ(reg.ReadString("X"), "");  // nothing open
}

TEST(Registry, WritingNeedsAnOpenKeyAndAWritableStore) {
  ScopedRegistry scoped;
  {
    TRegistry reg;
    EXPECT_THROW(reg.WriteString("X", "1"), std::runtime_error);
  }
  // A file where the folder should be: nothing can be stored below it.
  scoped.dir.Write("blocked", "not a folder");
  tavrel::SetRegistryFolder(scoped.dir.File("blocked") + "/registry");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kKey, true));
  EXPECT_THROW(reg.WriteString("X", "1"), std::runtime_error);
}

TEST(Registry, FolderComesFromSetterEnvironmentOrConfigHome) {
  ScopedRegistry scoped;
  const char* oldEnv = std::getenv("TAVREL_REGISTRY_DIR");
  const std::string savedEnv = oldEnv ? oldEnv : "";
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "";

  tavrel::SetRegistryFolder("/tmp/reg-set");
  EXPECT_EQ(tavrel::RegistryFolder(), "/tmp/reg-set/");

  tavrel::SetRegistryFolder("");
  setenv("TAVREL_REGISTRY_DIR", "/tmp/reg-env", 1);
  EXPECT_EQ(tavrel::RegistryFolder(), "/tmp/reg-env/");

  unsetenv("TAVREL_REGISTRY_DIR");
  setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(tavrel::RegistryFolder(), "/tmp/xdg/Corvane/Tavrel/");

  if (oldEnv) setenv("TAVREL_REGISTRY_DIR", savedEnv.c_str(), 1);
  if (oldXdg) {
    setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
