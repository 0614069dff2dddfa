// Text files, opening files with the desktop's program, relative web paths,
// and the small path helpers the suite uses.  Paths are Windows-1252 text
// with "/" separators; folders are held with a trailing "/".
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// Reads a file into lines split at CR LF, a lone CR or a lone LF (a NUL byte
// ends the text) and gives every line back followed by CR LF.  False, with
// text unchanged, when the file cannot be read.
bool LoadTextFile(const std::string& fileName, std::string& text);
// Text as LoadTextFile hands it back: lines split at CR LF, a lone CR or a
// lone LF, each followed by CR LF.
std::string TextWithCrLfLines(const std::string& bytes);
// The same lines without their line breaks.
bool LoadTextLines(const std::string& fileName, std::vector<std::string>& lines);

// Writes text with CR LF after every line (the last one included) through a
// temporary file in the same folder that replaces fileName only once it is
// completely written and flushed.  False, with the old file untouched, when
// anything fails.
bool SaveTextFile(const std::string& fileName, const std::string& text);

// Writes bytes exactly as given, with the same temporary-file discipline.
bool SaveBytesAtomically(const std::string& fileName, const std::string& bytes);

// Raised by ShellOpenFile; the application shows its message.
class ShellOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Opens fileName with the program the desktop associates with it; true on
// success, otherwise throws ShellOpenError with the user's message.
bool ShellOpenFile(const std::string& fileName);

// A web path ("../" steps, "/" separators) from the folder of basePath (a
// file) to targetPath.  Whole folder names are compared.
void RelativeWebPath(const std::string& basePath, const std::string& targetPath,
                     std::string& result);

// The native (UTF-8) form of a path, for opening files.
std::string NativePath(const std::string& path);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// The part after the last "/" (the bare file name); the whole path without one.
std::string ExtractFileName(const std::string& path);
// The part up to and including the last "/"; "" without one.
std::string ExtractFilePath(const std::string& path);
// The extension with its dot (".aky"), "" when the name has none.
std::string ExtractFileExt(const std::string& path);
// The path of an existing file in folder whose name equals name without
// regard to letter case; folder + name when there is none.
std::string FindFileNoCase(const std::string& folder, const std::string& name);
