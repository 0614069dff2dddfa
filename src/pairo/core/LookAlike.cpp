#include "pairo/core/LookAlike.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/core/TextCodec.h"
#include "shared/core/StringFunctions.h"

namespace pairo {

namespace {

struct Decomposition {
  char32_t code;
  char32_t first;
  char32_t second;
  int composes;
};
struct CombiningRange {
  char32_t first;
  char32_t last;
  int combiningClass;
};
#include "pairo/core/UnicodeCompose.inc"

// Hangul syllables decompose and compose by rule.
constexpr char32_t kSBase = 0xAC00, kLBase = 0x1100, kVBase = 0x1161, kTBase = 0x11A7;
constexpr char32_t kLCount = 19, kVCount = 21, kTCount = 28, kNCount = kVCount * kTCount,
                   kSCount = kLCount * kNCount;

int CombiningClass(char32_t c) {
  if (c < 0x300) return 0;
  const auto end = std::end(kCombiningClasses);
  const auto it = std::upper_bound(std::begin(kCombiningClasses), end, c,
                                   [](char32_t v, const CombiningRange& r) { return v < r.first; });
  if (it == std::begin(kCombiningClasses)) return 0;
  const CombiningRange& r = *(it - 1);
  return c <= r.last ? r.combiningClass : 0;
}

const Decomposition* DecompositionOf(char32_t c) {
  const auto end = std::end(kDecompositions);
  const auto it = std::lower_bound(std::begin(kDecompositions), end, c,
                                   [](const Decomposition& d, char32_t v) { return d.code < v; });
  return it != end && it->code == c ? &*it : nullptr;
}

void Decompose(char32_t c, std::u32string& out) {
  if (c >= kSBase && c < kSBase + kSCount) {
    const char32_t s = c - kSBase;
    out += kLBase + s / kNCount;
    out += kVBase + (s % kNCount) / kTCount;
    if (s % kTCount) out += kTBase + s % kTCount;
    return;
  }
  const Decomposition* d = c < 0xC0 ? nullptr : DecompositionOf(c);
  if (!d) {
    out += c;
    return;
  }
  Decompose(d->first, out);  // at most a few levels deep
  if (d->second) Decompose(d->second, out);
}

// The primary composite of a pair, or 0.
char32_t Composed(char32_t a, char32_t b) {
  if (a >= kLBase && a < kLBase + kLCount && b >= kVBase && b < kVBase + kVCount)
    return kSBase + ((a - kLBase) * kVCount + (b - kVBase)) * kTCount;
  if (a >= kSBase && a < kSBase + kSCount && (a - kSBase) % kTCount == 0 && b > kTBase &&
      b < kTBase + kTCount)
    return a + (b - kTBase);
  static const std::unordered_map<std::uint64_t, char32_t> pairs = [] {
    std::unordered_map<std::uint64_t, char32_t> m;
    for (const Decomposition& d : kDecompositions)
      if (d.composes) m.emplace((std::uint64_t{d.first} << 32) | d.second, d.code);
    return m;
  }();
  const auto it = pairs.find((std::uint64_t{a} << 32) | b);
  return it == pairs.end() ? 0 : it->second;
}

// Canonical decomposition, canonical order, canonical composition.
std::u32string Nfc(const std::u32string& s) {
  std::u32string d;
  d.reserve(s.size());
  for (char32_t c : s) Decompose(c, d);
  // Each run of combining marks in the order of their classes (stable).
  for (size_t i = 0; i < d.size();) {
    if (CombiningClass(d[i]) == 0) {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < d.size() && CombiningClass(d[j]) != 0) ++j;
    std::stable_sort(d.begin() + static_cast<std::ptrdiff_t>(i), d.begin() + static_cast<std::ptrdiff_t>(j),
                     [](char32_t a, char32_t b) { return CombiningClass(a) < CombiningClass(b); });
    i = j;
  }
  if (d.empty()) return d;
  size_t starter = 0;
  int lastClass = CombiningClass(d[0]) ? 256 : 0;
  size_t kept = 1;
  for (size_t i = 1; i < d.size(); ++i) {
    const char32_t c = d[i];
    const int cls = CombiningClass(c);
    const char32_t composite = Composed(d[starter], c);
    if (composite && (lastClass < cls || lastClass == 0)) {
      d[starter] = composite;
      continue;
    }
    if (cls == 0) starter = kept;
    lastClass = cls;
    d[kept++] = c;
  }
  d.resize(kept);
  return d;
}

bool ShowsAsBlank(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}
bool ShowsNothing(char32_t c) { return c == 0xAD || c == 0x200B || c == 0x2060 || c == 0xFEFF; }

// A character reference at s[i] ("&#233;", "&#xE9;", or one of the names
// the shown text writes); its code point and length.
bool ReferenceAt(const std::string& s, size_t i, char32_t& u, size_t& length) {
  const size_t semi = s.find(';', i);
  if (semi == std::string::npos || semi - i > 10) return false;
  const std::string body = s.substr(i + 1, semi - i - 1);
  length = semi - i + 1;
  if (body.size() >= 2 && body[0] == '#') {
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string digits = body.substr(hex ? 2 : 1);
    if (digits.empty()) return false;
    unsigned long v = 0;
    for (char ch : digits) {
      int n;
      if (ch >= '0' && ch <= '9') n = ch - '0';
      else if (hex && ch >= 'a' && ch <= 'f') n = ch - 'a' + 10;
      else if (hex && ch >= 'A' && ch <= 'F') n = ch - 'A' + 10;
      else return false;
      v = v * (hex ? 16 : 10) + static_cast<unsigned long>(n);
    }
    if (v == 0 || v > 0x10FFFF) return false;
    u = static_cast<char32_t>(v);
    return true;
  }
  static const std::unordered_map<std::string, char32_t> names = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
  const auto it = names.find(body);
  if (it == names.end()) return false;
  u = it->second;
  return true;
}

}  // namespace

std::u32string LookAlikeKey(const std::string& shown, bool ignoreCase) {
  std::u32string chars;
  chars.reserve(shown.size());
  bool blank = false;
  for (size_t i = 0; i < shown.size();) {
    char32_t c;
    size_t length = 1;
    if (shown[i] != '&' || !ReferenceAt(shown, i, c, length)) {
      c = tavrel::Win1252ToUnicode(static_cast<unsigned char>(shown[i]));
      length = 1;
    }
    i += length;
    if (ShowsNothing(c)) continue;
    if (ShowsAsBlank(c)) {
      blank = true;
      continue;
    }
    if (blank && !chars.empty()) chars += U' ';
    blank = false;
    chars += c;
  }
  std::u32string key = Nfc(chars);
  if (ignoreCase) {
    for (char32_t& c : key) {
      const int b = tavrel::UnicodeToWin1252(c);
      if (b >= 0)
        c = tavrel::Win1252ToUnicode(static_cast<unsigned char>(LowerCase1252(static_cast<char>(b))));
    }
  }
  return key;
}

}  // namespace pairo
