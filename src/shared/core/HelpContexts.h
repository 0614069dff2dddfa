// The help contexts the programs open (F1, Help buttons, the Help button of
// a message), in one place.  The help document beside the programs has a
// section "context-<number>" for each of them; a test checks every entry of
// kAllHelpContexts.  A program that opens a new context adds it here.
#pragma once

inline constexpr int kHelpOpenFile = 54;         // the open dialog
inline constexpr int kHelpContents = 1000;       // Help > Contents, Internet help
inline constexpr int kHelpSaveQuestion = 4000;   // file commands and the save question
inline constexpr int kHelpConfigFile = 5000;     // the configuration file at start
inline constexpr int kHelpPicture = 5500;        // Insert > Picture, the picture library
inline constexpr int kHelpLink = 5700;           // Insert > Link, the link dialog
inline constexpr int kHelpWebExport = 6000;      // the web exports
inline constexpr int kHelpFileMenu = 7000;       // File menu, Append File
inline constexpr int kHelpEditMenu = 8000;       // Edit menu
inline constexpr int kHelpInsertMenu = 8300;     // Insert menu
inline constexpr int kHelpManageMenu = 8500;     // item management and its dialogs
inline constexpr int kHelpReloadConfig = 9000;   // Options menu, the reload option
inline constexpr int kHelpHelpMenu = 10000;      // Help menu
inline constexpr int kHelpReading = 12500;       // the reading dialog
inline constexpr int kHelpScoring = 13000;       // scoring and answer settings
inline constexpr int kHelpAskeryWindow = 14000;  // the quiz program's main window
inline constexpr int kHelpFindReplace = 14500;   // find and replace
inline constexpr int kHelpAskeryConfig = 15000;  // the quiz configuration window
inline constexpr int kHelpConfigSave = 17000;    // the configuration save question
inline constexpr int kHelpGridelWindow = 18000;  // the crossword program's main window and grid
inline constexpr int kHelpClues = 18500;         // the clue dialog and the crossword's clues
inline constexpr int kHelpGridelConfig = 19000;  // the crossword configuration window
inline constexpr int kHelpPairoConfigPages = 21000;  // the matching configuration's pages
inline constexpr int kHelpPairoWindow = 21500;   // the matching program's main window
inline constexpr int kHelpColours = 21600;       // colours and the colour chart
inline constexpr int kHelpPairoConfig = kHelpColours;  // the matching configuration window
inline constexpr int kHelpOldVersion = 24000;    // old files of unsupported versions
inline constexpr int kHelpTemplates = 33000;     // templates and the template editor
inline constexpr int kHelpAbout = 40000;         // the about box

inline constexpr int kAllHelpContexts[] = {
    kHelpOpenFile,     kHelpContents,     kHelpSaveQuestion,  kHelpConfigFile,  kHelpPicture,
    kHelpLink,         kHelpWebExport,    kHelpFileMenu,      kHelpEditMenu,    kHelpInsertMenu,
    kHelpManageMenu,   kHelpReloadConfig, kHelpHelpMenu,      kHelpReading,     kHelpScoring,
    kHelpAskeryWindow, kHelpFindReplace,  kHelpAskeryConfig,  kHelpConfigSave,  kHelpColours,
    kHelpOldVersion,   kHelpTemplates,    kHelpAbout,
    kHelpGridelWindow, kHelpClues,        kHelpGridelConfig,
    kHelpPairoConfigPages, kHelpPairoWindow,
};
