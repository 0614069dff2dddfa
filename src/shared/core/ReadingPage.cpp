#include "shared/core/ReadingPage.h"

#include "shared/core/StringFunctions.h"
#include "shared/core/WebExport.h"
#include "shared/core/XMLRoutines.h"

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
  t = XMLReplaceAll("[strPlainReadingTitle]", ShownText(in.title, false), t);
  t = XMLReplaceAll("[strReadingTitle]", MarkupText(in.title, TextPlace::Heading), t);
  t = XMLReplaceAll("[strGraphicURL]", AttributeValue(in.graphicURL), t);
  t = XMLReplaceAll("[strPageBGColor]", AttributeValue(in.pageBGColor), t);
  t = XMLReplaceAll("[strTitleColor]", AttributeValue(in.titleColor), t);
  t = XMLReplaceAll("[strTextColor]", AttributeValue(in.textColor), t);
  t = XMLReplaceAll("[strExBGColor]", AttributeValue(in.exBGColor), t);
  t = XMLReplaceAll("[strReadingText]", MarkupText(in.text, TextPlace::Block), t);
  // A reading without a title is titled by this word and shows no heading.
  return FinishPage(t, in.title, "Reading");
}

bool IsWebAddress(const std::string& s) {
  const std::string u = UpperCaseAscii(s.substr(0, 8));
  return u.rfind("HTTP://", 0) == 0 || u.rfind("HTTPS://", 0) == 0;
}
