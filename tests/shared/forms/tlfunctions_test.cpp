// The main-window services: registry settings with their defaults and
// rules, the recent-file list and menu, the open command, caption, version,
// splash screen and the first configuration load.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <filesystem>
#include <memory>

#include "BuildVersion.h"
#include "platform/qt/QtText.h"
#include "shared/forms/Splash.h"
#include "shared/forms/TLFunctions.h"
#include "shared/forms/platform_test_support.h"
#include "support/FakePlatform.h"

namespace {

using platform_test::GetValue;
using platform_test::HostConfigForm;
using platform_test::HostMainForm;
using platform_test::PutValue;
using tavrel::ModalResult;
using tavrel::MsgType;

const std::string kConfig = "Software\\Corvane\\Tavrel\\Askery\\Config";
const std::string kMainForm = kConfig + "\\MainForm";
const std::string kFilePaths = kConfig + "\\FilePaths";
const std::string kGlobals = "Software\\Corvane\\Tavrel\\Globals";

class TLFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main = std::make_unique<HostMainForm>();
    config = std::make_unique<HostConfigForm>();
  }
  void TearDown() override {
    tavrel::setCommandLine({});
    SetSplashInterval(0);
    config.reset();
    main.reset();
  }

  void ReadAll() {
    ReadFontSettings();
    ReadSavePath();
    ReadFilePaths();
    ReadWindowSettings();
  }
  // A fresh main window that reads what the last one wrote.
  void Reopen() {
    main = std::make_unique<HostMainForm>();
    ReadAll();
  }
  static QRect Desktop() { return QGuiApplication::primaryScreen()->availableVirtualGeometry(); }

  platform_test::ScopedRegistry registry;
  tavrel::testing::FakePlatform fake;
  std::unique_ptr<HostMainForm> main;
  std::unique_ptr<HostConfigForm> config;
};

TEST_F(TLFunctionsTest, EmptyRegistryGivesTheDefaults) {
  ReadAll();
  const std::string program = tavrel::programFolder();
  EXPECT_EQ(main->dlgMainFont.name, "Arial");
  EXPECT_EQ(main->dlgMainFont.size, 10);
  EXPECT_FALSE(main->dlgMainFont.bold || main->dlgMainFont.italic || main->dlgMainFont.underline);
  EXPECT_EQ(main->dlgRawFont.name, "Arial");
  EXPECT_EQ(main->dlgRawFont.size, 10);
  EXPECT_EQ(main->dlgOpenFile.initialDir, program);
  EXPECT_EQ(main->dlgSaveFile.initialDir, program);
  EXPECT_EQ(main->dlgSaveWeb.initialDir, program);
  EXPECT_EQ(main->FSourcePath, program + "source/");
  EXPECT_EQ(main->FConfigFile, program + "english4.cfg");
  EXPECT_EQ(fake.helpFile, program + "tavrelhelp.htm");
  for (size_t i = 1; i <= 5; ++i) {
    EXPECT_EQ(main->FLastFiles[i], "");
    EXPECT_FALSE(main->mnuLastFile[i]->isVisible());
  }
  EXPECT_FALSE(main->mnuLastFileDivider->isVisible());
  EXPECT_FALSE(main->FSaveWithFile);
  EXPECT_FALSE(main->mnuReloadConfig->isChecked());
  EXPECT_EQ(main->pos(), QPoint(10, 10));
  EXPECT_EQ(main->size(), QSize(598, 405));  // the window's own size
  EXPECT_FALSE(main->isMaximized());
}

TEST_F(TLFunctionsTest, SettingsSurviveWriteAndRead) {
  ReadAll();
  main->dlgMainFont = {"Times New Roman", 14, true, false, true, 0};
  main->dlgRawFont = {"Courier New", 9, false, true, false, 0};
  main->dlgSaveFile.fileName = "/home/teacher/quizzes/capitals.aky";
  for (size_t i = 1; i <= 5; ++i) main->FLastFiles[i] = "/q/file" + std::to_string(i) + ".aky";
  config->FConfigFileName = "/home/teacher/french.cfg";
  main->move(120, 80);
  main->resize(700, 500);
  WriteFontSettings();
  WriteSavePath();
  WriteWindowSettings();
  WriteFilePaths();

  // Stored as text: decimal numbers, Booleans as 1 and 0.
  EXPECT_EQ(GetValue(kConfig, "MainFontSize"), "14");
  EXPECT_EQ(GetValue(kConfig, "MainFontBold"), "1");
  EXPECT_EQ(GetValue(kConfig, "MainFontItalic"), "0");
  EXPECT_EQ(GetValue(kGlobals, "SavePath"), "/home/teacher/quizzes/");
  EXPECT_EQ(GetValue(kMainForm, "State"), "0");
  EXPECT_EQ(GetValue(kFilePaths, "ConfigFile"), "/home/teacher/french.cfg");
  // The template folder and the switches are only ever read.
  EXPECT_EQ(GetValue(kFilePaths, "SourceFiles"), "<absent>");
  EXPECT_EQ(GetValue(kConfig, "SaveWithFile"), "<absent>");

  Reopen();
  EXPECT_EQ(main->dlgMainFont.name, "Times New Roman");
  EXPECT_EQ(main->dlgMainFont.size, 14);
  EXPECT_TRUE(main->dlgMainFont.bold);
  EXPECT_FALSE(main->dlgMainFont.italic);
  EXPECT_TRUE(main->dlgMainFont.underline);
  EXPECT_EQ(main->dlgRawFont.name, "Courier New");
  EXPECT_EQ(main->dlgRawFont.size, 9);
  EXPECT_TRUE(main->dlgRawFont.italic);
  EXPECT_EQ(main->dlgSaveWeb.initialDir, "/home/teacher/quizzes/");
  EXPECT_EQ(main->FLastFiles[3], "/q/file3.aky");
  EXPECT_EQ(main->FConfigFile, "/home/teacher/french.cfg");
  EXPECT_EQ(main->pos(), QPoint(120, 80));
  EXPECT_EQ(main->size(), QSize(700, 500));
  EXPECT_TRUE(main->mnuLastFile[5]->isVisible());
  EXPECT_EQ(main->mnuLastFile[5]->text(), "file5.aky");
  EXPECT_TRUE(main->mnuLastFileDivider->isVisible());
}

TEST_F(TLFunctionsTest, SavePathIsEmptyWhenNothingWasSaved) {
  PutValue(kGlobals, "SavePath", "/old/folder/");
  ReadAll();
  main->dlgSaveFile.fileName = "";
  WriteSavePath();
  EXPECT_EQ(GetValue(kGlobals, "SavePath"), "");
}

TEST_F(TLFunctionsTest, SwitchesAreOffOnlyForExactlyFalse) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"False", false}, {"false", true}, {"FALSE", true}, {"0", true}, {"True", true}, {"", true}};
  for (const auto& [text, on] : cases) {
    PutValue(kConfig, "SaveWithFile", text);
    PutValue(kConfig, "ReloadFromFile", text);
    Reopen();
    EXPECT_EQ(main->FSaveWithFile, on) << '"' << text << '"';
    EXPECT_EQ(main->mnuReloadConfig->isChecked(), on) << '"' << text << '"';
  }
}

TEST_F(TLFunctionsTest, UnreadableNumbersGiveTheDefaults) {
  for (const std::string text : {"12pt", " 12", "1.5", "99999999999", "0", "-3", "+", ""}) {
    PutValue(kConfig, "MainFontSize", text);
    PutValue(kConfig, "MainFontBold", text);
    PutValue(kMainForm, "Left", text);
    Reopen();
    EXPECT_EQ(main->dlgMainFont.size, 10) << '"' << text << '"';
    if (text != "-3") {
      EXPECT_FALSE(main->dlgMainFont.bold) << '"' << text << '"';
    }
  }
  PutValue(kConfig, "MainFontSize", "+16");
  PutValue(kMainForm, "Left", "abc");
  PutValue(kMainForm, "Top", "-2147483649");
  Reopen();
  EXPECT_EQ(main->dlgMainFont.size, 16);
  EXPECT_EQ(main->pos(), QPoint(10, 10));
}

TEST_F(TLFunctionsTest, StoredPlacementOffTheDesktopLeavesAUsableWindow) {
  const QRect area = Desktop();
  const std::vector<std::array<std::string, 4>> cases = {
      {"-100000", "-100000", "-50", "0"},
      {"2147483647", "2147483647", "2147483647", "2147483647"},
      {"-2147483648", "5000", "1", "1"},
  };
  for (const auto& c : cases) {
    PutValue(kMainForm, "Left", c[0]);
    PutValue(kMainForm, "Top", c[1]);
    PutValue(kMainForm, "ClientWidth", c[2]);
    PutValue(kMainForm, "ClientHeight", c[3]);
    Reopen();
    const QRect g(main->pos(), main->size());
    SCOPED_TRACE(c[0] + " " + c[1] + " " + c[2] + " " + c[3]);
    EXPECT_GE(g.width(), 200);
    EXPECT_GE(g.height(), 150);
    EXPECT_LE(g.width(), std::max(area.width(), 240));
    EXPECT_LE(g.height(), std::max(area.height(), 180));
    // The top edge, where the title bar is, can be reached.
    EXPECT_GE(g.top(), area.top());
    EXPECT_LT(g.top(), area.bottom());
    EXPECT_GT(g.right(), area.left() + 50);
    EXPECT_LT(g.left(), area.right() - 50);
  }
}

TEST_F(TLFunctionsTest, FolderValuesGetTheirSlashAndEmptyOnesTheDefault) {
  PutValue(kFilePaths, "SourceFiles", "/srv/templates");
  PutValue(kFilePaths, "ConfigFile", "");
  ReadFilePaths();
  EXPECT_EQ(main->FSourcePath, "/srv/templates/");
  EXPECT_EQ(main->FConfigFile, tavrel::programFolder() + "english4.cfg");

  PutValue(kFilePaths, "SourceFiles", "");
  ReadFilePaths();
  EXPECT_EQ(main->FSourcePath, tavrel::programFolder() + "source/");
}

TEST_F(TLFunctionsTest, MaximizedWindowWritesOnlyItsState) {
  PutValue(kMainForm, "Left", "50");
  PutValue(kMainForm, "Top", "60");
  PutValue(kMainForm, "ClientWidth", "640");
  PutValue(kMainForm, "ClientHeight", "480");
  PutValue(kMainForm, "State", "1");
  ReadWindowSettings();
  EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(main->pos(), QPoint(50, 60));  // the normal placement under it
  EXPECT_EQ(main->size(), QSize(640, 480));

  WriteWindowSettings();
  EXPECT_EQ(GetValue(kMainForm, "State"), "1");
  EXPECT_EQ(GetValue(kMainForm, "Left"), "50");
  EXPECT_EQ(GetValue(kMainForm, "Top"), "60");
  EXPECT_EQ(GetValue(kMainForm, "ClientWidth"), "640");
  EXPECT_EQ(GetValue(kMainForm, "ClientHeight"), "480");

  main->setWindowState(Qt::WindowNoState);
  main->move(30, 40);
  main->resize(610, 420);
  WriteWindowSettings();
  EXPECT_EQ(GetValue(kMainForm, "State"), "0");
  EXPECT_EQ(GetValue(kMainForm, "Left"), "30");
  EXPECT_EQ(GetValue(kMainForm, "Top"), "40");
  EXPECT_EQ(GetValue(kMainForm, "ClientWidth"), "610");
  EXPECT_EQ(GetValue(kMainForm, "ClientHeight"), "420");

  PutValue(kMainForm, "State", "2");
  Reopen();
  EXPECT_FALSE(main->windowState() & Qt::WindowMaximized);
}

TEST_F(TLFunctionsTest, RecentFilesMoveUpAndFillTheMenu) {
  for (const char* f : {"/a/1.aky", "/a/2.aky", "/a/3.aky", "/a/4.aky", "/a/5.aky", "/a/6.aky"})
    AddRecentFile(f);
  EXPECT_EQ(main->FLastFiles[1], "/a/6.aky");
  EXPECT_EQ(main->FLastFiles[5], "/a/2.aky");  // the oldest dropped off
  for (size_t i = 1; i <= 5; ++i) EXPECT_TRUE(main->mnuLastFile[i]->isVisible());
  EXPECT_EQ(main->mnuLastFile[1]->text(), "6.aky");
  EXPECT_TRUE(main->mnuLastFileDivider->isVisible());

  // A name that is entry 3 moves to the top; 4 and 5 keep their places.
  AddRecentFile("/a/4.aky");
  EXPECT_EQ(main->FLastFiles[1], "/a/4.aky");
  EXPECT_EQ(main->FLastFiles[2], "/a/6.aky");
  EXPECT_EQ(main->FLastFiles[3], "/a/5.aky");
  EXPECT_EQ(main->FLastFiles[4], "/a/3.aky");
  EXPECT_EQ(main->FLastFiles[5], "/a/2.aky");
  EXPECT_EQ(main->mnuLastFile[3]->text(), "5.aky");

  // The newest again changes nothing, not even the menu.
  main->mnuLastFile[2]->setText("untouched");
  AddRecentFile("/a/4.aky");
  EXPECT_EQ(main->FLastFiles[2], "/a/6.aky");
  EXPECT_EQ(main->mnuLastFile[2]->text(), "untouched");

  // Letter case makes a different name.
  AddRecentFile("/A/4.AKY");
  EXPECT_EQ(main->FLastFiles[1], "/A/4.AKY");
  EXPECT_EQ(main->FLastFiles[2], "/a/4.aky");
  EXPECT_EQ(main->FLastFiles[5], "/a/3.aky");
}

TEST_F(TLFunctionsTest, RecentMenuShowsOnlyFilledEntriesWithLiteralAmpersands) {
  AddRecentFile("/q/Tom & Jerry.aky");
  EXPECT_TRUE(main->mnuLastFile[1]->isVisible());
  EXPECT_EQ(main->mnuLastFile[1]->text(), "Tom && Jerry.aky");
  EXPECT_TRUE(main->mnuLastFileDivider->isVisible());
  for (size_t i = 2; i <= 5; ++i) EXPECT_FALSE(main->mnuLastFile[i]->isVisible());
}

TEST_F(TLFunctionsTest, OpenCommandIsWrittenOnlyWhenItDiffers) {
  namespace fs = std::filesystem;
  const std::string key = "Askery\\Shell\\open\\command";
  const std::string expected =
      tavrel::pathFromQString(QCoreApplication::applicationFilePath()) + " \"%1\"";
  RegisterFileType();
  EXPECT_EQ(GetValue(key, "", tavrel::RootKey::ClassesRoot), expected);
  EXPECT_EQ(GetValue(key, "", tavrel::RootKey::CurrentUser), "<no key>");

  // Unchanged: the store is not touched at all.
  const fs::path store = registry.dir.File("HKEY_CLASSES_ROOT.ini");
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
  fs::last_write_time(store, old);
  RegisterFileType();
  EXPECT_EQ(fs::last_write_time(store), old);

  PutValue(key, "", "/somewhere/else \"%1\"", tavrel::RootKey::ClassesRoot);
  RegisterFileType();
  EXPECT_EQ(GetValue(key, "", tavrel::RootKey::ClassesRoot), expected);
}

TEST_F(TLFunctionsTest, OpenCommandFailureIsSilent) {
  registry.dir.Write("blocked", "x");
  tavrel::SetRegistryFolder(registry.dir.File("blocked") + "/sub");
  EXPECT_NO_THROW(RegisterFileType());
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(TLFunctionsTest, UnwritableStoreIsReportedNotThrown) {
  registry.dir.Write("blocked", "x");
  tavrel::SetRegistryFolder(registry.dir.File("blocked") + "/sub");
  fake.Answer(ModalResult::OK);
  EXPECT_NO_THROW(WriteFontSettings());
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].type, MsgType::Error);
  EXPECT_NE(fake.messages[0].text.find("Unable to save the font settings."), std::string::npos);
}

TEST_F(TLFunctionsTest, CaptionNamesTheFileOrUntitled) {
  UpdateMainCaption();
  EXPECT_EQ(main->windowTitle(), "Askery: [Untitled]");
  main->FFileName = "/home/teacher/caf\xE9.aky";
  UpdateMainCaption();
  EXPECT_EQ(main->windowTitle(), QString::fromUtf8("Askery: /home/teacher/café.aky"));
}

TEST_F(TLFunctionsTest, VersionComesFromTheBuild) {
  int major = -1, minor = -1, release = -1, build = -1;
  GetFileVersion(tavrel::pathFromQString(QCoreApplication::applicationFilePath()), major, minor, release, build);
  EXPECT_EQ(major, TAVREL_VERSION_MAJOR);
  EXPECT_EQ(minor, TAVREL_VERSION_MINOR);
  EXPECT_EQ(release, TAVREL_VERSION_RELEASE);
  EXPECT_EQ(build, TAVREL_VERSION_BUILD);
  EXPECT_EQ(GetMajorVersion(), TAVREL_VERSION_MAJOR);

  std::string s;
  GetVersionString(s);
  EXPECT_EQ(s, std::to_string(TAVREL_VERSION_MAJOR) + "." + std::to_string(TAVREL_VERSION_MINOR) +
                   " Release " + std::to_string(TAVREL_VERSION_RELEASE) + " Build " +
                   std::to_string(TAVREL_VERSION_BUILD));

  const std::string other = tavrel::programFolder() + "tavrelhelp.htm";
  try {
    GetFileVersion(other, major, minor, release, build);
    FAIL() << "no error for a file without version";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Can't get file version information for " + other);
  }
}

TEST_F(TLFunctionsTest, SplashIsSkippedWithBackslashS) {
  for (const char* arg : {"\\S", "\\s"}) {
    tavrel::setCommandLine({"/usr/bin/askery", "/q/quiz.aky", arg});
    // A splash would block here: nothing may be shown.
    ShowSplashScreen();
  }
  tavrel::setCommandLine({"\\s"});  // even as argument 0
  ShowSplashScreen();
  SUCCEED();
}

TEST_F(TLFunctionsTest, SplashShowsThePictureAndClosesItself) {
  tavrel::setCommandLine({"/usr/bin/askery", "/S", "S"});
  SetSplashInterval(200);
  QSize pictureSize;
  bool frameless = false;
  platform_test::ModalDriver driver([&](QWidget* modal) {
    auto* splash = qobject_cast<TfrmSplash*>(modal);
    ASSERT_NE(splash, nullptr);
    frameless = splash->windowFlags() & Qt::FramelessWindowHint;
    pictureSize = splash->imgSplash->size();
    // Closing is left to the splash's own timer.
  });
  ShowSplashScreen();
  EXPECT_TRUE(driver.ran());
  EXPECT_TRUE(frameless);
  EXPECT_EQ(pictureSize, QSize(440, 260));
}

TEST_F(TLFunctionsTest, StartupConfigNamesTheFileInTheStatusBar) {
  tavrel::testing::TempDir dir;
  dir.Write("french.cfg", "<tavrel-config-file/>");
  main->FConfigFile = dir.File("french.cfg");
  LoadStartupConfig();
  EXPECT_EQ(config->loaded.back(), dir.File("french.cfg"));
  EXPECT_EQ(main->StatusPanelText(1), "Config: french.cfg");
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(TLFunctionsTest, MissingStartupConfigIsSilent) {
  main->FConfigFile = "/no/such/english4.cfg";
  LoadStartupConfig();
  EXPECT_EQ(main->StatusPanelText(1), "Config: ");
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(TLFunctionsTest, FailingStartupConfigWarnsAndKeepsTheStatus) {
  main->SetStatusPanelText(1, "Config: before.cfg");
  config->failLoad = true;
  fake.Answer(ModalResult::OK);
  LoadStartupConfig();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Configuration file not found. Using default configuration.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbOK);
  EXPECT_EQ(fake.messages[0].helpContext, 5000);
  EXPECT_EQ(main->StatusPanelText(1), "Config: before.cfg");
}

}  // namespace
