#include "platform/core/TextCodec.h"

#include <algorithm>
#include <iterator>

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

// The length of the valid UTF-8 sequence at s[i], with its code point in u;
// 0 when the bytes there are none (a stray or missing continuation byte, an
// overlong form, a surrogate, a value beyond Unicode, or the text's end).
size_t Utf8SequenceAt(const std::string& s, size_t i, char32_t& u) {
  const size_t n = s.size();
  const auto b = static_cast<unsigned char>(s[i]);
  size_t len = 0;
  if (b < 0x80) {
    u = b;
    return 1;
  } else if ((b & 0xE0) == 0xC0) {
    len = 2;
    u = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    len = 3;
    u = b & 0x0F;
  } else if ((b & 0xF8) == 0xF0) {
    len = 4;
    u = b & 0x07;
  } else {
    return 0;
  }
  if (i + len > n) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto cb = static_cast<unsigned char>(s[i + k]);
    if ((cb & 0xC0) != 0x80) return 0;
    u = (u << 6) | (cb & 0x3F);
  }
  if ((len == 2 && u < 0x80) || (len == 3 && u < 0x800) || (len == 4 && u < 0x10000) ||
      (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF)
    return 0;
  return len;
}

// Unicode's simple upper-case mapping (UnicodeData.txt, Unicode 14) from
// U+0100 on, as runs: the code points first, first + step, ... up to last
// each add delta.  Sorted; no two runs share a code point.
struct CaseRun {
  char32_t first;
  char32_t last;
  int step;
  int delta;
};
constexpr CaseRun kUpperRuns[] = {
    {0x101, 0x12F, 2, -1}, {0x131, 0x131, 1, -232}, {0x133, 0x137, 2, -1}, {0x13A, 0x148, 2, -1},
    {0x14B, 0x177, 2, -1}, {0x17A, 0x17E, 2, -1}, {0x17F, 0x17F, 1, -300}, {0x180, 0x180, 1, 195},
    {0x183, 0x185, 2, -1}, {0x188, 0x188, 1, -1}, {0x18C, 0x18C, 1, -1}, {0x192, 0x192, 1, -1},
    {0x195, 0x195, 1, 97}, {0x199, 0x199, 1, -1}, {0x19A, 0x19A, 1, 163}, {0x19E, 0x19E, 1, 130},
    {0x1A1, 0x1A5, 2, -1}, {0x1A8, 0x1A8, 1, -1}, {0x1AD, 0x1AD, 1, -1}, {0x1B0, 0x1B0, 1, -1},
    {0x1B4, 0x1B6, 2, -1}, {0x1B9, 0x1B9, 1, -1}, {0x1BD, 0x1BD, 1, -1}, {0x1BF, 0x1BF, 1, 56},
    {0x1C5, 0x1C5, 1, -1}, {0x1C6, 0x1C6, 1, -2}, {0x1C8, 0x1C8, 1, -1}, {0x1C9, 0x1C9, 1, -2},
    {0x1CB, 0x1CB, 1, -1}, {0x1CC, 0x1CC, 1, -2}, {0x1CE, 0x1DC, 2, -1}, {0x1DD, 0x1DD, 1, -79},
    {0x1DF, 0x1EF, 2, -1}, {0x1F2, 0x1F2, 1, -1}, {0x1F3, 0x1F3, 1, -2}, {0x1F5, 0x1F5, 1, -1},
    {0x1F9, 0x21F, 2, -1}, {0x223, 0x233, 2, -1}, {0x23C, 0x23C, 1, -1}, {0x23F, 0x240, 1, 10815},
    {0x242, 0x242, 1, -1}, {0x247, 0x24F, 2, -1}, {0x250, 0x250, 1, 10783},
    {0x251, 0x251, 1, 10780}, {0x252, 0x252, 1, 10782}, {0x253, 0x253, 1, -210},
    {0x254, 0x254, 1, -206}, {0x256, 0x257, 1, -205}, {0x259, 0x259, 1, -202},
    {0x25B, 0x25B, 1, -203}, {0x25C, 0x25C, 1, 42319}, {0x260, 0x260, 1, -205},
    {0x261, 0x261, 1, 42315}, {0x263, 0x263, 1, -207}, {0x265, 0x265, 1, 42280},
    {0x266, 0x266, 1, 42308}, {0x268, 0x268, 1, -209}, {0x269, 0x269, 1, -211},
    {0x26A, 0x26A, 1, 42308}, {0x26B, 0x26B, 1, 10743}, {0x26C, 0x26C, 1, 42305},
    {0x26F, 0x26F, 1, -211}, {0x271, 0x271, 1, 10749}, {0x272, 0x272, 1, -213},
    {0x275, 0x275, 1, -214}, {0x27D, 0x27D, 1, 10727}, {0x280, 0x280, 1, -218},
    {0x282, 0x282, 1, 42307}, {0x283, 0x283, 1, -218}, {0x287, 0x287, 1, 42282},
    {0x288, 0x288, 1, -218}, {0x289, 0x289, 1, -69}, {0x28A, 0x28B, 1, -217},
    {0x28C, 0x28C, 1, -71}, {0x292, 0x292, 1, -219}, {0x29D, 0x29D, 1, 42261},
    {0x29E, 0x29E, 1, 42258}, {0x345, 0x345, 1, 84}, {0x371, 0x373, 2, -1}, {0x377, 0x377, 1, -1},
    {0x37B, 0x37D, 1, 130}, {0x3AC, 0x3AC, 1, -38}, {0x3AD, 0x3AF, 1, -37}, {0x3B1, 0x3C1, 1, -32},
    {0x3C2, 0x3C2, 1, -31}, {0x3C3, 0x3CB, 1, -32}, {0x3CC, 0x3CC, 1, -64}, {0x3CD, 0x3CE, 1, -63},
    {0x3D0, 0x3D0, 1, -62}, {0x3D1, 0x3D1, 1, -57}, {0x3D5, 0x3D5, 1, -47}, {0x3D6, 0x3D6, 1, -54},
    {0x3D7, 0x3D7, 1, -8}, {0x3D9, 0x3EF, 2, -1}, {0x3F0, 0x3F0, 1, -86}, {0x3F1, 0x3F1, 1, -80},
    {0x3F2, 0x3F2, 1, 7}, {0x3F3, 0x3F3, 1, -116}, {0x3F5, 0x3F5, 1, -96}, {0x3F8, 0x3F8, 1, -1},
    {0x3FB, 0x3FB, 1, -1}, {0x430, 0x44F, 1, -32}, {0x450, 0x45F, 1, -80}, {0x461, 0x481, 2, -1},
    {0x48B, 0x4BF, 2, -1}, {0x4C2, 0x4CE, 2, -1}, {0x4CF, 0x4CF, 1, -15}, {0x4D1, 0x52F, 2, -1},
    {0x561, 0x586, 1, -48}, {0x10D0, 0x10FA, 1, 3008}, {0x10FD, 0x10FF, 1, 3008},
    {0x13F8, 0x13FD, 1, -8}, {0x1C80, 0x1C80, 1, -6254}, {0x1C81, 0x1C81, 1, -6253},
    {0x1C82, 0x1C82, 1, -6244}, {0x1C83, 0x1C84, 1, -6242}, {0x1C85, 0x1C85, 1, -6243},
    {0x1C86, 0x1C86, 1, -6236}, {0x1C87, 0x1C87, 1, -6181}, {0x1C88, 0x1C88, 1, 35266},
    {0x1D79, 0x1D79, 1, 35332}, {0x1D7D, 0x1D7D, 1, 3814}, {0x1D8E, 0x1D8E, 1, 35384},
    {0x1E01, 0x1E95, 2, -1}, {0x1E9B, 0x1E9B, 1, -59}, {0x1EA1, 0x1EFF, 2, -1},
    {0x1F00, 0x1F07, 1, 8}, {0x1F10, 0x1F15, 1, 8}, {0x1F20, 0x1F27, 1, 8}, {0x1F30, 0x1F37, 1, 8},
    {0x1F40, 0x1F45, 1, 8}, {0x1F51, 0x1F57, 2, 8}, {0x1F60, 0x1F67, 1, 8}, {0x1F70, 0x1F71, 1, 74},
    {0x1F72, 0x1F75, 1, 86}, {0x1F76, 0x1F77, 1, 100}, {0x1F78, 0x1F79, 1, 128},
    {0x1F7A, 0x1F7B, 1, 112}, {0x1F7C, 0x1F7D, 1, 126}, {0x1FB0, 0x1FB1, 1, 8},
    {0x1FBE, 0x1FBE, 1, -7205}, {0x1FD0, 0x1FD1, 1, 8}, {0x1FE0, 0x1FE1, 1, 8},
    {0x1FE5, 0x1FE5, 1, 7}, {0x214E, 0x214E, 1, -28}, {0x2170, 0x217F, 1, -16},
    {0x2184, 0x2184, 1, -1}, {0x24D0, 0x24E9, 1, -26}, {0x2C30, 0x2C5F, 1, -48},
    {0x2C61, 0x2C61, 1, -1}, {0x2C65, 0x2C65, 1, -10795}, {0x2C66, 0x2C66, 1, -10792},
    {0x2C68, 0x2C6C, 2, -1}, {0x2C73, 0x2C73, 1, -1}, {0x2C76, 0x2C76, 1, -1},
    {0x2C81, 0x2CE3, 2, -1}, {0x2CEC, 0x2CEE, 2, -1}, {0x2CF3, 0x2CF3, 1, -1},
    {0x2D00, 0x2D25, 1, -7264}, {0x2D27, 0x2D27, 1, -7264}, {0x2D2D, 0x2D2D, 1, -7264},
    {0xA641, 0xA66D, 2, -1}, {0xA681, 0xA69B, 2, -1}, {0xA723, 0xA72F, 2, -1},
    {0xA733, 0xA76F, 2, -1}, {0xA77A, 0xA77C, 2, -1}, {0xA77F, 0xA787, 2, -1},
    {0xA78C, 0xA78C, 1, -1}, {0xA791, 0xA793, 2, -1}, {0xA794, 0xA794, 1, 48},
    {0xA797, 0xA7A9, 2, -1}, {0xA7B5, 0xA7C3, 2, -1}, {0xA7C8, 0xA7CA, 2, -1},
    {0xA7D1, 0xA7D1, 1, -1}, {0xA7D7, 0xA7D9, 2, -1}, {0xA7F6, 0xA7F6, 1, -1},
    {0xAB53, 0xAB53, 1, -928}, {0xAB70, 0xABBF, 1, -38864}, {0xFF41, 0xFF5A, 1, -32},
    {0x10428, 0x1044F, 1, -40}, {0x104D8, 0x104FB, 1, -40}, {0x10597, 0x105A1, 1, -39},
    {0x105A3, 0x105B1, 1, -39}, {0x105B3, 0x105B9, 1, -39}, {0x105BB, 0x105BC, 1, -39},
    {0x10CC0, 0x10CF2, 1, -64}, {0x118C0, 0x118DF, 1, -32}, {0x16E60, 0x16E7F, 1, -32},
    {0x1E922, 0x1E943, 1, -34},

};

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

bool ForeignReferenceAt(const std::string& s, std::size_t i, char32_t& u, std::size_t& length) {
  const std::size_t n = s.size();
  if (i + 3 >= n || s[i] != '&' || s[i + 1] != '#' || s[i + 2] < '1' || s[i + 2] > '9')
    return false;
  char32_t v = 0;
  std::size_t j = i + 2;
  while (j < n && j < i + 10 && s[j] >= '0' && s[j] <= '9')
    v = v * 10 + static_cast<char32_t>(s[j++] - '0');
  if (j >= n || s[j] != ';' || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF) ||
      UnicodeToWin1252(v) >= 0)
    return false;
  u = v;
  length = j + 1 - i;
  return true;
}

char32_t UnicodeUpperCase(char32_t u) {
  if (u < 0x100) {
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) return u - 0x20;
    if (u == 0xFF) return 0x178;
    if (u == 0xB5) return 0x39C;
    return u;
  }
  const CaseRun* end = std::end(kUpperRuns);
  const CaseRun* run =
      std::upper_bound(std::begin(kUpperRuns), end, u, [](char32_t v, const CaseRun& r) { return v < r.first; });
  if (run == std::begin(kUpperRuns)) return u;
  --run;
  if (u > run->last || (u - run->first) % static_cast<char32_t>(run->step) != 0) return u;
  return static_cast<char32_t>(static_cast<int>(u) + run->delta);
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
    if (path[i] == '&' && i + 2 < n && path[i + 1] == '#' && path[i + 2] >= '1' && path[i + 2] <= '9') {
      size_t j = i + 2;
      char32_t u = 0;
      while (j < n && j < i + 10 && path[j] >= '0' && path[j] <= '9') {
        u = u * 10 + static_cast<char32_t>(path[j] - '0');
        ++j;
      }
      if (j < n && path[j] == ';') {
        if (u == '&') {
          out += '&';
          i = j + 1;
          continue;
        }
        if (u >= 0xDC80 && u <= 0xDCFF) {  // a byte that was no UTF-8
          out += static_cast<char>(u - 0xDC00);
          i = j + 1;
          continue;
        }
        if (u <= 0x10FFFF && !(u >= 0xD800 && u <= 0xDFFF) && UnicodeToWin1252(u) < 0) {
          appendUtf8(out, u);
          i = j + 1;
          continue;
        }
      }
    }
    appendUtf8(out, Win1252ToUnicode(static_cast<unsigned char>(path[i])));
    ++i;
  }
  return out;
}

std::string ShownPath(const std::string& path) {
  const std::string real = Win1252PathToUtf8(path);
  std::string out;
  out.reserve(real.size() + real.size() / 8);
  const size_t n = real.size();
  size_t i = 0;
  while (i < n) {
    char32_t u = 0;
    size_t len = 0;
    if (ForeignReferenceAt(real, i, u, len)) {
      // The name holds the reference's characters, not its letter.
      out += '&';
      AppendWin1252(out, 0x2060);  // word joiner
      ++i;
      continue;
    }
    len = Utf8SequenceAt(real, i, u);
    if (len == 0) {
      AppendWin1252(out, 0xFFFD);
      ++i;
      continue;
    }
    AppendWin1252(out, u);
    i += len;
  }
  return out;
}

namespace {

// UTF-8 to the suite's Windows-1252 text.  As a path, every name comes back
// exactly: a byte that is no UTF-8 is held as a reference of its own, and a
// "&#" the name holds as "&#38;#"; as text, such a byte is kept as it is.
std::string Utf8ToHeld(const std::string& s, bool path) {
  std::string out;
  out.reserve(s.size());
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    char32_t u = 0;
    const size_t len = Utf8SequenceAt(s, i, u);
    if (len == 0) {
      if (path) {
        out += "&#";
        out += std::to_string(0xDC00ul + static_cast<unsigned char>(s[i]));
        out += ';';
      } else {
        out += s[i];
      }
      ++i;
      continue;
    }
    if (path && u == '&' && i + 1 < n && s[i + 1] == '#')
      out += "&#38;";
    else
      AppendWin1252(out, u);
    i += len;
  }
  return out;
}

}  // namespace

std::string Utf8PathToWin1252(const std::string& native) { return Utf8ToHeld(native, true); }

std::string Utf8ToWin1252(const std::string& s) { return Utf8ToHeld(s, false); }

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
