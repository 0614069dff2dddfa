// Windows-1252 text, the single-byte encoding of every string the suite keeps
// (files declare it as ISO-8859-1), to and from Unicode.  Characters that
// Windows-1252 cannot hold become numeric character references ("&#8730;"),
// so nothing a user types is silently lost.
#pragma once

#include <cstddef>
#include <string>

namespace tavrel {

// Unicode code point of a Windows-1252 byte.  The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of
// the same value, so every byte survives a round trip.
char32_t Win1252ToUnicode(unsigned char c);

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int UnicodeToWin1252(char32_t u);

// Appends the Windows-1252 byte of a code point, or its numeric character
// reference ("&#8730;") when the code page has none.
void AppendWin1252(std::string& out, char32_t u);

// A numeric character reference at s[i] in the form AppendWin1252 writes
// (decimal, no leading zero) to a character Windows-1252 cannot hold: gives
// its code point and the reference's length.  Anything else, "&#65;" or
// "&#01055;" included, is not one: text that merely looks like a reference
// stays text.
bool ForeignReferenceAt(const std::string& s, std::size_t i, char32_t& u, std::size_t& length);

// The capital of a letter by Unicode's simple case mapping (one character
// to one character: "\u0142" gives "\u0141", final sigma gives capital
// sigma); a character without such a capital, or whose capital is more than
// one character (sharp s), is given back as it is.
char32_t UnicodeUpperCase(char32_t u);

// UTF-8 (native file names, terminal) to Windows-1252 and back.  A byte
// sequence that is not valid UTF-8 is taken byte by byte as Windows-1252.
std::string Win1252ToUtf8(const std::string& s);
std::string Utf8ToWin1252(const std::string& s);

// File paths between their native UTF-8 form and the Windows-1252 text the
// suite holds them in.  A character the code page lacks is held as its
// numeric character reference, as in any text; so that a name that itself
// holds such a reference ("lit&#26085;.pry") stays another file than the one
// with the character ("lit\u65E5.pry"), an "&" followed by "#" in a name is
// held as "&#38;", and a byte that is not part of valid UTF-8 as the
// reference to U+DC80 + the byte.  The two are exact inverses: every native
// name comes back byte for byte.  A held path with "&#" in any other form
// (written by hand, or by an earlier version) is read as it stands.
std::string Utf8PathToWin1252(const std::string& native);
std::string Win1252PathToUtf8(const std::string& path);

// A held path as text to show (a message, a caption, a list): the name the
// folder holds, in the suite's Windows-1252 text, which the widgets show as
// that name.  A "&#...;" the name holds itself shows as typed (a word joiner,
// which shows as nothing, parts it from the reference the text would
// otherwise stand for); a byte that is no UTF-8 shows as the replacement
// character.  Every message, caption and list that names a file goes
// through it.
std::string ShownPath(const std::string& path);

// Line breaks: the stored form is CR LF; widgets use LF.  A lone CR counts
// as a line break too.
std::string CrLfToLf(const std::string& s);
std::string LfToCrLf(const std::string& s);

}  // namespace tavrel
