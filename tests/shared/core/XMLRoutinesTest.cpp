#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shared/core/XMLRoutines.h"
#include "support/TempDir.h"

namespace {

using tavrel::testing::TempDir;

TEST(XMLBuilding, ElementsAndBooleans) {
  EXPECT_EQ(MakeElement("a&b", "t"), "<t>a&b</t>");
  EXPECT_EQ(MakeBoolElement(true, "f"), "<f>1</f>");
  EXPECT_EQ(MakeBoolElement(false, "f"), "<f>0</f>");
  EXPECT_FALSE(StrToBool01("0"));
  EXPECT_TRUE(StrToBool01(" 0"));
  EXPECT_TRUE(StrToBool01(""));
  EXPECT_EQ(XMLHeader.size(), 43u);
}

TEST(XMLEscaping, RoundTripsEveryText) {
  EXPECT_EQ(XMLEscape("<a href=\"x\">'&'</a>\r\n\xE9"),
            "&lt;a href=&quot;x&quot;&gt;&apos;&amp;&apos;&lt;/a&gt;\r\n\xE9");
  EXPECT_EQ(XMLUnescape("&amp;lt; &eacute; &#233; &quot&quot;"), "&lt; &eacute; &#233; &quot\"");
  for (const std::string s : {"&amp;", "&quot;", "&amp;amp;", "a&lt;b", "&&;;", "<<>>", ""})
    EXPECT_EQ(XMLUnescape(XMLEscape(s)), s) << s;
}

TEST(XMLStripTags, DropsTagsKeepsLoneClosingBrackets) {
  EXPECT_EQ(StripTags("a<b>c</b> > d<e"), "ac > d");
  EXPECT_EQ(StripTags("x<>y"), "xy");
}

TEST(XMLPaths, SplitAtBackslashes) {
  std::vector<std::string> steps{"old"};
  EXPECT_TRUE(SplitXMLPath("a\\b\\\\c", steps));
  EXPECT_EQ(steps, (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_TRUE(SplitXMLPath("root", steps));
  EXPECT_EQ(steps, (std::vector<std::string>{"root"}));
}

TEST(XMLFindElement, SearchesTheClosingTagFromTheStart) {
  std::string content = "old";
  int start = -1;
  EXPECT_TRUE(FindElement("b", "</b><b>x</b>", content, start));
  EXPECT_EQ(content, "");
  EXPECT_EQ(start, 0);
  EXPECT_TRUE(FindElement("b", "xy<b>12</b>", content, start));
  EXPECT_EQ(content, "12");
  EXPECT_EQ(start, 6);
  EXPECT_TRUE(FindElement("b", "<b>open", content, start));
  EXPECT_EQ(start, 0);
  EXPECT_FALSE(FindElement("question", "<question-record>1</question-record>", content, start));
  // Nested elements of one name end at the inner closing tag.
  EXPECT_TRUE(FindElement("a", "<a><a>1</a></a>", content, start));
  EXPECT_EQ(content, "<a>1");
}

TEST(XMLExtractElement, WalksRepeatedElements) {
  std::string doc = "<b>1</b>\r\n<b>2</b>";
  std::string content;
  ASSERT_TRUE(ExtractElement(true, "b", doc, content));
  EXPECT_EQ(content, "1");
  EXPECT_EQ(doc, "\r\n<b>2</b>");
  ASSERT_TRUE(ExtractElement(true, "b", doc, content));
  EXPECT_EQ(content, "2");
  EXPECT_EQ(doc, "\r\n");
  content = "kept";
  EXPECT_FALSE(ExtractElement(true, "b", doc, content));
  EXPECT_EQ(content, "kept");
  doc = "<b>1</b><b>2</b>";
  EXPECT_TRUE(ExtractElement(true, "b", doc, content));
  EXPECT_TRUE(ExtractElement(true, "b", doc, content));
  EXPECT_EQ(content, "2");
  EXPECT_EQ(doc, "");
  EXPECT_FALSE(ExtractElement(true, "b", doc, content));

  // Here the closing tag is looked for after the opening one.
  doc = "</b><b>x</b>";
  EXPECT_TRUE(ExtractElement(false, "b", doc, content));
  EXPECT_EQ(content, "x");
  EXPECT_EQ(doc, "</b><b>x</b>");
  doc = "<b>x";
  EXPECT_FALSE(ExtractElement(true, "b", doc, content));
  EXPECT_EQ(doc, "<b>x");
}

TEST(XMLLocate, PositionsAndMissingSteps) {
  std::vector<std::string> missing{"old"};
  int start = 0;
  std::string content;
  const std::string doc = "<a><x>1</x><b>22</b></a>";
  EXPECT_TRUE(LocateElementPath("a\\b", doc, missing, start, content));
  EXPECT_TRUE(missing.empty());
  EXPECT_EQ(start, 15);
  EXPECT_EQ(doc.substr(static_cast<size_t>(start) - 1, 2), "22");
  EXPECT_EQ(content, "22");
  EXPECT_TRUE(LocateElementPath("a\\c\\d", doc, missing, start, content));
  EXPECT_EQ(missing, (std::vector<std::string>{"c", "d"}));
  EXPECT_EQ(start, 4);
  EXPECT_EQ(content, "");
  EXPECT_TRUE(LocateElementPath("y\\b", doc, missing, start, content));
  EXPECT_EQ(missing, (std::vector<std::string>{"y", "b"}));
  EXPECT_EQ(start, 1);
}

TEST(XMLGetValue, DefaultsOnlyForMissingElements) {
  EXPECT_EQ(GetValueByPath("<a><c>1</c></a>", "a\\b", "def"), "def");
  EXPECT_EQ(GetValueByPath("<a><b></b></a>", "a\\b", "def"), "");
  EXPECT_EQ(GetValueByPath("<a><b>1</b></a>", "x\\b", "def"), "def");
  EXPECT_EQ(GetValueByPath("<a><b>1</b><b>2</b></a>", "a\\b", "def"), "1");
  EXPECT_EQ(GetValueByPath("<a><b>&lt;</b></a>", "a\\b", ""), "&lt;");
  // Malformed documents stay within the text.
  EXPECT_EQ(GetValueByPath("<a><b>1</a>", "a\\b", "def"), "");
  EXPECT_EQ(GetValueByPath("</a><a><b>1</b>", "a\\b", "def"), "def");
}

TEST(XMLGetValue, BooleansAndIntegers) {
  const std::string doc =
      "<r><z> 0 </z><e></e><one>1</one><w>yes</w><zz>00</zz><n> 12\r\n</n><m>-7</m>"
      "<f>1.5</f><big>2147483648</big><t>ten</t></r>";
  EXPECT_FALSE(GetBoolByPath(doc, "r\\z", true));
  EXPECT_TRUE(GetBoolByPath(doc, "r\\e", false));
  EXPECT_TRUE(GetBoolByPath(doc, "r\\one", false));
  EXPECT_TRUE(GetBoolByPath(doc, "r\\w", false));
  EXPECT_TRUE(GetBoolByPath(doc, "r\\zz", false));
  EXPECT_FALSE(GetBoolByPath(doc, "r\\none", false));
  EXPECT_TRUE(GetBoolByPath(doc, "r\\none", true));
  EXPECT_EQ(GetIntByPath(doc, "r\\n", 3), 12);
  EXPECT_EQ(GetIntByPath(doc, "r\\m", 3), -7);
  for (const char* bad : {"r\\e", "r\\f", "r\\big", "r\\t", "r\\none"})
    EXPECT_EQ(GetIntByPath(doc, bad, 3), 3) << bad;
}

TEST(XMLSetElement, CreatesMissingElementsAsFirstContent) {
  std::string doc = "<a><x>1</x></a>";
  EXPECT_TRUE(SetElementByPath("a\\b\\c", "v", doc));
  EXPECT_EQ(doc, "<a><b><c>v</c></b><x>1</x></a>");
  doc.clear();
  EXPECT_TRUE(SetElementByPath("a\\b\\c", "v", doc));
  EXPECT_EQ(doc, "<a><b><c>v</c></b></a>");
  doc = "<?xml?>\r\n<a></a>";
  EXPECT_TRUE(SetElementByPath("q", "1", doc));
  EXPECT_EQ(doc, "<q>1</q><?xml?>\r\n<a></a>");
  doc = "<a><x>1</x></a>";
  EXPECT_TRUE(SetElementByPath("a\\b", "", doc));
  EXPECT_EQ(doc, "<a><x>1</x></a>");
}

TEST(XMLSetElement, ReplacesContentAndNothingElse) {
  const std::string before = "\xEF\r\n<r>\r\n  <a>\r\n<b>old</b><b>2</b>\r\n</a>\r\n</r>";
  std::string doc = before;
  EXPECT_TRUE(SetElementByPath("r\\a\\b", "new &amp; more", doc));
  EXPECT_EQ(doc, "\xEF\r\n<r>\r\n  <a>\r\n<b>new &amp; more</b><b>2</b>\r\n</a>\r\n</r>");
  EXPECT_TRUE(SetElementByPath("r\\a\\b", "old", doc));
  EXPECT_EQ(doc, before);
  EXPECT_TRUE(SetBoolByPath("r\\a\\b", false, doc));
  EXPECT_EQ(GetValueByPath(doc, "r\\a\\b", ""), "0");
  EXPECT_TRUE(SetElementByPath("r\\a", "", doc));
  EXPECT_EQ(doc, "\xEF\r\n<r>\r\n  <a></a>\r\n</r>");
}

TEST(XMLSetElement, MalformedDocumentsStayUnchanged) {
  for (const std::string bad : {
           "<a><b>1</b>",               // root left open
           "</a><a><b>1</b></a>",       // closing tag before the opening tag
           "<a><b>1</a></b>",           // crossed elements
           "<a><a>1</a></a>",           // the search ends the outer a inside
           "<a>x</a>",                  // path a\a would hide the new element
       }) {
    for (const char* path : {"a\\b", "a\\a"}) {
      std::string doc = bad;
      const bool ok = SetElementByPath(path, "v", doc);
      if (ok) {
        EXPECT_EQ(GetValueByPath(doc, path, "none"), "v") << bad << " " << path;
      } else {
        EXPECT_EQ(doc, bad) << path;
      }
    }
  }
  std::string doc = "<a><b>1</a></b>";
  EXPECT_FALSE(SetElementByPath("a\\b", "v", doc));
  doc = "<a>x</a>";
  EXPECT_FALSE(SetElementByPath("a\\a", "v", doc));
  EXPECT_EQ(doc, "<a>x</a>");
  // A value whose tags would be read as the element's end is refused.
  doc = "<a><b>1</b></a>";
  EXPECT_FALSE(SetElementByPath("a\\b", "x</b>y", doc));
  EXPECT_EQ(doc, "<a><b>1</b></a>");
  EXPECT_TRUE(SetElementByPath("a\\b", "<c>1</c>", doc));
  EXPECT_EQ(doc, "<a><b><c>1</c></b></a>");
}

TEST(XMLSaveFile, WritesDeclarationAndCrLfLines) {
  TempDir dir;
  const std::string header(XMLHeader);
  ASSERT_TRUE(SaveXMLFile(dir.File("a.aky"), "<a>1</a>"));
  EXPECT_EQ(dir.Read("a.aky"), header + "\r\n\r\n<a>1</a>\r\n");
  ASSERT_TRUE(SaveXMLFile(dir.File("a.aky"), "<a>\r\n1\n2\r</a>\r\n"));
  EXPECT_EQ(dir.Read("a.aky"), header + "\r\n\r\n<a>\r\n1\n2\r</a>\r\n");
  ASSERT_TRUE(SaveXMLFile(dir.File("a.aky"), header + "\r\n<a/>"));
  EXPECT_EQ(dir.Read("a.aky"), header + "\r\n<a/>\r\n");
  ASSERT_TRUE(SaveXMLFile(dir.File("b.aky"), ""));
  EXPECT_EQ(dir.Read("b.aky"), header + "\r\n\r\n");
  EXPECT_FALSE(SaveXMLFile(dir.File("missing/c.aky"), "<a>1</a>"));
}

}  // namespace

TEST(XMLFileText, WhatAFileSaysIsUtf8IsReadAsUtf8AndThenSaysWhatItHolds) {
  struct Case {
    const char* bytes;
    const char* text;
  };
  const Case cases[] = {
      // Declared in any case, quoted either way, after a byte-order mark.
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><t>K\xC3\xB8" "benhavn \xC5\x81\xE2\x82\xAC</t>",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><t>K\xF8" "benhavn &#321;\x80</t>"},
      {"<?xml version='1.0' encoding = 'utf-8' standalone='yes'?><t>\xC3\xA9</t>",
       "<?xml version='1.0' encoding = 'ISO-8859-1' standalone='yes'?><t>\xE9</t>"},
      {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"Utf-8\"?><t>\xC3\xA9</t>",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><t>\xE9</t>"},
      // A byte-order mark alone says UTF-8: old line-based files too.
      {"\xEF\xBB\xBF[FileInfo]\r\nTitle=\xC3\xA9\r\n", "[FileInfo]\r\nTitle=\xE9\r\n"},
      {"\xEF\xBB\xBF<t>\xC3\xA9</t>", "<t>\xE9</t>"},
      // Bytes that are no UTF-8 in a file that says it is: taken as
      // Windows-1252, one by one, to the text's last byte.
      {"<?xml encoding=\"UTF-8\"?><t>caf\xE9 \xC3</t>\xE2\x82", "<?xml encoding=\"ISO-8859-1\"?><t>caf\xE9 \xC3</t>\xE2\x82"},
      // Anything else is read byte for byte, as the program writes it.
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><t>\xC3\xA9</t>",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><t>\xC3\xA9</t>"},
      {"<t encoding=\"UTF-8\">\xC3\xA9</t>", "<t encoding=\"UTF-8\">\xC3\xA9</t>"},
      {"<?xml version=\"1.0\"?><t>\xC3\xA9</t><?x encoding=\"UTF-8\"?>",
       "<?xml version=\"1.0\"?><t>\xC3\xA9</t><?x encoding=\"UTF-8\"?>"},
      {"<?xml encoding=\"UTF-8\"", "<?xml encoding=\"UTF-8\""},
      {"<?xml encoding=\"UTF-8?>", "<?xml encoding=\"UTF-8?>"},
      {"\xEF\xBB", "\xEF\xBB"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TextFromFileBytes(c.bytes), c.text) << c.bytes;
}
