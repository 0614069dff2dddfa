// The typed reading put into the reading template.
#include <gtest/gtest.h>

#include "shared/core/ReadingPage.h"

namespace {

const char* const kTemplate =
    "<Head><title>[strPlainReadingTitle]</title></Head>"
    "[V3BrowserVersion]v3[/V3BrowserVersion][V4BrowserVersion]v4[/V4BrowserVersion]"
    "<h1>[strReadingTitle]</h1><body bg=\"[strPageBGColor]\" t=\"[strTitleColor]\" "
    "x=\"[strTextColor]\" e=\"[strExBGColor]\" g=\"[strGraphicURL]\">[strReadingText]";

ReadingPageInput Reading() {
  ReadingPageInput in;
  in.title = "Caf\xE9 <i>society</i>\r\nPart 2";
  in.text = "Line\r\n\tIndented & <b>bold</b> \xFC";
  in.graphicURL = "bg \"1\".gif";
  in.pageBGColor = "#FFFFFF";
  in.titleColor = "navy";
  in.textColor = "#000";
  in.exBGColor = "#EEE";
  return in;
}

}  // namespace

TEST(ReadingPage, FramesVersionFillsEveryPlaceholder) {
  const std::string page = BuildReadingPage(kTemplate, 3, Reading());
  EXPECT_EQ(page,
            "<Head><META NAME=\"Author\" CONTENT=\"Created with Tavrel by Corvane Software.\">"
            "<title>Caf&eacute; society Part 2</title></Head>v3"
            "<h1>Caf&eacute; <i>society</i><BR>\r\nPart 2</h1>"
            "<body bg=\"#FFFFFF\" t=\"navy\" x=\"#000\" e=\"#EEE\" g=\"bg &quot;1&quot;.gif\">"
            "Line<BR>\r\n&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Indented &amp; <b>bold</b> &uuml;");
}

TEST(ReadingPage, BrowserVersionsChooseTheirSections) {
  EXPECT_NE(BuildReadingPage(kTemplate, 4, Reading()).find("</Head>v4<h1>"), std::string::npos);
  const std::string neither = BuildReadingPage(kTemplate, 5, Reading());
  EXPECT_NE(neither.find("[V3BrowserVersion]v3[/V3BrowserVersion][V4BrowserVersion]v4"),
            std::string::npos);
}

TEST(ReadingPage, PlaceholdersTypedIntoTheTitleOrTextStayAsTyped) {
  ReadingPageInput in = Reading();
  in.title = "[strTextColor]";
  in.text = "[strExBGColor] [/V3BrowserVersion]";
  const std::string page = BuildReadingPage("[strReadingTitle]|[strReadingText]", 3, in);
  EXPECT_EQ(page, "&#91;strTextColor]|&#91;strExBGColor] &#91;/V3BrowserVersion]");
}
