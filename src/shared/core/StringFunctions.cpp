#include "shared/core/StringFunctions.h"

#include <climits>
#include <cstdint>

namespace {

constexpr char CR = '\r';
constexpr const char* CRLF = "\r\n";

// HTML texts of the characters 128..255.  The euro sign has no named entity
// in HTML 4, so it goes out as its Unicode reference; 129 is undefined in
// Windows-1252 and has no text.
constexpr const char* kEntityTable[128] = {
    "&#8364;", "", "&#130;", "&#131;", "&#132;", "&#133;", "&#134;", "&#135;",  // 128
    "&#136;", "&#137;", "&#138;", "&#139;", "&#140;", "&#141;", "&#142;", "&#143;",  // 136
    "&#144;", "&#145;", "&#146;", "&#147;", "&#148;", "&#149;", "&#150;", "&#151;",  // 144
    "&#152;", "&trade;", "&#154;", "&#155;", "&#156;", "&#157;", "&#158;", "&#159;",  // 152
    "&#160;", "&#161;", "&#162;", "&#163;", "&#164;", "&#165;", "&#166;", "&#167;",  // 160
    "&#168;", "&copy;", "&#170;", "&#171;", "&#172;", "&#173;", "&reg;", "&#175;",  // 168
    "&#176;", "&#177;", "&#178;", "&#179;", "&#180;", "&#181;", "&#182;", "&#183;",  // 176
    "&#184;", "&#185;", "&#186;", "&#187;", "&#188;", "&#189;", "&#190;", "&#191;",  // 184
    "&Agrave;", "&Aacute;", "&Acirc;", "&Atilde;", "&Auml;", "&Aring;", "&AElig;", "&Ccedil;",  // 192
    "&Egrave;", "&Eacute;", "&Ecirc;", "&Euml;", "&Igrave;", "&Iacute;", "&Icirc;", "&Iuml;",  // 200
    "&ETH;", "&Ntilde;", "&Ograve;", "&Oacute;", "&Ocirc;", "&Otilde;", "&Ouml;", "&#215;",  // 208
    "&Oslash;", "&Ugrave;", "&Uacute;", "&Ucirc;", "&Uuml;", "&Yacute;", "&THORN;", "&szlig;",  // 216
    "&agrave;", "&aacute;", "&acirc;", "&atilde;", "&auml;", "&aring;", "&aelig;", "&ccedil;",  // 224
    "&egrave;", "&eacute;", "&ecirc;", "&euml;", "&igrave;", "&iacute;", "&icirc;", "&iuml;",  // 232
    "&eth;", "&ntilde;", "&ograve;", "&oacute;", "&ocirc;", "&otilde;", "&ouml;", "&#247;",  // 240
    "&oslash;", "&ugrave;", "&uacute;", "&ucirc;", "&uuml;", "&yacute;", "&thorn;", "&yuml;",  // 248
};

// URL escapes of the characters 128..255 in the Windows character set.
constexpr const char* kPercentTable[128] = {
    "%80", "%81", "%82", "%83", "%84", "%85", "%86", "%87",  // 128
    "%88", "%89", "%8A", "%8B", "%8C", "%8D", "%8E", "%8F",  // 136
    "%90", "%91", "%92", "%93", "%94", "%95", "%96", "%97",  // 144
    "%98", "%99", "%9A", "%9B", "%9C", "%9D", "%9E", "%9F",  // 152
    "%A0", "%A1", "%A2", "%A3", "%A4", "%A5", "%A6", "%A7",  // 160
    "%A8", "%A9", "%AA", "%AB", "%AC", "%AD", "%AE", "%AF",  // 168
    "%B0", "%B1", "%B2", "%B3", "%B4", "%B5", "%B6", "%B7",  // 176
    "%B8", "%B9", "%BA", "%BB", "%BC", "%BD", "%BE", "%BF",  // 184
    "%C0", "%C1", "%C2", "%C3", "%C4", "%C5", "%C6", "%C7",  // 192
    "%C8", "%C9", "%CA", "%CB", "%CC", "%CD", "%CE", "%CF",  // 200
    "%D0", "%D1", "%D2", "%D3", "%D4", "%D5", "%D6", "%D7",  // 208
    "%D8", "%D9", "%DA", "%DB", "%DC", "%DD", "%DE", "%DF",  // 216
    "%E0", "%E1", "%E2", "%E3", "%E4", "%E5", "%E6", "%E7",  // 224
    "%E8", "%E9", "%EA", "%EB", "%EC", "%ED", "%EE", "%EF",  // 232
    "%F0", "%F1", "%F2", "%F3", "%F4", "%F5", "%F6", "%F7",  // 240
    "%F8", "%F9", "%FA", "%FB", "%FC", "%FD", "%FE", "%FF",  // 248
};

// URL escapes of the characters 128..255 for Macintosh browsers: the Mac OS
// Roman byte of the same character.  Characters Mac OS Roman lacks go out as
// %DB, the soft hyphen as an en dash (%D0); the no-break space and the degree
// sign follow the pages' long-standing %DB and %BC.
constexpr const char* kMacTable[128] = {
    "%DB", "%DB", "%E2", "%C4", "%E3", "%C9", "%A0", "%E0",  // 128
    "%F6", "%E4", "%DB", "%DC", "%CE", "%DB", "%DB", "%DB",  // 136
    "%DB", "%D4", "%D5", "%D2", "%D3", "%A5", "%D0", "%D1",  // 144
    "%F7", "%AA", "%DB", "%DD", "%CF", "%DB", "%DB", "%D9",  // 152
    "%DB", "%C1", "%A2", "%A3", "%DB", "%B4", "%DB", "%A4",  // 160
    "%AC", "%A9", "%BB", "%C7", "%C2", "%D0", "%A8", "%F8",  // 168
    "%BC", "%B1", "%DB", "%DB", "%AB", "%B5", "%A6", "%E1",  // 176
    "%FC", "%DB", "%BC", "%C8", "%DB", "%DB", "%DB", "%C0",  // 184
    "%CB", "%E7", "%E5", "%CC", "%80", "%81", "%AE", "%82",  // 192
    "%E9", "%83", "%E6", "%E8", "%ED", "%EA", "%EB", "%EC",  // 200
    "%DB", "%84", "%F1", "%EE", "%EF", "%CD", "%85", "%DB",  // 208
    "%AF", "%F4", "%F2", "%F3", "%86", "%DB", "%DB", "%A7",  // 216
    "%88", "%87", "%89", "%8B", "%8A", "%8C", "%BE", "%8D",  // 224
    "%8F", "%8E", "%90", "%91", "%93", "%92", "%94", "%95",  // 232
    "%DB", "%96", "%98", "%97", "%99", "%9B", "%9A", "%D6",  // 240
    "%BF", "%9D", "%9C", "%9E", "%9F", "%DB", "%DB", "%D8",  // 248
};

std::string TableText(const char* const (&table)[128], int code) {
  if (code < 128 || code > 255) return {};
  return table[code - 128];
}

// Windows-1252 case pairs: 192-214/216-222 with 224-246/248-254, and the
// four pairs in the 128-159 block.
int UpperForm(int c) {
  if ((c >= 224 && c <= 246) || (c >= 248 && c <= 254)) return c - 32;
  switch (c) {
    case 154: return 138;
    case 156: return 140;
    case 158: return 142;
    case 255: return 159;
    default: return c;
  }
}

int LowerForm(int c) {
  if ((c >= 192 && c <= 214) || (c >= 216 && c <= 222)) return c + 32;
  switch (c) {
    case 138: return 154;
    case 140: return 156;
    case 142: return 158;
    case 159: return 255;
    default: return c;
  }
}

std::string HighCharsThrough(const char* const (&table)[128], const std::string& s,
                             bool escapePercent) {
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  for (unsigned char c : s) {
    if (c > 127)
      out += table[c - 128];
    else if (escapePercent && c == '%')
      out += "%25";
    else
      out += static_cast<char>(c);
  }
  return out;
}

bool IsTrimmed(unsigned char c) { return c <= 32; }

// Searches a text that is held as a finished prefix plus the unread part of
// a source string, without joining the two.  The section remover works on it
// so that it touches every character a bounded number of times.
class SplitText {
 public:
  explicit SplitText(const std::string& source) : in_(&source) {}

  size_t DoneSize() const { return out_.size(); }

  // First occurrence of pat (searched in slot 0 or 1, each with its own
  // remembered result) at or after the position from.  Callers never start
  // more than a marker's length before the end of the finished part, so the
  // character-wise check across the seam stays short.
  size_t Find(int slot, const std::string& pat, size_t from) {
    const size_t done = out_.size();
    for (size_t st = from; st < done; ++st)
      if (MatchesAt(pat, st)) return st;
    const size_t x = pos_ + (from > done ? from - done : 0);
    Cache& c = cache_[slot];
    if (!(c.valid && x >= c.from && (c.hit == std::string::npos || c.hit >= x))) {
      c.valid = true;
      c.from = x;
      c.hit = in_->find(pat, x);
    }
    return c.hit == std::string::npos ? std::string::npos : done + (c.hit - pos_);
  }

  // Drops the range [p, e).
  void Remove(size_t p, size_t e) {
    const size_t done = out_.size();
    if (e <= done) {
      // The range ends inside the finished part (only possible with odd tags):
      // go on from a joined copy of what follows.
      std::string rest = out_.substr(e);
      rest.append(*in_, pos_, std::string::npos);
      owned_ = std::move(rest);
      in_ = &owned_;
      pos_ = 0;
      out_.resize(p);
      cache_[0].valid = cache_[1].valid = false;
      return;
    }
    const size_t ePos = pos_ + (e - done);
    if (p <= done)
      out_.resize(p);
    else
      out_.append(*in_, pos_, p - done);
    pos_ = ePos;
  }

  std::string Finish() {
    out_.append(*in_, pos_, std::string::npos);
    return std::move(out_);
  }

 private:
  struct Cache {
    bool valid = false;
    size_t from = 0;
    size_t hit = std::string::npos;
  };

  bool MatchesAt(const std::string& pat, size_t st) const {
    const size_t done = out_.size();
    for (size_t j = 0; j < pat.size(); ++j) {
      const size_t v = st + j;
      char ch;
      if (v < done) {
        ch = out_[v];
      } else {
        const size_t i = pos_ + (v - done);
        if (i >= in_->size()) return false;
        ch = (*in_)[i];
      }
      if (ch != pat[j]) return false;
    }
    return true;
  }

  std::string out_;
  std::string owned_;
  const std::string* in_;
  size_t pos_ = 0;
  Cache cache_[2];
};

}  // namespace

std::string EntityTableText(int code) { return TableText(kEntityTable, code); }
std::string PercentTableText(int code) { return TableText(kPercentTable, code); }
std::string MacTableText(int code) { return TableText(kMacTable, code); }

int PosFrom(const std::string& subStr, const std::string& s, int offset) {
  if (subStr.empty() || s.empty() || offset < 1 || static_cast<size_t>(offset) > s.size())
    return 0;
  const size_t p = s.find(subStr, static_cast<size_t>(offset) - 1);
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

std::string HighCharsToEntities(const std::string& s) {
  return HighCharsThrough(kEntityTable, s, false);
}

std::string HighCharsToEscapes(const std::string& s) {
  return HighCharsThrough(kPercentTable, s, true);
}

std::string HighCharsToMacEscapes(const std::string& s) {
  return HighCharsThrough(kMacTable, s, true);
}

std::string MakeCharListScript(const std::string& s) {
  if (s.empty()) return {};
  std::string cl = "CharList = new Array();\r\n";
  std::string el = "EscapeList = new Array();\r\n";
  int n = 0;
  bool seen[256] = {};
  auto pair = [&](int x) {
    const std::string index = std::to_string(n);
    cl += "CharList[" + index + "]='" + PercentTableText(x) + "';" + CRLF;
    el += "EscapeList[" + index + "]='" + EntityTableText(x) + "';" + CRLF;
    ++n;
  };
  for (unsigned char c : s) {
    if (c <= 127 || seen[c]) continue;
    seen[c] = true;
    pair(c);
    if (UpperForm(c) != c) pair(UpperForm(c));
    if (LowerForm(c) != c) pair(LowerForm(c));
  }
  if (n > 0) {
    cl += CRLF;
    cl += "for (var i=0; i<CharList.length; i++){CharList[i] = unescape(CharList[i])}";
  }
  return cl + CRLF + el;
}

std::string TextToHTMLBreaks(const std::string& s) {
  std::string out;
  out.reserve(s.size() + s.size() / 8);
  for (char c : s) {
    if (c == CR)
      out += "<BR>\r";
    else if (c == '\t')
      out += "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
    else
      out += c;
  }
  return out;
}

std::string ReturnsToBR(const std::string& s) { return ReplaceAll(CRLF, "<BR>", s); }

std::string SubCharsToReturns(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\x1A')
      out += CRLF;
    else
      out += c;
  }
  return out;
}

std::string ReplaceAll(const std::string& find, const std::string& replace, const std::string& s,
                       int* count) {
  if (count) *count = 0;
  if (s.empty() || find.empty()) return s;
  size_t p = s.find(find);
  if (p == std::string::npos) return s;
  std::string out;
  out.reserve(replace.size() > find.size() ? s.size() + s.size() / 4 : s.size());
  size_t last = 0;
  int n = 0;
  while (p != std::string::npos) {
    out.append(s, last, p - last);
    out += replace;
    last = p + find.size();
    if (n < INT_MAX) ++n;
    p = s.find(find, last);
  }
  out.append(s, last, std::string::npos);
  if (count) *count = n;
  return out;
}

std::string JSEscapeQuotes(const std::string& s) {
  std::string out;
  out.reserve(s.size() + 8);
  for (char c : s) {
    if (c == '\'' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string QuotesToEntities(const std::string& s) { return ReplaceAll("\"", "&quot;", s); }

bool SplitIntoChunks(int chunkLen, const std::string& s, std::vector<std::string>& list) {
  list.clear();
  if (chunkLen < 1) {
    // No sensible cut: the whole text is one chunk.
    list.push_back(s);
    return true;
  }
  const size_t len = static_cast<size_t>(chunkLen);
  size_t start = 0;
  while (s.size() - start > len) {
    // 0-based index of the chunk's last character; a chunk never ends in a
    // backslash while text follows, so an escape is never cut in two.
    size_t last = start + len - 1;
    while (s[last] == '\\' && last + 1 < s.size()) ++last;
    list.push_back(s.substr(start, last + 1 - start));
    start = last + 1;
  }
  list.push_back(s.substr(start));
  return true;
}

std::string MakeJSStringAssignment(const std::string& varName, const std::string& value) {
  if (value.size() <= 100) return varName + "='" + JSEscapeQuotes(value) + "';";
  std::vector<std::string> chunks;
  SplitIntoChunks(100, value, chunks);
  std::string out = varName + "='" + JSEscapeQuotes(chunks[0]) + "';";
  for (size_t i = 1; i < chunks.size(); ++i)
    out += CRLF + varName + "+='" + JSEscapeQuotes(chunks[i]) + "';";
  return out;
}

std::string ProcessTemplateSection(const std::string& s, const std::string& tag, bool keep) {
  const std::string open = "[" + tag + "]";
  const std::string close = "[/" + tag + "]";
  if (keep) return ReplaceAll(close, "", ReplaceAll(open, "", s));

  // Repeatedly drop the first section (from its open marker through the first
  // close marker after it) or, when no close marker follows, the lone open
  // marker.  A removal can join text into a new marker, so each search starts
  // a marker's length before the seam; the remaining text is searched with
  // cached results, which keeps the whole pass linear.
  SplitText text(s);
  for (;;) {
    const size_t done = text.DoneSize();
    const size_t from = done >= open.size() - 1 ? done - (open.size() - 1) : 0;
    const size_t p = text.Find(0, open, from);
    if (p == std::string::npos) break;
    const size_t q = text.Find(1, close, p);
    text.Remove(p, q == std::string::npos ? p + open.size() : q + close.size());
  }
  return text.Finish();
}

std::string InsertAuthorMetaTag(const std::string& s, const std::string& programName) {
  const size_t p = UpperCaseAscii(s).find("<HEAD>");
  if (p == std::string::npos) return s;
  std::string out = s;
  out.insert(p + 6,
             "<META NAME=\"Author\" CONTENT=\"Created with " + programName + " by Corvane Software.\">");
  return out;
}

std::string TextBetween(const std::string& text, const std::string& startMark,
                        const std::string& endMark) {
  const int p = PosFrom(startMark, text, 1);
  if (p == 0) return {};
  const int q = PosFrom(endMark, text, p);
  if (q == 0) return {};
  const int from = p + static_cast<int>(startMark.size());
  if (q <= from) return {};
  return text.substr(static_cast<size_t>(from) - 1, static_cast<size_t>(q - from));
}

std::string CutMarkedBlock(std::string& text, const std::string& startMark,
                           const std::string& endMark, const std::string& replacement,
                           bool keepMarkers) {
  const int p = PosFrom(startMark, text, 1);
  if (p == 0) return {};
  const int q = PosFrom(endMark, text, p);
  if (q == 0) return {};
  std::string block = text.substr(static_cast<size_t>(p) - 1,
                                  static_cast<size_t>(q - p) + endMark.size());
  text = ReplaceAll(block, replacement, text);
  if (!keepMarkers) block = ReplaceAll(endMark, "", ReplaceAll(startMark, "", block));
  return block;
}

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsTrimmed(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && IsTrimmed(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::string UpperCaseAscii(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string LowerCaseAscii(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

char UpperCase1252(char c) {
  const int u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 'a' + 'A');
  return static_cast<char>(UpperForm(u));
}

char LowerCase1252(char c) {
  const int u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u - 'A' + 'a');
  return static_cast<char>(LowerForm(u));
}

std::string UpperCase1252(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = UpperCase1252(c);
  return out;
}

std::string LowerCase1252(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = LowerCase1252(c);
  return out;
}

bool SameText1252(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperCase1252(a[i]) != UpperCase1252(b[i])) return false;
  return true;
}

bool StrToIntStrict(const std::string& s, int& value) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  if (i == s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > static_cast<int64_t>(INT_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}
