#include "shared/core/ReadingPage.h"

#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace {

// Addresses and colours stand inside double-quoted attributes of the
// template; a double quote typed into one must not end the attribute.
// Teacher text in the markup: a bracket shows as typed and is never taken for
// a placeholder by a later replacement.
std::string MarkupText(const std::string& s) { return ReplaceAll("[", "&#91;", s); }

std::string AttributeValue(const std::string& s) { return QuotesToEntities(MarkupText(s)); }

}  // namespace

std::string BuildReadingPage(const std::string& templateText, int browserVersion,
                             const ReadingPageInput& in) {
  std::string t = templateText;
  if (browserVersion == 3) {
    t = ProcessTemplateSection(t, "V4BrowserVersion", false);
    t = ProcessTemplateSection(t, "V3BrowserVersion", true);
  } else if (browserVersion == 4) {
    t = ProcessTemplateSection(t, "V3BrowserVersion", false);
    t = ProcessTemplateSection(t, "V4BrowserVersion", true);
  }
  t = XMLReplaceAll("[strPlainReadingTitle]", MarkupText(StripTags(in.title)), t);
  t = XMLReplaceAll("[strReadingTitle]", MarkupText(TextToHTMLBreaks(in.title)), t);
  t = XMLReplaceAll("[strGraphicURL]", AttributeValue(in.graphicURL), t);
  t = XMLReplaceAll("[strPageBGColor]", AttributeValue(in.pageBGColor), t);
  t = XMLReplaceAll("[strTitleColor]", AttributeValue(in.titleColor), t);
  t = XMLReplaceAll("[strTextColor]", AttributeValue(in.textColor), t);
  t = XMLReplaceAll("[strExBGColor]", AttributeValue(in.exBGColor), t);
  t = XMLReplaceAll("[strReadingText]", MarkupText(TextToHTMLBreaks(in.text)), t);
  t = InsertAuthorMetaTag(t, kAuthorProgramName);
  return HighCharsToEntities(t);
}

bool IsWebAddress(const std::string& s) {
  const std::string u = UpperCaseAscii(s.substr(0, 8));
  return u.rfind("HTTP://", 0) == 0 || u.rfind("HTTPS://", 0) == 0;
}
