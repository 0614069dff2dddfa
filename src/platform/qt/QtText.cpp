#include "platform/qt/QtText.h"

#include "platform/core/TextCodec.h"

namespace tavrel {

QString toQString(const std::string& s) {
  QString out;
  out.reserve(static_cast<qsizetype>(s.size()));
  for (std::size_t i = 0; i < s.size();) {
    char32_t u = 0;
    std::size_t length = 0;
    if (ForeignReferenceAt(s, i, u, length)) {
      // The reference fromQString made of a character the code page lacks:
      // shown as that character, so that storing it again gives the same text.
      if (u > 0xFFFF) {
        out += QChar(QChar::highSurrogate(u));
        out += QChar(QChar::lowSurrogate(u));
      } else {
        out += QChar(static_cast<char16_t>(u));
      }
      i += length;
      continue;
    }
    out += QChar(static_cast<char16_t>(Win1252ToUnicode(static_cast<unsigned char>(s[i]))));
    ++i;
  }
  return out;
}

std::string fromQString(const QString& s) {
  std::string out;
  out.reserve(static_cast<size_t>(s.size()));
  for (qsizetype i = 0; i < s.size(); ++i) {
    char32_t u = s.at(i).unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
      u = QChar::surrogateToUcs4(static_cast<char16_t>(u), s.at(i + 1).unicode());
      ++i;
    }
    AppendWin1252(out, u);
  }
  return out;
}

QString toQStringLines(const std::string& s) { return toQString(CrLfToLf(s)); }

std::string fromQStringLines(const QString& s) { return LfToCrLf(fromQString(s)); }

std::string pathFromQString(const QString& s) { return Utf8PathToWin1252(s.toStdString()); }

QString pathToQString(const std::string& s) { return QString::fromStdString(Win1252PathToUtf8(s)); }

}  // namespace tavrel
