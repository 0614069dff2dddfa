// The text boundary between the suite's Windows-1252 strings and Qt.
#pragma once

#include <QString>
#include <string>

namespace tavrel {

// Windows-1252 bytes to a QString and back.  A character outside the code
// page travels as its numeric character reference ("&#1055;"), which shows
// as the character again, so a text survives any number of round trips; a
// reference to a character the code page holds ("&#65;") stays text.
QString toQString(const std::string& s);
std::string fromQString(const QString& s);

// The same for multi-line text: stored CR LF line breaks become the widgets'
// LF and back.
QString toQStringLines(const std::string& s);
std::string fromQStringLines(const QString& s);

// A file path from a dialog or the command line, and back to a native path,
// held as Utf8PathToWin1252 holds it: every name comes back exactly, and a
// name that holds "&#26085;" is never taken for one that holds the character.
std::string pathFromQString(const QString& s);
QString pathToQString(const std::string& s);

}  // namespace tavrel
