// Documents held as one string of Windows-1252 text and addressed by
// backslash paths of element names ("tavrel-askery-file\data\title").  An
// element is found by plain, case-sensitive search for its opening and
// closing tags; there is no tree.  Positions are 1-based.  Writers store
// values as given (callers escape with XMLEscape), readers hand back the raw
// content (callers unescape with XMLUnescape).
//
// Malformed documents (an element left open, a closing tag before its opening
// tag) never make a routine read or write outside the string: lookups report
// "not found" and writers leave the document unchanged.
#pragma once

#include <string>
#include <vector>

#include "shared/core/XMLGlobals.h"

std::string MakeElement(const std::string& content, const std::string& tag);
// MakeElement appended to out (for writers that build a long document).
void AppendElement(std::string& out, const std::string& content, const std::string& tag);
std::string MakeBoolElement(bool value, const std::string& tag);
std::string BoolToStr01(bool b);
bool StrToBool01(const std::string& s);

std::string XMLEscape(const std::string& s);
std::string XMLUnescape(const std::string& s);

// Every non-overlapping occurrence of find, left to right, replaced once
// (the same routine as ReplaceAll).  count, when given, receives the number
// of replacements.
std::string XMLReplaceAll(const std::string& find, const std::string& replace,
                          const std::string& s, int* count = nullptr);

std::string StripTags(const std::string& s);

bool SplitXMLPath(const std::string& path, std::vector<std::string>& steps);

// Found is true whenever the opening tag occurs; content and startPos are
// set only when the closing tag follows it.
bool FindElement(const std::string& tag, const std::string& text, std::string& content,
                 int& startPos);

bool ExtractElement(bool remove, const std::string& tag, std::string& doc, std::string& content);

bool LocateElementPath(const std::string& path, const std::string& doc,
                       std::vector<std::string>& missing, int& startPos, std::string& content);

// Replaces the content of the element at path, or creates the missing
// elements as the first content of the deepest one that exists (an empty
// value creates nothing).  True also when nothing had to change.  False, with
// doc as it was, when the document is malformed along the path or the result
// would not read back value at path (a name repeated along the path, or tags
// in value that end the element early).
bool SetElementByPath(const std::string& path, const std::string& value, std::string& doc);
bool SetBoolByPath(const std::string& path, bool value, std::string& doc);

std::string GetValueByPath(const std::string& doc, const std::string& path,
                           const std::string& defaultValue);
bool GetBoolByPath(const std::string& doc, const std::string& path, bool defaultValue);
int GetIntByPath(const std::string& doc, const std::string& path, int defaultValue);

// The bytes of a data or configuration file as the suite's Windows-1252 text.
// A file that says it is UTF-8, by its byte-order mark or by the encoding its
// XML declaration names, is converted (characters outside Windows-1252
// become numeric character references) and its declaration made to name the
// encoding the text is now in, so that a save writes a declaration that
// matches its bytes.  Any other file is taken byte for byte.
std::string TextFromFileBytes(const std::string& bytes);

// Writes the document with the XML declaration in front (unless it holds one)
// and CR LF after every line, through a temporary file in the same folder that
// replaces fileName only once it is completely written.  False, with the old
// file untouched, when anything fails.
bool SaveXMLFile(const std::string& fileName, const std::string& doc);
