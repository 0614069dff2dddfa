// The text boundary between the suite's Windows-1252 strings and Qt.
#pragma once

#include <QString>
#include <string>

namespace tavrel {

// Windows-1252 bytes to a QString and back; characters outside the code page
// come back as numeric character references.
QString toQString(const std::string& s);
std::string fromQString(const QString& s);

// The same for multi-line text: stored CR LF line breaks become the widgets'
// LF and back.
QString toQStringLines(const std::string& s);
std::string fromQStringLines(const QString& s);

// A file path from a dialog or the command line, and back to a native path
// (characters outside Windows-1252 travel as numeric character references).
std::string pathFromQString(const QString& s);
QString pathToQString(const std::string& s);

}  // namespace tavrel
