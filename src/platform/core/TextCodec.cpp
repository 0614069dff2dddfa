#include "platform/core/TextCodec.h"

namespace tavrel {

namespace {
// 0x80..0x9F of Windows-1252.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

}  // namespace

char32_t Win1252ToUnicode(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return kHigh[c - 0x80];
  return c;
}

int UnicodeToWin1252(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<int>(u);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == u) return 0x80 + i;
  return -1;
}

void AppendWin1252(std::string& out, char32_t u) {
  const int c = UnicodeToWin1252(u);
  if (c >= 0) {
    out += static_cast<char>(c);
  } else {
    out += "&#";
    out += std::to_string(static_cast<unsigned long>(u));
    out += ';';
  }
}

std::string Win1252ToUtf8(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (unsigned char c : s) appendUtf8(out, Win1252ToUnicode(c));
  return out;
}

std::string Win1252PathToUtf8(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  const size_t n = path.size();
  size_t i = 0;
  while (i < n) {
    if (path[i] == '&' && i + 2 < n && path[i + 1] == '#') {
      size_t j = i + 2;
      char32_t u = 0;
      while (j < n && j < i + 10 && path[j] >= '0' && path[j] <= '9') {
        u = u * 10 + static_cast<char32_t>(path[j] - '0');
        ++j;
      }
      if (j > i + 2 && j < n && path[j] == ';' && u <= 0x10FFFF && !(u >= 0xD800 && u <= 0xDFFF) &&
          UnicodeToWin1252(u) < 0) {
        appendUtf8(out, u);
        i = j + 1;
        continue;
      }
    }
    appendUtf8(out, Win1252ToUnicode(static_cast<unsigned char>(path[i])));
    ++i;
  }
  return out;
}

std::string Utf8ToWin1252(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    const auto b = static_cast<unsigned char>(s[i]);
    int len = 0;
    char32_t u = 0;
    if (b < 0x80) {
      len = 1;
      u = b;
    } else if ((b & 0xE0) == 0xC0) {
      len = 2;
      u = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3;
      u = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4;
      u = b & 0x07;
    }
    bool ok = len > 0 && i + static_cast<size_t>(len) <= n;
    for (int k = 1; ok && k < len; ++k) {
      const auto cb = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
      if ((cb & 0xC0) != 0x80) ok = false;
      else u = (u << 6) | (cb & 0x3F);
    }
    // Reject overlong forms, surrogates and values beyond Unicode.
    if (ok && ((len == 2 && u < 0x80) || (len == 3 && u < 0x800) || (len == 4 && u < 0x10000) ||
               (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF))
      ok = false;
    if (!ok) {
      out += static_cast<char>(b);  // not UTF-8: keep the byte as it is
      ++i;
      continue;
    }
    AppendWin1252(out, u);
    i += static_cast<size_t>(len);
  }
  return out;
}

std::string CrLfToLf(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string LfToCrLf(const std::string& s) {
  std::string out;
  out.reserve(s.size() + s.size() / 16);
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n') {
      out += "\r\n";
    } else if (s[i] == '\r') {
      out += "\r\n";
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

}  // namespace tavrel
