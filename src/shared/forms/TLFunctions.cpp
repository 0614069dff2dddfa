#include "shared/forms/TLFunctions.h"

#include "platform/core/TextCodec.h"
#include "shared/core/HelpContexts.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <exception>
#include <stdexcept>

#include "BuildVersion.h"
#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Registry.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/Splash.h"
#include "shared/core/StringFunctions.h"

using tavrel::RootKey;
using tavrel::TRegistry;

namespace {

int g_splashInterval = 0;  // 0: the program's own

// Smallest window that stays usable whatever the registry says.
constexpr int kMinWindowWidth = 240;
constexpr int kMinWindowHeight = 180;
// Font sizes outside this range read as the default.
constexpr int kMaxFontSize = 500;

std::string globalsKey() { return std::string(kTavrelBaseKey) + "\\Globals"; }
std::string configKey() { return std::string(kTavrelBaseKey) + "\\" + frmMain->AppTitle() + "\\Config"; }
std::string mainFormKey() { return configKey() + "\\MainForm"; }
std::string filePathsKey() { return configKey() + "\\FilePaths"; }

std::string withTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string readText(const TRegistry& reg, const std::string& name, const std::string& fallback) {
  return reg.ValueExists(name) ? reg.ReadString(name) : fallback;
}

// A value that is absent or empty reads as the fallback.
std::string readNonEmpty(const TRegistry& reg, const std::string& name, const std::string& fallback) {
  const std::string v = reg.ReadString(name);
  return v.empty() ? fallback : v;
}

int readInt(const TRegistry& reg, const std::string& name, int fallback) {
  int v = 0;
  if (reg.ValueExists(name) && StrToIntStrict(reg.ReadString(name), v)) return v;
  return fallback;
}

bool readBool(const TRegistry& reg, const std::string& name, bool fallback) {
  int v = 0;
  if (reg.ValueExists(name) && StrToIntStrict(reg.ReadString(name), v)) return v != 0;
  return fallback;
}

// The switches count as on unless their text is exactly "False".
bool readSwitch(const TRegistry& reg, const std::string& name) {
  return readText(reg, name, "False") != "False";
}

void writeInt(TRegistry& reg, const std::string& name, int value) {
  reg.WriteString(name, std::to_string(value));
}

void writeBool(TRegistry& reg, const std::string& name, bool value) {
  reg.WriteString(name, value ? "1" : "0");
}

// Settings are written as the window closes; a store that cannot be written
// is reported and the program closes all the same.
template <typename F>
void writeSettings(const char* what, F&& write) {
  try {
    write();
  } catch (const std::exception& e) {
    tavrel::platform().messageDlg(std::string("Unable to save the ") + what + ".\r\n\r\n" + e.what(),
                                  tavrel::MsgType::Error, tavrel::mbOK, 0);
  }
}

void readFont(const TRegistry& reg, const std::string& prefix, tavrel::FontSpec& font) {
  font.name = readNonEmpty(reg, prefix + "FontName", "Arial");
  const int size = readInt(reg, prefix + "FontSize", 10);
  font.size = size >= 1 && size <= kMaxFontSize ? size : 10;
  font.bold = readBool(reg, prefix + "FontBold", false);
  font.italic = readBool(reg, prefix + "FontItalic", false);
  font.underline = readBool(reg, prefix + "FontUnderline", false);
}

void writeFont(TRegistry& reg, const std::string& prefix, const tavrel::FontSpec& font) {
  reg.WriteString(prefix + "FontName", font.name);
  writeInt(reg, prefix + "FontSize", font.size);
  writeBool(reg, prefix + "FontBold", font.bold);
  writeBool(reg, prefix + "FontItalic", font.italic);
  writeBool(reg, prefix + "FontUnderline", font.underline);
}

// Shows the menu items of the filled recent-file entries, captioned with
// the bare file names.
void showRecentFiles() {
  for (int i = 1; i <= 5; ++i) {
    const std::string& entry = frmMain->FLastFiles[static_cast<size_t>(i)];
    if (entry.empty()) continue;
    if (QAction* item = frmMain->mnuLastFile[static_cast<size_t>(i)]) {
      // "&" would mark a mnemonic in a menu caption.
      item->setText(tavrel::pathToQString(ExtractFileName(entry)).replace(QLatin1Char('&'), QLatin1String("&&")));
      item->setVisible(true);
    }
    if (i == 1 && frmMain->mnuLastFileDivider) frmMain->mnuLastFileDivider->setVisible(true);
  }
}

std::string runningProgramPath() {
  if (QCoreApplication::instance()) return tavrel::pathFromQString(QCoreApplication::applicationFilePath());
  return tavrel::paramStr(0);
}

QRect desktopArea() {
  QScreen* screen = frmMain->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return QRect(0, 0, 1024, 768);
  return screen->availableVirtualGeometry();
}

}  // namespace

void SetSplashInterval(int ms) { g_splashInterval = ms > 0 ? ms : 0; }

void RegisterFileType() {
  try {
    TRegistry reg(RootKey::ClassesRoot);
    if (!reg.OpenKey(frmMain->AppTitle() + "\\Shell\\open\\command", true)) return;
    const std::string command = runningProgramPath() + " \"%1\"";
    if (reg.ReadString("") != command) reg.WriteString("", command);
  } catch (...) {
    // Registering the open command is a courtesy; without rights it is left.
  }
}

void ReadFontSettings() {
  TRegistry reg;
  reg.OpenKey(configKey(), true);
  readFont(reg, "Main", frmMain->dlgMainFont);
  readFont(reg, "Raw", frmMain->dlgRawFont);
}

void WriteFontSettings() {
  writeSettings("font settings", [] {
    TRegistry reg;
    reg.OpenKey(configKey(), true);
    writeFont(reg, "Main", frmMain->dlgMainFont);
    writeFont(reg, "Raw", frmMain->dlgRawFont);
  });
}

void ReadSavePath() {
  TRegistry reg;
  reg.OpenKey(globalsKey(), true);
  const std::string path = withTrailingSlash(readText(reg, "SavePath", tavrel::programFolder()));
  frmMain->dlgOpenFile.initialDir = path;
  frmMain->dlgSaveFile.initialDir = path;
  frmMain->dlgSaveWeb.initialDir = path;
}

void WriteSavePath() {
  writeSettings("save folder", [] {
    TRegistry reg;
    reg.OpenKey(globalsKey(), true);
    reg.WriteString("SavePath", ExtractFilePath(frmMain->dlgSaveFile.fileName));
  });
}

void ReadFilePaths() {
  TRegistry reg;
  reg.OpenKey(filePathsKey(), true);
  for (int i = 1; i <= 5; ++i)
    frmMain->FLastFiles[static_cast<size_t>(i)] = reg.ReadString("LastFile" + std::to_string(i));
  showRecentFiles();
  frmMain->FSourcePath = withTrailingSlash(readNonEmpty(reg, "SourceFiles", tavrel::programFolder() + "source/"));
  frmMain->FConfigFile = readNonEmpty(reg, "ConfigFile", tavrel::programFolder() + "english4.cfg");
  tavrel::platform().setHelpFile(tavrel::programFolder() + "tavrelhelp.htm");
}

void WriteFilePaths() {
  writeSettings("recent files", [] {
    TRegistry reg;
    reg.OpenKey(filePathsKey(), true);
    for (int i = 1; i <= 5; ++i)
      reg.WriteString("LastFile" + std::to_string(i), frmMain->FLastFiles[static_cast<size_t>(i)]);
    reg.WriteString("ConfigFile", frmConfig ? frmConfig->FConfigFileName : frmMain->FConfigFile);
  });
}

void ReadWindowSettings() {
  TRegistry reg;
  reg.OpenKey(mainFormKey(), true);
  int left = readInt(reg, "Left", 10);
  int top = readInt(reg, "Top", 10);
  int width = readInt(reg, "ClientWidth", frmMain->width());
  int height = readInt(reg, "ClientHeight", frmMain->height());
  const bool maximized = readInt(reg, "State", 0) == 1;

  // Whatever was stored, the window keeps a usable size and its title bar
  // stays on the desktop.
  const QRect area = desktopArea();
  width = std::clamp(width, kMinWindowWidth, std::max(area.width(), kMinWindowWidth));
  height = std::clamp(height, kMinWindowHeight, std::max(area.height(), kMinWindowHeight));
  left = std::clamp(left, area.left() - width + 100, std::max(area.left(), area.right() - 100));
  top = std::clamp(top, area.top(), std::max(area.top(), area.bottom() - 50));
  frmMain->resize(width, height);
  frmMain->move(left, top);
  if (maximized) frmMain->setWindowState(frmMain->windowState() | Qt::WindowMaximized);

  reg.OpenKey(configKey(), true);
  frmMain->FSaveWithFile = readSwitch(reg, "SaveWithFile");
  if (frmMain->mnuReloadConfig) {
    frmMain->mnuReloadConfig->setCheckable(true);
    frmMain->mnuReloadConfig->setChecked(readSwitch(reg, "ReloadFromFile"));
  }
}

void WriteWindowSettings() {
  writeSettings("window settings", [] {
    TRegistry reg;
    reg.OpenKey(mainFormKey(), true);
    if (frmMain->isMaximized()) {
      // The last normal placement stays as it was stored.
      reg.WriteString("State", "1");
      return;
    }
    const QRect g = frmMain->isMinimized() ? frmMain->normalGeometry()
                                           : QRect(frmMain->pos(), frmMain->size());
    writeInt(reg, "Left", g.x());
    writeInt(reg, "Top", g.y());
    writeInt(reg, "ClientWidth", g.width());
    writeInt(reg, "ClientHeight", g.height());
    reg.WriteString("State", "0");
  });
}

void UpdateMainCaption() {
  const std::string name = frmMain->FFileName.empty() ? "[Untitled]" : frmMain->FFileName;
  // "[*]" is Qt's placeholder for the modified mark; doubled it shows as is.
  QString caption = tavrel::toQString(frmMain->AppTitle() + ": ") + tavrel::pathToQString(name);
  caption.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
  frmMain->setWindowTitle(caption);
}

void AddRecentFile(const std::string& fileName) {
  auto& files = frmMain->FLastFiles;
  if (fileName == files[1]) return;
  size_t pos = 5;
  for (size_t i = 5; i >= 2; --i) {
    if (files[i] == fileName) {
      pos = i;
      break;
    }
  }
  for (size_t j = pos; j >= 2; --j) files[j] = files[j - 1];
  files[1] = fileName;
  showRecentFiles();
}

void RemoveRecentFile(int index) {
  if (index < 1 || index > 5) return;
  auto& files = frmMain->FLastFiles;
  for (size_t j = static_cast<size_t>(index); j < 5; ++j) files[j] = files[j + 1];
  files[5].clear();
  for (size_t i = 1; i <= 5; ++i)
    if (files[i].empty() && frmMain->mnuLastFile[i]) frmMain->mnuLastFile[i]->setVisible(false);
  if (files[1].empty() && frmMain->mnuLastFileDivider) frmMain->mnuLastFileDivider->setVisible(false);
  showRecentFiles();
}

void GetFileVersion(const std::string& fileName, int& major, int& minor, int& release, int& build) {
  // The version is built into the program; only the running program's own
  // file carries it.
  const QString wanted = QFileInfo(tavrel::pathToQString(fileName)).canonicalFilePath();
  const QString self = QFileInfo(tavrel::pathToQString(runningProgramPath())).canonicalFilePath();
  if (fileName.empty() || wanted.isEmpty() || wanted != self)
    throw std::runtime_error("Can't get file version information for " + fileName);
  major = TAVREL_VERSION_MAJOR;
  minor = TAVREL_VERSION_MINOR;
  release = TAVREL_VERSION_RELEASE;
  build = TAVREL_VERSION_BUILD;
}

// The running program always carries the version it was built with.
void GetVersionString(std::string& s) {
  s = std::to_string(TAVREL_VERSION_MAJOR) + "." + std::to_string(TAVREL_VERSION_MINOR) + " Release " +
      std::to_string(TAVREL_VERSION_RELEASE) + " Build " + std::to_string(TAVREL_VERSION_BUILD);
}

int GetMajorVersion() { return TAVREL_VERSION_MAJOR; }

void ShowSplashScreen() {
  for (int i = 0; i <= tavrel::paramCount(); ++i)
    if (UpperCaseAscii(tavrel::paramStr(i)) == "\\S") return;
  const std::string title = frmMain ? frmMain->AppTitle() : std::string();
  const int interval = g_splashInterval > 0 ? g_splashInterval : (title == "Askery" ? 3000 : 2000);
  TfrmSplash splash(title, interval);
  splash.exec();
}

void LoadStartupConfig() {
  try {
    frmConfig->LoadConfigFile(frmMain->FConfigFile);
    frmMain->SetStatusPanelText(
        1, "Config: " + tavrel::ShownPath(ExtractFileName(frmConfig->FConfigFileName)));
  } catch (...) {
    tavrel::platform().messageDlg("Configuration file not found. Using default configuration.",
                                  tavrel::MsgType::Warning, tavrel::mbOK, kHelpConfigFile);
  }
}
