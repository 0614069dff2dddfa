// Text transformations for the web pages: characters above 127 as entities or
// %-escapes, line breaks and tabs as HTML, quotes escaped for single-quoted
// script strings, long script assignments cut into chunks, template sections
// kept or removed, the author tag.  All on Windows-1252 text, 1-based.
#pragma once

#include <string>
#include <vector>

// Entity, percent and Macintosh texts of a character code 128..255; empty for
// codes without an entry (and for codes below 128).
std::string EntityTableText(int code);
std::string PercentTableText(int code);
std::string MacTableText(int code);

int PosFrom(const std::string& subStr, const std::string& s, int offset);

std::string HighCharsToEntities(const std::string& s);
std::string HighCharsToEscapes(const std::string& s);
std::string HighCharsToMacEscapes(const std::string& s);
std::string MakeCharListScript(const std::string& s);
std::string TextToHTMLBreaks(const std::string& s);
std::string ReturnsToBR(const std::string& s);
std::string SubCharsToReturns(const std::string& s);

// Every non-overlapping occurrence of find, left to right, replaced once;
// inserted text is never searched again.  Linear in the length of s.  An
// empty s or find gives s unchanged.  count receives the replacements made.
std::string ReplaceAll(const std::string& find, const std::string& replace, const std::string& s,
                       int* count = nullptr);

std::string JSEscapeQuotes(const std::string& s);
std::string QuotesToEntities(const std::string& s);
bool SplitIntoChunks(int chunkLen, const std::string& s, std::vector<std::string>& list);
std::string MakeJSStringAssignment(const std::string& varName, const std::string& value);
std::string ProcessTemplateSection(const std::string& s, const std::string& tag, bool keep);
std::string InsertAuthorMetaTag(const std::string& s, const std::string& programName);
std::string TextBetween(const std::string& text, const std::string& startMark,
                        const std::string& endMark);
std::string CutMarkedBlock(std::string& text, const std::string& startMark,
                           const std::string& endMark, const std::string& replacement,
                           bool keepMarkers);

// Leading and trailing characters with codes 0 to 32 removed.
std::string Trim(const std::string& s);
// ASCII letters upper-cased, every other byte as it is.
std::string UpperCaseAscii(const std::string& s);
std::string LowerCaseAscii(const std::string& s);
// Windows-1252 case mapping: the ASCII letters, the accented letters
// 192-222 / 224-254 (not 215, 247) and the pairs 138/154, 140/156, 142/158,
// 159/255; every other byte maps to itself.
char UpperCase1252(char c);
char LowerCase1252(char c);
std::string UpperCase1252(const std::string& s);
std::string LowerCase1252(const std::string& s);
// True when a and b are equal but for the case of their letters (under the
// mapping above).
bool SameText1252(const std::string& a, const std::string& b);
// An optionally signed decimal integer in the 32-bit range, nothing else
// (no blanks); false otherwise.
bool StrToIntStrict(const std::string& s, int& value);
