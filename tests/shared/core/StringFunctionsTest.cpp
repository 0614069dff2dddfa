#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace {

std::string Ch(int code) { return std::string(1, static_cast<char>(code)); }

TEST(ReplaceAll, ReplacesEveryOccurrenceOnceLeftToRight) {
  int n = -1;
  EXPECT_EQ(ReplaceAll("x", "xx", "x x", &n), "xx xx");
  EXPECT_EQ(n, 2);
  EXPECT_EQ(ReplaceAll("[t]", "T", "[t] and [t]", &n), "T and T");
  EXPECT_EQ(n, 2);
  // The occurrence formed by a replacement is not searched again.
  EXPECT_EQ(ReplaceAll("ab", "b", "aab", &n), "ab");
  EXPECT_EQ(n, 1);
  EXPECT_EQ(ReplaceAll("aa", "b", "aaaaa", &n), "bba");
  EXPECT_EQ(n, 2);
  EXPECT_EQ(ReplaceAll("a", "", "banana", &n), "bnn");
  EXPECT_EQ(n, 3);
}

TEST(ReplaceAll, EmptyTextOrSearchChangesNothing) {
  int n = -1;
  EXPECT_EQ(ReplaceAll("", "y", "abc", &n), "abc");
  EXPECT_EQ(n, 0);
  EXPECT_EQ(ReplaceAll("a", "y", "", &n), "");
  EXPECT_EQ(n, 0);
  EXPECT_EQ(ReplaceAll("q", "y", "abc", &n), "abc");
  EXPECT_EQ(n, 0);
}

TEST(ReplaceAll, XMLReplaceAllIsTheSameRoutine) {
  int n = 0;
  EXPECT_EQ(XMLReplaceAll("x", "xx", "x x", &n), "xx xx");
  EXPECT_EQ(n, 2);
  EXPECT_EQ(XMLReplaceAll("[strTitle]", "Quiz & <b>", "<t>[strTitle]</t>[strTitle]"),
            "<t>Quiz & <b></t>Quiz & <b>");
}

TEST(CharacterTables, EntityTable) {
  EXPECT_EQ(EntityTableText(128), "&#8364;");
  EXPECT_EQ(EntityTableText(129), "");
  EXPECT_EQ(EntityTableText(130), "&#130;");
  EXPECT_EQ(EntityTableText(150), "&#150;");
  EXPECT_EQ(EntityTableText(153), "&trade;");
  EXPECT_EQ(EntityTableText(160), "&#160;");
  EXPECT_EQ(EntityTableText(169), "&copy;");
  EXPECT_EQ(EntityTableText(174), "&reg;");
  EXPECT_EQ(EntityTableText(191), "&#191;");
  EXPECT_EQ(EntityTableText(192), "&Agrave;");
  EXPECT_EQ(EntityTableText(198), "&AElig;");
  EXPECT_EQ(EntityTableText(208), "&ETH;");
  EXPECT_EQ(EntityTableText(215), "&#215;");
  EXPECT_EQ(EntityTableText(222), "&THORN;");
  EXPECT_EQ(EntityTableText(223), "&szlig;");
  EXPECT_EQ(EntityTableText(233), "&eacute;");
  EXPECT_EQ(EntityTableText(247), "&#247;");
  EXPECT_EQ(EntityTableText(248), "&oslash;");
  EXPECT_EQ(EntityTableText(255), "&yuml;");
  EXPECT_EQ(EntityTableText(127), "");
  EXPECT_EQ(EntityTableText(256), "");
  // Every numeric entry names its own code.
  for (int c = 130; c <= 191; ++c) {
    if (c == 153 || c == 169 || c == 174) continue;
    EXPECT_EQ(EntityTableText(c), "&#" + std::to_string(c) + ";") << c;
  }
}

TEST(CharacterTables, PercentTable) {
  EXPECT_EQ(PercentTableText(128), "%80");
  EXPECT_EQ(PercentTableText(171), "%AB");
  EXPECT_EQ(PercentTableText(255), "%FF");
  EXPECT_EQ(PercentTableText(65), "");
  const char* hex = "0123456789ABCDEF";
  for (int c = 128; c <= 255; ++c)
    EXPECT_EQ(PercentTableText(c), std::string("%") + hex[c / 16] + hex[c % 16]) << c;
}

TEST(CharacterTables, MacintoshTable) {
  EXPECT_EQ(MacTableText(128), "%DB");  // euro sign
  EXPECT_EQ(MacTableText(133), "%C9");  // ellipsis
  EXPECT_EQ(MacTableText(140), "%CE");  // OE
  EXPECT_EQ(MacTableText(150), "%D0");  // en dash
  EXPECT_EQ(MacTableText(153), "%AA");  // trade mark
  EXPECT_EQ(MacTableText(159), "%D9");  // Y diaeresis
  EXPECT_EQ(MacTableText(160), "%DB");
  EXPECT_EQ(MacTableText(169), "%A9");
  EXPECT_EQ(MacTableText(173), "%D0");
  EXPECT_EQ(MacTableText(176), "%BC");
  EXPECT_EQ(MacTableText(186), "%BC");
  EXPECT_EQ(MacTableText(196), "%80");  // A diaeresis
  EXPECT_EQ(MacTableText(223), "%A7");  // sharp s
  EXPECT_EQ(MacTableText(233), "%8E");  // e acute
  EXPECT_EQ(MacTableText(247), "%D6");  // division sign
  EXPECT_EQ(MacTableText(255), "%D8");  // y diaeresis
  for (int c : {129, 138, 141, 142, 143, 144, 154, 157, 158, 164, 166, 178, 179, 185, 188, 189, 190,
                208, 215, 221, 222, 240, 253, 254})
    EXPECT_EQ(MacTableText(c), "%DB") << c;
}

TEST(HighChars, EntitiesAndEscapes) {
  EXPECT_EQ(HighCharsToEntities("caf" + Ch(233) + " 2" + Ch(215) + "3" + Ch(150) + Ch(153)),
            "caf&eacute; 2&#215;3&#150;&trade;");
  EXPECT_EQ(HighCharsToEntities(Ch(128) + "5" + Ch(129)), "&#8364;5");
  EXPECT_EQ(HighCharsToEntities("a&b<c>"), "a&b<c>");
  EXPECT_EQ(HighCharsToEscapes("50% " + Ch(233)), "50%25 %E9");
  EXPECT_EQ(HighCharsToMacEscapes("%" + Ch(233) + Ch(160) + Ch(176) + Ch(173) + Ch(178)),
            "%25%8E%DB%BC%D0%DB");
}

TEST(MakeCharListScript, LowerCaseLetterBringsItsUpperCase) {
  EXPECT_EQ(MakeCharListScript(Ch(233)),
            "CharList = new Array();\r\n"
            "CharList[0]='%E9';\r\n"
            "CharList[1]='%C9';\r\n"
            "\r\n"
            "for (var i=0; i<CharList.length; i++){CharList[i] = unescape(CharList[i])}\r\n"
            "EscapeList = new Array();\r\n"
            "EscapeList[0]='&eacute;';\r\n"
            "EscapeList[1]='&Eacute;';\r\n");
}

TEST(MakeCharListScript, FormsRepeatAndEuroHasItsEntity) {
  const std::string s = MakeCharListScript("x" + Ch(233) + Ch(201) + Ch(233) + Ch(128) + Ch(159));
  EXPECT_NE(s.find("CharList[0]='%E9';\r\nCharList[1]='%C9';\r\nCharList[2]='%C9';\r\n"
                   "CharList[3]='%E9';\r\nCharList[4]='%80';\r\nCharList[5]='%9F';\r\n"
                   "CharList[6]='%FF';\r\n\r\n"),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("EscapeList[4]='&#8364;';\r\nEscapeList[5]='&#159;';\r\n"
                   "EscapeList[6]='&yuml;';\r\n"),
            std::string::npos)
      << s;
  EXPECT_EQ(s.find("CharList[7]"), std::string::npos);
}

TEST(MakeCharListScript, PlainTextGivesOnlyTheDeclarations) {
  EXPECT_EQ(MakeCharListScript("abc"), "CharList = new Array();\r\n\r\nEscapeList = new Array();\r\n");
  EXPECT_EQ(MakeCharListScript(""), "");
}

TEST(HtmlText, BreaksTabsQuotesAndSubChars) {
  EXPECT_EQ(TextToHTMLBreaks("a\r\nb\tc\rd\ne"),
            "a<BR>\r\nb&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;c<BR>\rd\ne");
  EXPECT_EQ(ReturnsToBR("a\r\nb\rc\nd\r\n"), "a<BR>b\rc\nd<BR>");
  EXPECT_EQ(SubCharsToReturns("a\x1A\x1A" "b"), "a\r\n\r\nb");
  EXPECT_EQ(JSEscapeQuotes("it's a\\b \"q\"\n"), "it\\'s a\\\\b \"q\"\n");
  EXPECT_EQ(QuotesToEntities("say \"hi\""), "say &quot;hi&quot;");
}

TEST(PosFrom, RangesAndOffsets) {
  EXPECT_EQ(PosFrom("ab", "xabab", 1), 2);
  EXPECT_EQ(PosFrom("ab", "xabab", 3), 4);
  EXPECT_EQ(PosFrom("ab", "xabab", 5), 0);
  EXPECT_EQ(PosFrom("ab", "xabab", 6), 0);
  EXPECT_EQ(PosFrom("ab", "xabab", 0), 0);
  EXPECT_EQ(PosFrom("", "xabab", 1), 0);
  EXPECT_EQ(PosFrom("a", "", 1), 0);
}

std::vector<std::string> Chunks(int len, const std::string& s) {
  std::vector<std::string> list{"old"};
  EXPECT_TRUE(SplitIntoChunks(len, s, list));
  return list;
}

TEST(ScriptStrings, ChunksNeverEndInABackslashBeforeMoreText) {
  EXPECT_EQ(Chunks(3, "abcdefg"), (std::vector<std::string>{"abc", "def", "g"}));
  EXPECT_EQ(Chunks(3, "abcdef"), (std::vector<std::string>{"abc", "def"}));
  EXPECT_EQ(Chunks(3, "ab\\\\cd"), (std::vector<std::string>{"ab\\\\c", "d"}));
  EXPECT_EQ(Chunks(3, "ab\\\\"), (std::vector<std::string>{"ab\\\\", ""}));
  EXPECT_EQ(Chunks(3, ""), (std::vector<std::string>{""}));
  EXPECT_EQ(Chunks(0, "abc"), (std::vector<std::string>{"abc"}));
}

int Statements(const std::string& js) {
  int n = 0;
  for (size_t p = js.find("';"); p != std::string::npos; p = js.find("';", p + 1)) ++n;
  return n;
}

TEST(ScriptStrings, AssignmentsAreCutAtOneHundredCharacters) {
  EXPECT_EQ(MakeJSStringAssignment("s", "it's"), "s='it\\'s';");
  EXPECT_EQ(Statements(MakeJSStringAssignment("s", std::string(100, 'a'))), 1);
  EXPECT_EQ(MakeJSStringAssignment("s", std::string(101, 'a')),
            "s='" + std::string(100, 'a') + "';\r\ns+='a';");
  EXPECT_EQ(Statements(MakeJSStringAssignment("s", std::string(200, 'a'))), 2);
  EXPECT_EQ(Statements(MakeJSStringAssignment("s", std::string(201, 'a'))), 3);

  // A backslash at the cut pulls the following characters into the chunk.
  const std::string v = std::string(99, 'a') + "\\\\bc" + std::string(100, 'd');
  const std::string js = MakeJSStringAssignment("s", v);
  EXPECT_EQ(js.substr(0, js.find("\r\n")), "s='" + std::string(99, 'a') + "\\\\\\\\b';");

  const std::string ends = std::string(99, 'a') + "\\\\";
  EXPECT_EQ(MakeJSStringAssignment("s", ends),
            "s='" + std::string(99, 'a') + "\\\\\\\\';\r\ns+='';");
  // Each chunk is escaped on its own: the quote counts once before escaping.
  EXPECT_EQ(MakeJSStringAssignment("s", std::string(99, 'a') + "''"),
            "s='" + std::string(99, 'a') + "\\'';\r\ns+='\\'';");
}

TEST(TemplateSections, KeepRemovesOnlyTheMarkers) {
  EXPECT_EQ(ProcessTemplateSection("a[x]b[/x]c[x]d[/x]", "x", true), "abcd");
  EXPECT_EQ(ProcessTemplateSection("a[x]b[/x]c[y]d[/y]", "x", false), "ac[y]d[/y]");
  EXPECT_EQ(ProcessTemplateSection("a[x]b", "x", false), "ab");
  EXPECT_EQ(ProcessTemplateSection("a[/x]b[x]c", "x", false), "a[/x]bc");
  // Nested sections: the first close marker ends the outer one.
  EXPECT_EQ(ProcessTemplateSection("1[x]2[x]3[/x]4[/x]5", "x", false), "14[/x]5");
  // A removal that joins text into a new marker goes on with that marker.
  EXPECT_EQ(ProcessTemplateSection("[[x]z[/x]x]q[/x]r", "x", false), "r");
}

// The section rule written out literally, for comparison with the routine.
std::string SectionsByRule(std::string s, const std::string& tag) {
  const std::string open = "[" + tag + "]", close = "[/" + tag + "]";
  for (size_t p = s.find(open); p != std::string::npos; p = s.find(open)) {
    const size_t q = s.find(close, p);
    s.erase(p, q == std::string::npos ? open.size() : q + close.size() - p);
  }
  return s;
}

TEST(TemplateSections, RemovalMatchesTheRuleOnRandomTexts) {
  std::mt19937 rng(7);
  const std::string alphabet = "[]/xa";
  for (const std::string tag : {"x", "", "[x", "x]", "/"}) {
    for (int round = 0; round < 3000; ++round) {
      std::string s(rng() % 24, ' ');
      for (char& c : s) c = alphabet[rng() % alphabet.size()];
      ASSERT_EQ(ProcessTemplateSection(s, tag, false), SectionsByRule(s, tag))
          << "tag '" << tag << "' text '" << s << "'";
    }
  }
}

TEST(TemplateText, AuthorTagTextBetweenAndMarkedBlocks) {
  EXPECT_EQ(InsertAuthorMetaTag("<html><head><title>t</title><HEAD>", "Askery"),
            "<html><head><META NAME=\"Author\" CONTENT=\"Created with Askery by Corvane "
            "Software.\"><title>t</title><HEAD>");
  EXPECT_EQ(InsertAuthorMetaTag("<body>", "Askery"), "<body>");

  EXPECT_EQ(TextBetween("a[s]mid[e]b[e]", "[s]", "[e]"), "mid");
  EXPECT_EQ(TextBetween("[s][e]", "[s]", "[e]"), "");
  EXPECT_EQ(TextBetween("[e][s]x", "[s]", "[e]"), "");
  EXPECT_EQ(TextBetween("abc", "b", "bc"), "");  // the end mark overlaps the start mark

  std::string text = "head<!--a-->x<!--b-->tail<!--a-->x<!--b-->";
  EXPECT_EQ(CutMarkedBlock(text, "<!--a-->", "<!--b-->", "[P]", false), "x");
  EXPECT_EQ(text, "head[P]tail[P]");
  text = "1<s>2<e>3";
  EXPECT_EQ(CutMarkedBlock(text, "<s>", "<e>", "", true), "<s>2<e>");
  EXPECT_EQ(text, "13");
  text = "1<s>2";
  EXPECT_EQ(CutMarkedBlock(text, "<s>", "<e>", "", true), "");
  EXPECT_EQ(text, "1<s>2");
}

TEST(SmallHelpers, TrimUpperCaseAndStrictIntegers) {
  EXPECT_EQ(Trim(std::string("\0 \t a b\r\n ", 10)), "a b");
  EXPECT_EQ(Trim(" " + Ch(160) + "x"), Ch(160) + "x");
  EXPECT_EQ(UpperCaseAscii("ab" + Ch(233) + "Z"), "AB" + Ch(233) + "Z");
  int v = 5;
  EXPECT_TRUE(StrToIntStrict("-2147483648", v));
  EXPECT_EQ(v, -2147483648);
  EXPECT_TRUE(StrToIntStrict("+0012", v));
  EXPECT_EQ(v, 12);
  v = 5;
  for (const char* bad : {"", "-", "+", " 1", "1 ", "2147483648", "-2147483649", "1.5", "0x10",
                          "99999999999999999999", "12a"})
    EXPECT_FALSE(StrToIntStrict(bad, v)) << bad;
  EXPECT_EQ(v, 5);
}

}  // namespace
