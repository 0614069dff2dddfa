#include "shared/core/XMLRoutines.h"

#include <string.h>

#include <cstdint>

#include <string_view>

#include "platform/core/TextCodec.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/StringFunctions.h"

namespace {

// Position of the first occurrence of pat in text at or after from; npos when
// there is none.  Documents are full of "<", which makes a search that looks
// for the first character and then compares slow; memmem is not.
size_t FindIn(std::string_view text, std::string_view pat, size_t from = 0) {
  if (from > text.size() || pat.size() > text.size() - from) return std::string_view::npos;
  if (pat.empty()) return from;
  // (No object is that large; saying so keeps the compiler's size checks quiet.)
  if (text.size() > static_cast<size_t>(PTRDIFF_MAX)) return std::string_view::npos;
  const void* hit = ::memmem(text.data() + from, text.size() - from, pat.data(), pat.size());
  return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data())
             : std::string_view::npos;
}

// One step of a path lookup, as FindElement makes it, over a view of the text
// so that a lookup copies only what it hands back.  closed is false when the
// opening tag occurs but no closing tag follows it (content then empty,
// start 0).
struct StepResult {
  bool found = false;
  bool closed = false;
  std::string_view content;
  int start = 0;  // 1-based position of the content in the text searched
};

StepResult FindStep(const std::string& tag, std::string_view text) {
  StepResult r;
  const std::string openTag = "<" + tag + ">";
  const size_t open = FindIn(text, openTag);
  if (open == std::string_view::npos) return r;
  r.found = true;
  const size_t p = open + openTag.size();  // 0-based first character of the content
  // The closing tag is searched from the start of the text, so one that comes
  // before the opening tag leaves the content empty.
  const std::string closeTag = "</" + tag + ">";
  const size_t q = FindIn(text, closeTag);
  if (q != std::string_view::npos && p <= q) {
    r.closed = true;
    r.content = text.substr(p, q - p);
    r.start = static_cast<int>(p) + 1;
  }
  return r;
}

// Where a path leads: the absolute start (1-based) of the innermost content
// found, that content, the missing steps, and whether every step that was
// found had its closing tag after its opening tag.
struct PathLocation {
  int startPos = 1;
  std::string_view content;
  std::vector<std::string> missing;
  bool wellFormed = true;
};

PathLocation Locate(const std::string& path, std::string_view doc) {
  PathLocation loc;
  std::vector<std::string> steps;
  SplitXMLPath(path, steps);
  std::string_view cur = doc;
  for (const std::string& step : steps) {
    const StepResult r = FindStep(step, cur);
    if (r.found) {
      loc.startPos += r.start - 1;
      if (!r.closed) loc.wellFormed = false;
    } else {
      loc.missing.push_back(step);
    }
    cur = r.content;
  }
  loc.content = cur;
  return loc;
}

}  // namespace

void AppendElement(std::string& out, const std::string& content, const std::string& tag) {
  out += '<';
  out += tag;
  out += '>';
  out += content;
  out += "</";
  out += tag;
  out += '>';
}

std::string MakeElement(const std::string& content, const std::string& tag) {
  std::string out;
  out.reserve(content.size() + 2 * tag.size() + 5);
  AppendElement(out, content, tag);
  return out;
}

std::string MakeBoolElement(bool value, const std::string& tag) {
  return MakeElement(BoolToStr01(value), tag);
}

std::string BoolToStr01(bool b) { return b ? "1" : "0"; }

bool StrToBool01(const std::string& s) { return s != "0"; }

std::string XMLEscape(const std::string& s) {
  std::string out;
  out.reserve(s.size() + s.size() / 8);
  for (char c : s) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '\'': out += "&apos;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string XMLUnescape(const std::string& s) {
  static constexpr struct {
    const char* entity;
    size_t len;
    char ch;
  } kEntities[] = {{"&lt;", 4, '<'},
                   {"&gt;", 4, '>'},
                   {"&amp;", 5, '&'},
                   {"&apos;", 6, '\''},
                   {"&quot;", 6, '"'}};
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == '&') {
      bool decoded = false;
      for (const auto& e : kEntities) {
        if (s.compare(i, e.len, e.entity) == 0) {
          out += e.ch;
          i += e.len;
          decoded = true;
          break;
        }
      }
      if (decoded) continue;
    }
    out += s[i++];
  }
  return out;
}

std::string XMLReplaceAll(const std::string& find, const std::string& replace,
                          const std::string& s, int* count) {
  return ReplaceAll(find, replace, s, count);
}

std::string StripTags(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  bool inTag = false;
  for (char c : s) {
    if (inTag) {
      if (c == '>') inTag = false;
    } else if (c == '<') {
      inTag = true;
    } else {
      out += c;
    }
  }
  return out;
}

bool SplitXMLPath(const std::string& path, std::vector<std::string>& steps) {
  steps.clear();
  size_t start = 0;
  for (;;) {
    const size_t p = path.find('\\', start);
    if (p == std::string::npos) {
      steps.push_back(path.substr(start));
      return true;
    }
    steps.push_back(path.substr(start, p - start));
    start = p + 1;
  }
}

bool FindElement(const std::string& tag, const std::string& text, std::string& content,
                 int& startPos) {
  const StepResult r = FindStep(tag, text);
  content = std::string(r.content);
  startPos = r.start;
  return r.found;
}

bool ExtractElement(bool remove, const std::string& tag, std::string& doc, std::string& content) {
  const std::string openTag = "<" + tag + ">";
  const std::string closeTag = "</" + tag + ">";
  const size_t p = FindIn(doc, openTag);
  if (p == std::string::npos) return false;
  const size_t start = p + openTag.size();
  const size_t q = FindIn(doc, closeTag, start);
  if (q == std::string::npos) return false;
  content = doc.substr(start, q - start);
  if (remove) doc.erase(p, q + closeTag.size() - p);
  return true;
}

bool LocateElementPath(const std::string& path, const std::string& doc,
                       std::vector<std::string>& missing, int& startPos, std::string& content) {
  PathLocation loc = Locate(path, doc);
  missing = std::move(loc.missing);
  startPos = loc.startPos;
  content = std::string(loc.content);
  return true;
}

bool SetElementByPath(const std::string& path, const std::string& value, std::string& doc) {
  const PathLocation loc = Locate(path, doc);
  if (loc.content == value) return true;

  // The content must be where the location says, inside elements whose
  // closing tags follow their opening tags; otherwise the document is
  // malformed and stays as it is.
  if (!loc.wellFormed || loc.startPos < 1) return false;
  const size_t start = static_cast<size_t>(loc.startPos) - 1;
  if (start > doc.size() || doc.size() - start < loc.content.size() ||
      doc.compare(start, loc.content.size(), loc.content) != 0)
    return false;

  std::string inserted = value;
  for (auto it = loc.missing.rbegin(); it != loc.missing.rend(); ++it)
    inserted = MakeElement(inserted, *it);

  std::string result;
  result.reserve(doc.size() - loc.content.size() + inserted.size());
  result.append(doc, 0, start);
  result += inserted;
  result.append(doc, start + loc.content.size(), std::string::npos);

  // Only a document that reads back the value just written is kept: names
  // repeated along the path, or tags inside the value, can make the plain
  // search find something else.
  const PathLocation check = Locate(path, result);
  if (!check.wellFormed || !check.missing.empty() || check.content != value) return false;

  doc = std::move(result);
  return true;
}

bool SetBoolByPath(const std::string& path, bool value, std::string& doc) {
  return SetElementByPath(path, BoolToStr01(value), doc);
}

std::string GetValueByPath(const std::string& doc, const std::string& path,
                           const std::string& defaultValue) {
  std::vector<std::string> steps;
  SplitXMLPath(path, steps);
  std::string_view cur = doc;
  bool found = false;
  for (const std::string& step : steps) {
    const StepResult r = FindStep(step, cur);
    found = r.found;
    cur = r.content;
  }
  return found ? std::string(cur) : defaultValue;
}

bool GetBoolByPath(const std::string& doc, const std::string& path, bool defaultValue) {
  return StrToBool01(Trim(GetValueByPath(doc, path, BoolToStr01(defaultValue))));
}

int GetIntByPath(const std::string& doc, const std::string& path, int defaultValue) {
  const std::string s = Trim(GetValueByPath(doc, path, std::to_string(defaultValue)));
  int value = 0;
  return StrToIntStrict(s, value) ? value : defaultValue;
}

namespace {

// Where the value of the encoding named by the XML declaration at the start
// of text lies: [first, first + length).  False when the text does not begin
// with a declaration or the declaration names no encoding.
bool DeclaredEncoding(const std::string& text, size_t& first, size_t& length) {
  if (text.compare(0, 5, "<?xml") != 0) return false;
  const size_t close = text.find("?>");
  if (close == std::string::npos) return false;
  size_t i = text.find("encoding");
  if (i == std::string::npos || i > close) return false;
  i += 8;
  auto space = [&](size_t k) {
    return text[k] == ' ' || text[k] == '\t' || text[k] == '\r' || text[k] == '\n';
  };
  while (i < close && space(i)) ++i;
  if (i >= close || text[i] != '=') return false;
  ++i;
  while (i < close && space(i)) ++i;
  if (i >= close || (text[i] != '"' && text[i] != '\'')) return false;
  const size_t end = text.find(text[i], i + 1);
  if (end == std::string::npos || end > close) return false;
  first = i + 1;
  length = end - first;
  return true;
}

}  // namespace

std::string TextFromFileBytes(const std::string& bytes) {
  static constexpr std::string_view kBom = "\xEF\xBB\xBF";
  const bool bom = bytes.compare(0, kBom.size(), kBom) == 0;
  const size_t start = bom ? kBom.size() : 0;
  size_t first = 0;
  size_t length = 0;
  bool utf8 = bom;
  if (!utf8 && DeclaredEncoding(bytes, first, length)) {
    const std::string named = UpperCaseAscii(bytes.substr(first, length));
    utf8 = named == "UTF-8" || named == "UTF8";
  }
  if (!utf8) return bytes;
  // A byte sequence that is not valid UTF-8 (a file declared UTF-8 but saved
  // by a program that wrote Windows-1252 after all) is taken byte for byte as
  // Windows-1252: nothing is dropped and the teacher sees the letters the
  // bytes stand for.
  std::string text = tavrel::Utf8ToWin1252(bytes.substr(start));
  if (DeclaredEncoding(text, first, length)) text.replace(first, length, "ISO-8859-1");
  return text;
}

bool SaveXMLFile(const std::string& fileName, const std::string& doc) {
  std::string text;
  if (doc.find("<?xml") == std::string::npos) {
    text.reserve(XMLHeader.size() + 4 + doc.size() + 2);
    text.append(XMLHeader);
    text += "\r\n\r\n";
    text += doc;
  } else {
    text.reserve(doc.size() + 2);
    text = doc;
  }
  // Every line ends in CR LF; a document already ending in one gets no
  // further empty line.
  if (!text.empty() && !(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0))
    text += "\r\n";
  return SaveBytesAtomically(fileName, text);
}
