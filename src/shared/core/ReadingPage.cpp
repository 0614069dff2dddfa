#include "shared/core/ReadingPage.h"

#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace {

// Addresses and colours stand inside double-quoted attributes of the
// template; a double quote typed into one must not end the attribute.
std::string AttributeValue(const std::string& s) { return QuotesToEntities(s); }

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
  t = XMLReplaceAll("[strPlainReadingTitle]", StripTags(in.title), t);
  t = XMLReplaceAll("[strReadingTitle]", TextToHTMLBreaks(in.title), t);
  t = XMLReplaceAll("[strGraphicURL]", AttributeValue(in.graphicURL), t);
  t = XMLReplaceAll("[strPageBGColor]", AttributeValue(in.pageBGColor), t);
  t = XMLReplaceAll("[strTitleColor]", AttributeValue(in.titleColor), t);
  t = XMLReplaceAll("[strTextColor]", AttributeValue(in.textColor), t);
  t = XMLReplaceAll("[strExBGColor]", AttributeValue(in.exBGColor), t);
  t = XMLReplaceAll("[strReadingText]", TextToHTMLBreaks(in.text), t);
  t = InsertAuthorMetaTag(t, kAuthorProgramName);
  return HighCharsToEntities(t);
}

bool IsWebAddress(const std::string& s) {
  const std::string u = UpperCaseAscii(s.substr(0, 8));
  return u.rfind("HTTP://", 0) == 0 || u.rfind("HTTPS://", 0) == 0;
}
