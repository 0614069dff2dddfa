// Services around a program's main window: registry settings (fonts, window
// placement, folders, recent files, configuration path, switches), the
// recent-file menu, the caption, the file type's open command, the program
// version, the splash screen and the first load of the configuration.  They
// work on frmMain and frmConfig.
#pragma once

#include <string>

// Registry key of the suite under HKEY_CURRENT_USER.
inline constexpr const char* kTavrelBaseKey = "Software\\Corvane\\Tavrel";

// The Write... routines report a settings store that cannot be written in an
// error message and return; they never throw.
void RegisterFileType();
void ReadFontSettings();
void WriteFontSettings();
void ReadSavePath();
void WriteSavePath();
void ReadFilePaths();
void WriteFilePaths();
void ReadWindowSettings();
void WriteWindowSettings();
void UpdateMainCaption();
void AddRecentFile(const std::string& fileName);
// Takes entry index (1..5) out of the recent files: the later entries move
// up, and the item left without an entry is hidden.
void RemoveRecentFile(int index);

// Throws std::runtime_error("Can't get file version information for " +
// fileName) when the file carries no version.
void GetFileVersion(const std::string& fileName, int& major, int& minor, int& release, int& build);
void GetVersionString(std::string& s);
int GetMajorVersion();

// Shows the splash screen modally unless a command-line argument is "\S"
// (any case).  It stays up 3000 ms in Askery and 2000 ms in the others, or
// the time SetSplashInterval gave (0 restores the program's own).
void ShowSplashScreen();
void SetSplashInterval(int ms);
void LoadStartupConfig();
