// Text files, opening files with the desktop's program, relative web paths,
// and the small path helpers the suite uses.  Paths are Windows-1252 text
// with "/" separators; folders are held with a trailing "/".
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Reads a file into lines split at CR LF, a lone CR or a lone LF (a NUL byte
// ends the text) and gives every line back followed by CR LF.  False, with
// text unchanged, when the file cannot be read; only regular files are read
// (a folder, a named pipe or a device is refused at once, also through a
// link), and a file too large for memory is refused too.  A file that says
// it is UTF-8 is converted to Windows-1252 first (TextFromFileBytes).  Never
// throws.
bool LoadTextFile(const std::string& fileName, std::string& text);
// Text as LoadTextFile hands it back: lines split at CR LF, a lone CR or a
// lone LF, each followed by CR LF.
std::string TextWithCrLfLines(const std::string& bytes);
// The same lines without their line breaks (a file that begins with a UTF-8
// byte-order mark converted the same way).
bool LoadTextLines(const std::string& fileName, std::vector<std::string>& lines);
// The lines of text already read, split as LoadTextLines splits a file's.
std::vector<std::string> TextLines(const std::string& bytes);

// Why a file cannot be read, found before anything is asked or cleared: it
// is missing, a folder, not a regular file (a named pipe, a device, also
// through a link), or one that cannot be opened for reading.
enum class FileRefusal { None, NotFound, Folder, NotRegular, CannotRead };
FileRefusal CheckFileToRead(const std::string& fileName);
// The message that names the file and says why it was not read ("" for None).
std::string FileRefusalMessage(const std::string& fileName, FileRefusal why);
// The message for a file that was read but holds neither a data file of the
// program nor an old line-based file: empty, cut short, or of another kind.
std::string DamagedFileMessage(const std::string& fileName);
// What an old data file that failed part-way through its reading is told with.
std::string UnableToLoadMessage(const std::string& fileName);

// Writes text with CR LF after every line (the last one included) through a
// temporary file in the same folder that replaces fileName only once it is
// completely written and flushed.  False, with the old file untouched, when
// anything fails (the file-size limit included: the write fails, the
// program goes on).  A file that can itself be written is written in place
// instead where replacing it would change it or is refused: no file can be
// made beside it (a folder the user may not write to), the new file would
// belong to another owner or group (another user's file in a folder open to
// all, whose owner and group the saver cannot give it), or the folder does
// not let it be replaced (the sticky bit).  The file keeps its permission
// bits either way.  In place, nothing is overwritten before the text is sure
// to fit (the file-size limit, the free space), and a write that still fails
// puts the old bytes back.
// A file with more than one name (hard links) is written in place too, so
// that every name sees the new text.  The new file gets the old one's
// extended attributes (an ACL among them); where it cannot, the file is
// written in place.  In place is no atomic replacement: a crash or a power
// cut while it writes can leave the file part-written.
// Only regular files are replaced; a link is followed and stays a link, and
// a link to a file that does not exist yet makes that file.  A successful
// save removes what unfinished saves of the same file (ended by a crash)
// left beside it.  A failed save leaves its reason to LastSaveFailureReason.
bool SaveTextFile(const std::string& fileName, const std::string& text);

// Writes bytes exactly as given, in the same way.
bool SaveBytesAtomically(const std::string& fileName, const std::string& bytes);

// A text too large to hold in memory at once, handed to a sink piece by
// piece: the producer gives each piece in order and stops, returning false,
// when the sink returns false (a write failed); it returns true when the
// whole text was given.
using TextSink = std::function<bool(const std::string& piece)>;
using TextProducer = std::function<bool(const TextSink& sink)>;
// Writes the text that produce gives as SaveTextFile writes a text (CR LF
// after the last line, through a temporary file that replaces fileName only
// when complete).  False, with the old file untouched, when produce fails
// or throws or a write fails.  Only a file written in place (where
// SaveTextFile writes one in place) needs the whole text in memory.
bool SaveTextFileFrom(const std::string& fileName, const TextProducer& produce);

// Why the last save of this thread failed, in the system's words ("No space
// left on device", "Permission denied"); "" after a successful save or when
// no reason is known.
std::string LastSaveFailureReason();
// Forgets that reason, before work that may fail before it saves anything.
void ClearLastSaveFailure();
// "Unable to save file: " + fileName, and below it the reason the last save
// failed where one is known, or that of error where one is given (ENOMEM for
// a save that ran out of memory before it wrote).
std::string SaveFailureMessage(const std::string& fileName, int error = 0);
// (The messages above name the file as ShownPath shows it.)

// The question every Save As asks before it writes over a file: "PATH
// already exists. Do you want to replace it?".  MayReplaceFile asks it
// when fileName (the file really written, its extension added) exists, with
// No as the default answer and Escape's; true when there is no such file or
// the user answered Yes.
std::string ReplaceQuestion(const std::string& fileName);
bool MayReplaceFile(const std::string& fileName, int helpContext);
// The question before a save writes over a file another program changed
// since this one read or wrote it; No is the default.  True on Yes.
bool MayReplaceChangedFile(const std::string& fileName, int helpContext);

// What tells whether a file is still the one the program last read or
// wrote: the file itself (device and inode), its size and its modification
// time to the nanosecond.  exists is false where there is no file.
struct FileIdentity {
  bool exists = false;
  unsigned long long device = 0;
  unsigned long long inode = 0;
  long long size = 0;
  long long seconds = 0;
  long long nanoseconds = 0;
  bool operator==(const FileIdentity&) const = default;
};
// The identity of the file a path names (through links, as a save writes).
FileIdentity IdentityOf(const std::string& fileName);
// True when a save of fileName would write over a file that is not the one
// known: one changed or replaced since, or one that appeared where there was
// none.  A file that has gone is no change: the save makes it anew.
bool ChangedOnDisk(const std::string& fileName, const FileIdentity& known);

// Faults a test can make the saves meet: no temporary file can be made beside
// the saved file (as in a folder that cannot be written, which file modes do
// not show to root), the process ends once the temporary file is written,
// before it replaces the saved file (as in a crash), or the folder refuses to
// let the temporary file replace the saved one.
enum class SaveFault { None, NoTemporaryFile, EndBeforeReplacing, ReplacingRefused };
void SetSaveFaultForTesting(SaveFault fault);

// Raised by ShellOpenFile; the application shows its message.
class ShellOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Opens fileName with the program the desktop associates with it; true on
// success, otherwise throws ShellOpenError with the user's message.
bool ShellOpenFile(const std::string& fileName);

// A web path ("../" steps, "/" separators) from the folder of basePath (a
// file) to targetPath.  Whole folder names are compared, letter case
// included.  The names of the path are written as PathAsWebAddress writes
// them, so that the address reaches the file.
void RelativeWebPath(const std::string& basePath, const std::string& targetPath,
                     std::string& result);

// s with every control character and every character of special %-encoded
// ("%3A" for ":"); everything else, letters above 127 too, stays.  Where
// keepCharacterReferences, the reference to a character Windows-1252 lacks
// ("&#321;") stays whole even when "&" and "#" are special, and the "&#38;"
// of a path (a literal "&" before "#") is the "%26" of that "&".
std::string PercentEncoded(const std::string& s, std::string_view special,
                           bool keepCharacterReferences = false);

// A relative path as an address: "/" stays a separator; a double quote, "#",
// "%", a blank and the other characters that mean something in an address or
// a quoted attribute ("&", "'", "?", "<", ">", backslash, brackets, braces,
// "^", "`", "|", ":") and control characters are %-encoded.  Letters above
// 127 stay, and so does a character reference ("&#321;") that stands for a
// letter the code page lacks.
std::string PathAsWebAddress(const std::string& path);

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
