// The steps every web export shares: page names, template fallback,
// navigation buttons, text safety in scripts, and running a plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/WebExport.h"
#include "shared/core/XMLRoutines.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::testing::FakePlatform;
using tavrel::testing::TempDir;

namespace {

ConfigValues ButtonConfig() {
  ConfigValues c;
  c.text = {{"editNextEx", "Next"},      {"editNextExURL", "next.htm"},
            {"editContents", "Contents"}, {"editContentsURL", "index.htm"},
            {"editBack", "Back"},         {"editHelp", "Help"}};
  c.checked = {{"chkIncludeNextEx", true},
               {"chkIncludeContents", true},
               {"chkIncludeBack", true},
               {"chkIncludeHelp", true}};
  return c;
}

}  // namespace

TEST(WebExportNames, BaseNameComesFromTheFileNameBeforeHtm) {
  ExportNames n = MakeExportNames("/home/t/web/quiz.htm");
  EXPECT_EQ(n.name, "quiz.htm");
  EXPECT_EQ(n.folder, "/home/t/web/");
  EXPECT_EQ(n.base, "quiz");
  EXPECT_EQ(n.welcome, "quizw.htm");
  EXPECT_EQ(n.code, "quizc.htm");
  EXPECT_EQ(n.reading, "quizr.htm");
  EXPECT_EQ(n.PathOf(n.code), "/home/t/web/quizc.htm");

  EXPECT_EQ(MakeExportNames("/x/quiz.html").code, "quizc.htm");
  EXPECT_EQ(MakeExportNames("/x/quiz.txt").base, "");
  EXPECT_EQ(MakeExportNames("/x/quiz.txt").welcome, "w.htm");
  EXPECT_EQ(MakeExportNames("/x/.htm").base, "");
  // A folder named like a page plays no part in the names.
  ExportNames f = MakeExportNames("/x/unit.htm/lesson.htm");
  EXPECT_EQ(f.folder, "/x/unit.htm/");
  EXPECT_EQ(f.PathOf(f.reading), "/x/unit.htm/lessonr.htm");
}

TEST(WebExportNames, OnlyABlankInTheBareNameCounts) {
  EXPECT_TRUE(NameHasBlank("my quiz.htm"));
  EXPECT_FALSE(NameHasBlank(MakeExportNames("/my folder/quiz.htm").name));
}

TEST(WebExportNames, WebAddressesAreKnownInAnyLetterCase) {
  EXPECT_TRUE(IsWebAddress("http://example.org/r.htm"));
  EXPECT_TRUE(IsWebAddress("HtTpS://example.org/"));
  EXPECT_FALSE(IsWebAddress("www.example.org"));
  EXPECT_FALSE(IsWebAddress("<html>http://"));
  EXPECT_FALSE(IsWebAddress("http:/x"));
}

TEST(WebExportTemplates, UnreadableTemplateWarnsOnceAndUsesTheStore) {
  ExportPlan plan;
  EXPECT_EQ(plan.UseTemplate({"askery.ht_", std::string("disk text"), "store"}), "disk text");
  EXPECT_TRUE(plan.steps.empty());
  EXPECT_EQ(plan.UseTemplate({"askeryc.ht_", std::nullopt, "store text"}), "store text");
  ASSERT_EQ(plan.steps.size(), 1u);
  EXPECT_EQ(plan.steps[0].message.text, "Unable to find source file askeryc.ht_. Reverting to default.");
  EXPECT_EQ(plan.steps[0].message.type, MsgType::Warning);
  EXPECT_EQ(plan.steps[0].message.buttons, tavrel::mbOK);
  EXPECT_EQ(plan.steps[0].message.helpContext, 33000);
}

TEST(WebExportButtons, QuizButtonsFollowCaptionAndIncludeBox) {
  const NavButtons b = BuildNavButtons(ButtonConfig());
  EXPECT_EQ(b.nextEx,
            "<INPUT TYPE=\"button\" VALUE=\"Next\" onClick=\"parent.location='next.htm'\">");
  EXPECT_EQ(b.contents,
            "<INPUT TYPE=\"button\" VALUE=\"Contents\" onClick=\"parent.location='index.htm'\">");
  EXPECT_EQ(b.topNextEx,
            "<FORM><INPUT TYPE=\\\"button\\\" VALUE=\\\"Next\\\" "
            "onClick=\\\"parent.location=\\'next.htm\\'\\\"><\\/FORM>");
  // A frame may not reach its parent's history when the pages come from disk.
  EXPECT_EQ(b.back, "<INPUT TYPE=\"button\" VALUE=\"Back\" onClick=\"history.back()\">");
  EXPECT_EQ(b.help,
            "<INPUT TYPE=\"button\" VALUE=\"[HelpCaption]\" "
            "onClick=\"parent.FeedbackFrame.location='[WelcomeFileName]#help'\"><BR>");

  ConfigValues c = ButtonConfig();
  c.text["editNextEx"] = "";
  c.checked["chkIncludeContents"] = false;
  c.text["editHelp"] = "";
  const NavButtons none = BuildNavButtons(c);
  EXPECT_EQ(none.nextEx, "");
  EXPECT_EQ(none.topNextEx, "");
  EXPECT_EQ(none.contents, "");
  EXPECT_EQ(none.help, "");
  EXPECT_NE(none.back, "");
}

TEST(WebExportButtons, QuotesInCaptionsAndAddressesCannotBreakTheButton) {
  ConfigValues c = ButtonConfig();
  c.text["editNextEx"] = "Say \"next\" it's";
  c.text["editNextExURL"] = "a'b\"c\\d.htm";
  const NavButtons b = BuildNavButtons(c);
  EXPECT_EQ(b.nextEx,
            "<INPUT TYPE=\"button\" VALUE=\"Say &quot;next&quot; it's\" "
            "onClick=\"parent.location='a\\'b&quot;c\\\\d.htm'\">");
  // Top button: a script string holding the button, hence one more level.
  EXPECT_NE(b.topNextEx.find("VALUE=\\\"Say &quot;next&quot; it\\'s\\\""), std::string::npos);
  EXPECT_EQ(b.topNextEx.find("it's"), std::string::npos);
}

TEST(WebExportButtons, MatchingButtonsAddressTheFramesetOnlyWithAReading) {
  const NavButtons b = BuildNavButtons(ButtonConfig(), NavStyle::Matching);
  EXPECT_EQ(b.nextEx,
            "<INPUT TYPE=\"button\" VALUE=\"Next\" "
            "onClick=\"[inclReading]parent.[/inclReading]location='next.htm'\">");
  EXPECT_EQ(b.topNextEx, "");
  EXPECT_EQ(b.help, "");
}

TEST(WebExportText, ScriptStringsSurviveQuotesBreaksAndEndTags) {
  EXPECT_EQ(ScriptString("it's a\\b"), "it\\'s a\\\\b");
  EXPECT_EQ(ScriptString("line1\r\nline2\n"), "line1\\r\\nline2\\n");
  EXPECT_EQ(ScriptString("</script><!--x"), "<\\/script><\\!--x");
  EXPECT_EQ(ScriptString("\"quoted\" \xE9"), "\"quoted\" \xE9");
}

TEST(WebExportText, PlaceholderWordsInMarkupTextAreNeverFilledLater) {
  const std::string text =
      MarkupText("[Answers] [/inclHint] [V3BrowserVersion] a[1] [ ] [x-y] [", TextPlace::Block);
  EXPECT_EQ(text, "&#91;Answers] &#91;/inclHint] &#91;V3BrowserVersion] a[1] [ ] [x-y] [");
  EXPECT_EQ(XMLReplaceAll("[Answers]", "<script>", text), text);
  EXPECT_EQ(AttributeValue("\"[strGraphicURL]\""), "&quot;&#91;strGraphicURL]&quot;");
}

TEST(WebExportText, MarkupTextIsABalancedFragmentOfTheTeachersMarkup) {
  const std::pair<std::string, std::string> cases[] = {
      // Whole markup stays as typed.
      {"<b>bold</b> <i>x</i><BR><a href=\"a.htm\">a</a> <img src=\"p.png\">",
       "<b>bold</b> <i>x</i><BR><a href=\"a.htm\">a</a> <img src=\"p.png\">"},
      {"<iframe src=\"v.htm\"></iframe><!-- note --> <SCRIPT>f()</Script>",
       "<iframe src=\"v.htm\"></iframe><!-- note --> <SCRIPT>f()</Script>"},
      {"<style>b{}</style><title>t</title><textarea>x</textarea>",
       "<style>b{}</style><title>t</title><textarea>x</textarea>"},
      {"<svg viewBox=\"0 0 2 2\"><circle r=\"1\"></circle></svg><math><mi>x</mi></math>",
       "<svg viewBox=\"0 0 2 2\"><circle r=\"1\"></circle></svg><math><mi>x</mi></math>"},
      // What the writer makes uniform: quotes, references, implied elements.
      {"<a href=a.htm title='it\"s'>Tom & Jerry</a> 2 < 3",
       "<a href=\"a.htm\" title=\"it&quot;s\">Tom &amp; Jerry</a> 2 &lt; 3"},
      {"caf&eacute; &#321;&euro;&nbsp;&lt;", "caf\xE9 &#321;\x80&nbsp;&lt;"},
      {"<table><tr><td>1</table>", "<table><tbody><tr><td>1</td></tr></tbody></table>"},
      // A tag the end of the text cuts short is shown as typed.
      {"a<b", "a&lt;b"},
      {"x</x><a title=\"<b", "x&lt;a title=\"&lt;b"},
      // Whatever the text opens is closed within it; what it never opened is
      // left out.
      {"Title <table><tr><td>x", "Title <table><tbody><tr><td>x</td></tr></tbody></table>"},
      {"<b>x</div></td></table>y", "<b>xy</b>"},
      {"Sub <!-- x", "Sub <!-- x-->"},
      {"<ScRiPt src=x>", "<ScRiPt src=\"x\"></ScRiPt>"},
      {"Intro <script>var a=1;</script", "Intro <script>var a=1;<\\/script</script>"},
      {"<script>a</script\x0B>b", "<script>a<\\/script&#65533;>b</script>"},
      {"<script><!--<script></script>-->", "<script><\\!--<script><\\/script>--></script>"},
      {"<p>a</p></div>", "<p>a</p>"},
      {"<textarea>x<title></textarea>", "<textarea>x&lt;title&gt;</textarea>"},
      {"<PLAINTEXT>x</plaintext>", "&lt;PLAINTEXT&gt;x&lt;/plaintext&gt;"},
      // Placeholder words still never form.
      {"<b>[strTitle]</b> <!-- [Clue]", "<b>&#91;strTitle]</b> <!-- &#91;Clue]-->"},
  };
  // The content of a script or style is written as typed: the marks that
  // keep it from the page's replacements are taken out as the page is
  // finished.
  auto unmarked = [](std::string s) {
    std::string out;
    for (const char c : s)
      if (c == kRawTextBracket)
        out += '[';
      else if (c != kRawTextStart && c != kRawTextEnd)
        out += c;
    return out;
  };
  for (const auto& [typed, written] : cases) {
    EXPECT_EQ(unmarked(MarkupText(typed, TextPlace::Block)), written) << typed;
    EXPECT_EQ(unmarked(MarkupText(written, TextPlace::Block)), written) << typed;
  }
}

TEST(WebExportText, MarkupTextHoldsOnlyItselfInItsPlace) {
  struct Case {
    const char* typed;
    TextPlace place;
    const char* written;  // the marks of raw text as "{", "}" and "^"
  };
  const Case cases[] = {
      // Line breaks: in text as <BR>, a blank line kept; not inside a table's
      // or list's structure, a pre, a textarea or an attribute, and not where
      // a block or a <BR> before it shows the break already.
      {"a\r\nb\r\n\r\nc", TextPlace::Block, "a<BR>\r\nb<BR>\r\n<BR>\r\nc"},
      {"Name:\r\n<table>\r\n<tr><td>1\r\n2</td></tr>\r\n</table>\r\nafter", TextPlace::Block,
       "Name:<BR>\r\n<table>\r\n<tbody><tr><td>1<BR>\r\n2</td></tr>\r\n</tbody></table>\r\nafter"},
      {"a\r\n\r\n<div>b</div>", TextPlace::Block, "a<BR>\r\n<BR>\r\n<div>b</div>"},
      {"<pre>a\r\nb</pre>\r\n<textarea>x\r\ny</textarea> <b title=\"p\r\nq\">t</b>", TextPlace::Block,
       "<pre>a\r\nb</pre>\r\n<textarea>x\r\ny</textarea> <b title=\"p\r\nq\">t</b>"},
      {"<ul>\r\n<li>a</li>\r\n</ul>x<br>\r\ny\r\n<p>p\r\n</p>", TextPlace::Block,
       "<ul>\r\n<li>a</li>\r\n</ul>x<br>\r\ny<BR>\r\n<p>p\r\n</p>"},
      {"tab\there", TextPlace::Block, "tab&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;here"},
      // Scripts, styles and the like as typed.
      {"<script>\r\nvar a=[1],i=0;window.v=a[i];\r\n</script><style>a[href]{}</style><xmp>caf\xE9</xmp>",
       TextPlace::Block,
       "<script>{\r\nvar a=^1],i=0;window.v=a^i];\r\n}</script><style>{a^href]{}}</style><xmp>{caf\xE9}</xmp>"},
      // Ids and names that clash with the page's get the prefix, and the
      // text's references to them follow; the others stay as typed.
      {"<a id=help href=#help>h</a><a href=#top>t</a><a href=\"p.htm#x\">p</a>"
       "<label for=\"a forms\">l</label><img usemap=#m name=getElementById>",
       TextPlace::Block,
       "<a id=\"tt-help\" href=\"#tt-help\">h</a><a href=\"#top\">t</a><a href=\"p.htm#x\">p</a>"
       "<label for=\"a tt-forms\">l</label><img usemap=\"#m\" name=\"tt-getElementById\">"},
      {"<svg><use xlink:href=\"#s\"></use><rect fill=\"url(#G2)\" id=g2></rect><use href=#g></use></svg>",
       TextPlace::Block,
       "<svg><use xlink:href=\"#s\"></use><rect fill=\"url(#tt-G2)\" id=\"tt-g2\"></rect>"
       "<use href=\"#g\"></use></svg>"},
      // What acts on the whole page is left out.
      {"<base href=x><meta charset=utf-8>b", TextPlace::Block, "b"},
      // What would close or leave the page's elements around the text.
      {"<li>France <b>x</b>", TextPlace::FormRowBlock, "France <b>x</b>"},
      {"<ul><li>own</li></ul><form>f</form>", TextPlace::FormRowBlock, "<ul><li>own</li></ul>f"},
      {"<li>A pet", TextPlace::ListItemSpan, "A pet"},
      {"<h2>Pets</h2><b><h3>x</h3></b>", TextPlace::Heading, "Pets<b><h3>x</h3></b>"},
      {"<dd>x</dd><li>y", TextPlace::Heading, "<dd>x</dd><li>y</li>"},
  };
  auto shown = [](const std::string& s) {
    std::string out;
    for (const char c : s)
      out += c == kRawTextStart ? '{' : c == kRawTextEnd ? '}' : c == kRawTextBracket ? '^' : c;
    return out;
  };
  for (const Case& c : cases) {
    const std::string written = MarkupText(c.typed, c.place);
    EXPECT_EQ(shown(written), c.written) << c.typed;
    EXPECT_EQ(MarkupText(written, c.place), written) << c.typed;
  }
  // The page finished, raw text stands as typed, its characters unescaped.
  EXPECT_EQ(PageText(MarkupText("<xmp>caf\xE9 [x]</xmp> caf\xE9", TextPlace::Block)),
            "<xmp>caf\xE9 [x]</xmp> caf&eacute;");
}

TEST(WebExportText, IdsAndNamesStayAsTypedUnlessThePageCouldFindThem) {
  // The teacher's own script and style rule find the element.
  const std::string hint =
      "<style>#hint1{color:red}</style><button type=\"button\" "
      "onclick=\"document.getElementById('hint1').style.display='block'\">Show hint</button>"
      "<p id=\"hint1\" style=\"display:none\">P</p><a href=\"#hint1\" aria-controls=\"hint1 x\">h</a>";
  EXPECT_EQ(PageText(MarkupText(hint, TextPlace::Block)), hint);
  // A page's id or name in any letter case, a whole family of the ones the
  // scripts number, a property of a document or a form.
  for (const char* clash : {"Score", "SCORE", "readingframe", "CodeFrame", "G1", "g17", "Q12", "QT3", "qn4",
                            "F2", "N9", "Mark3", "Left10", "Choice0", "0", "21", "forms", "images", "elements",
                            "submit", "action", "length", "cookie", "body", "querySelectorAll", "onclick",
                            "toString", "__proto__", "nodeName", "ELEMENT_NODE"}) {
    const std::string id = clash;
    EXPECT_TRUE(ClashesWithPage(id)) << id;
    EXPECT_EQ(MarkupText("<label for=" + id + ">l</label><input id=" + id + " name=" + id + ">",
                         TextPlace::Block),
              "<label for=\"tt-" + id + "\">l</label><input id=\"tt-" + id + "\" name=\"tt-" + id + "\">");
  }
  // What no page uses: a word, a family's word without its number, a
  // property's name in another letter case, one typed with the prefix.
  for (const char* own : {"hint1", "G", "Q1a", "x9y", "Forms", "IMAGES", "tt-forms", "tt-hint1", "help-1"}) {
    const std::string id = own;
    EXPECT_FALSE(ClashesWithPage(id)) << id;
    const std::string text = "<a href=\"#" + id + "\" id=\"" + id + "\" name=\"" + id + "\">a</a>";
    EXPECT_EQ(MarkupText(text, TextPlace::Block), text);
  }
  // A text written twice comes out the same.
  const std::string twice = MarkupText("<i id=forms></i><i id=tt-forms></i><a href=#forms>a</a>", TextPlace::Block);
  EXPECT_EQ(twice, "<i id=\"tt-forms\"></i><i id=\"tt-forms\"></i><a href=\"#tt-forms\">a</a>");
  EXPECT_EQ(MarkupText(twice, TextPlace::Block), twice);
}

TEST(WebExportText, WhatLeavesADrawingOrFormulaStandsWhereABrowserShowsIt) {
  const struct {
    const char* typed;
    const char* written;
    const char* shown;
  } cases[] = {
      {"<svg width=20 height=20><circle cx=10 cy=10 r=\"5\"/><p>Which shape is this?</p>",
       "<svg width=\"20\" height=\"20\"><circle cx=\"10\" cy=\"10\" r=\"5\"></circle></svg>"
       "<p>Which shape is this?</p>",
       "Which shape is this?"},
      {"<math><mi>x</mi><mo>=</mo><mn>2</mn><p>Now solve the equation.</p></math>",
       "<math><mi>x</mi><mo>=</mo><mn>2</mn></math><p>Now solve the equation.</p>", "x=2 Now solve the equation."},
      {"<svg><p>x</p></svg>y", "<svg></svg><p>x</p>y", "x y"},
      {"<svg><g><b>bold</b> and <font color=red>red</font></g></svg>",
       "<svg><g></g></svg><b>bold</b> and <font color=\"red\">red</font>", "bold and red"},
      {"<svg><font>f</font></svg>", "<svg><font>f</font></svg>", "f"},
      // The end tags that leave too.
      {"<svg></p >x</svg>y", "<svg></svg><p></p>xy", "xy"},
      {"<svg><g></BR class=\">\">x", "<svg><g></g></svg><br>x", "x"},
      {"<math><mi>m</p></mi></math>", "<math><mi>m<p></p></mi></math>", "m"},
      // Where HTML may stand inside, it stays inside.
      {"<svg><foreignObject><p>a</p></foreignObject></svg>",
       "<svg><foreignObject><p>a</p></foreignObject></svg>", "a"},
      {"a<math><annotation-xml encoding=\"text/html\"><div>b</div></annotation-xml></math>",
       "a<math><annotation-xml encoding=\"text/html\"><div>b</div></annotation-xml></math>", "a"},
      {"<math><annotation-xml><div>c</div></annotation-xml></math>",
       "<math><annotation-xml></annotation-xml></math><div>c</div>", "c"},
      // What describes a drawing or a formula shows nowhere.
      {"A<svg><desc>D</desc><title>T</title><metadata>M</metadata><text>X</text></svg>"
       "<math><semantics><mn>2</mn><annotation>N</annotation></semantics></math>",
       "A<svg><desc>D</desc><title>T</title><metadata>M</metadata><text>X</text></svg>"
       "<math><semantics><mn>2</mn><annotation>N</annotation></semantics></math>",
       "AX2"},
  };
  for (const auto& c : cases) {
    for (const TextPlace place : {TextPlace::Block, TextPlace::FormRowBlock, TextPlace::ListItemSpan}) {
      const std::string written = MarkupText(c.typed, place);
      EXPECT_EQ(written, c.written) << c.typed;
      EXPECT_EQ(MarkupText(written, place), written) << c.typed;
    }
    EXPECT_EQ(ShownText(c.typed), c.shown) << c.typed;
  }
}

TEST(WebExportText, ShownTextIsWhatAReaderSeesOfTheMarkup) {
  // A line break, <br> and the edges of blocks as one blank; inline
  // elements add nothing.
  EXPECT_EQ(ShownText("Capitals<br>of Europe"), "Capitals of Europe");
  EXPECT_EQ(ShownText("Paris<BR>France"), "Paris France");
  EXPECT_EQ(ShownText("<p>France</p><p>(Europe)</p>"), "France (Europe)");
  EXPECT_EQ(ShownText("Par<b>is</b> <span>a</span><a href=x>b</a>"), "Paris ab");
  EXPECT_EQ(ShownText(" <div> a </div>\r\n\r\n<ul><li>b<li>c</ul><table><tr><td>d<td>e<tr><th>f</table><h2>g</h2>h "),
            "a b c d e f g h");
  EXPECT_EQ(ShownText("x<br><br>\r\n<p></p>y<hr>z"), "x y z");
  EXPECT_EQ(ShownText("<i>Tom</i> & <b>Jerry</b>"), "Tom &amp; Jerry");
  EXPECT_EQ(ShownText("2 < 3, a<b"), "2 &lt; 3, a&lt;b");
  EXPECT_EQ(ShownText("<!-- a > b -->x<img alt=\"a>b\" src=p.png><script>y</script>"), "x");
  EXPECT_EQ(ShownText("line\r\nbreak [1] &#321;"), "line break &#91;1] &#321;");
  // Nothing but markup: shown as typed, or left blank for a page's title.
  EXPECT_EQ(ShownText("<img src=p.png>"), "&lt;img src=p.png&gt;");
  EXPECT_EQ(ShownText("<img src=p.png>", false), "");
}

TEST(WebExportText, AnUntitledPageTakesTheKindWordAndHidesItsEmptyHeadings) {
  const std::string page =
      "<html><head><title> </title></head><body><h1 id=\"T\">\r\n</h1><H1>x</H1><h1></h1><h10>";
  const std::string untitled = FinishPage(page, " \r\n", "Quiz");
  EXPECT_NE(untitled.find("<title>Quiz</title>"), std::string::npos);
  EXPECT_NE(untitled.find("<h1 id=\"T\" hidden>\r\n</h1><H1>x</H1><h1 hidden></h1><h10>"),
            std::string::npos);
  // A title, even one that is all markup, keeps every heading shown.
  const std::string titled = FinishPage(page, "<img src=\"logo.png\">", "Quiz");
  EXPECT_EQ(titled.find("hidden"), std::string::npos);
  EXPECT_NE(titled.find("<title>Quiz</title>"), std::string::npos);
  EXPECT_NE(FinishPage("<title>Mine</title>", "", "Quiz").find("<title>Mine</title>"),
            std::string::npos);
}

TEST(WebExportText, SafeAssignmentKeepsTheChunksOfPlainValues) {
  for (const std::string& v : {std::string(), std::string("it's"), std::string(100, 'a'),
                               std::string(101, 'b'), std::string(99, 'c') + "\\\\\\",
                               std::string(250, '\'')}) {
    EXPECT_EQ(SafeJSStringAssignment("A[0]", v), MakeJSStringAssignment("A[0]", v)) << v;
  }
  const std::string longValue = std::string(99, 'x') + "</script>" + std::string(5, 'y') + "\r\n";
  const std::string s = SafeJSStringAssignment("A", longValue);
  EXPECT_EQ(s.find("</"), std::string::npos);
  // The only line break is the one between the two statements.
  EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 1);
  EXPECT_EQ(s.find('\n'), s.find("\r\nA+='") + 1);
  EXPECT_NE(s.find("\\r\\n';"), std::string::npos);
}

TEST(WebExportText, FileNamesBecomeSafeRelativeAddresses) {
  EXPECT_EQ(FileNameAsAddress("quizw.htm"), "quizw.htm");
  EXPECT_EQ(FileNameAsAddress("John's #1 quiz?&\"\\.htm"),
            "John%27s%20%231%20quiz%3F%26%22%5C.htm");
  // The bytes the folder holds: UTF-8, whatever form the name is held in (a
  // letter beyond the code page, a literal "&#...;", a byte that is no UTF-8).
  EXPECT_EQ(FileNameAsAddress("caf\xE9 w;1.htm"), "caf%C3%A9%20w%3B1.htm");
  EXPECT_EQ(FileNameAsAddress("quiz&#26085;w.htm"), "quiz%E6%97%A5w.htm");
  EXPECT_EQ(FileNameAsAddress("quiz&#38;#26085;w.htm"), "quiz%26%2326085%3Bw.htm");
  EXPECT_EQ(FileNameAsAddress("a&#56575;[b]%.htm"), "a%FF%5Bb%5D%25.htm");
  // No scheme before a colon, and no character that browsers drop.
  EXPECT_EQ(FileNameAsAddress("unit1:quizc.htm"), "unit1%3Aquizc.htm");
  EXPECT_EQ(FileNameAsAddress("a\tb\x7F.htm"), "a%09b%7F.htm");
  EXPECT_EQ(AttributeValue("a\"b'c"), "a&quot;b'c");
}

class WebExportRun : public ::testing::Test {
 protected:
  FakePlatform ui;
  TempDir dir;

  ExportPlan FramesLikePlan() {
    ExportPlan plan;
    plan.programName = "Askery";
    plan.rootPath = dir.File("quiz.htm");
    plan.rootName = "quiz.htm";
    plan.steps.push_back(ExportStep::Write(dir.File("quizr.htm"), "r", "quizr.htm",
                                           ListEntry::AppendLine, "Unable to save file: quizr.htm"));
    plan.steps.push_back(ExportStep::Write(dir.File("quiz.htm"), "root", "quiz.htm",
                                           ListEntry::Front, "Unable to save file: quiz.htm"));
    plan.Warn("Unable to find source file askeryw.ht_. Reverting to default.", 33000);
    plan.steps.push_back(ExportStep::Write(dir.File("quizw.htm"), "w", "quizw.htm",
                                           ListEntry::AppendLine, "Unable to save file: quizw.htm"));
    plan.steps.push_back(ExportStep::Write(dir.File("quizc.htm"), "c", "quizc.htm",
                                           ListEntry::AppendLine, "Unable to save file: quizc.htm"));
    return plan;
  }
};

TEST_F(WebExportRun, WritesPagesListsThemAndOffersToOpenTheRoot) {
  ui.Answer(ModalResult::OK).Answer(ModalResult::Yes);
  const ExportOutcome out = RunExportPlan(FramesLikePlan(), nullptr);
  EXPECT_EQ(out.list, "quiz.htm\r\nquizr.htm\r\nquizw.htm\r\nquizc.htm");
  EXPECT_EQ(dir.Read("quizc.htm"), "c\r\n");
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "Unable to find source file askeryw.ht_. Reverting to default.");
  EXPECT_EQ(ui.messages[1].text,
            "Askery has created the following files:\r\n\r\nquiz.htm\r\nquizr.htm\r\nquizw.htm\r\n"
            "quizc.htm\r\n\r\nThe root file name is quiz.htm. If this file is loaded into a "
            "browser, the quiz should appear.\r\n\r\nWould you like to view the quiz now?");
  EXPECT_EQ(ui.messages[1].type, MsgType::Information);
  EXPECT_EQ(ui.messages[1].buttons, tavrel::mbYesNoCancel);
  EXPECT_EQ(ui.messages[1].helpContext, 6000);
  EXPECT_EQ(ui.opened, std::vector<std::string>{dir.File("quiz.htm")});
}

TEST_F(WebExportRun, AFailedWriteIsReportedAndLeftOffTheList) {
  ui.Answer(ModalResult::OK).Answer(ModalResult::No);
  int calls = 0;
  const ExportOutcome out =
      RunExportPlan(FramesLikePlan(), nullptr, [&](const std::string& path, const std::string&) {
        ++calls;
        return path.find("quizr") == std::string::npos && path.find("quizw") == std::string::npos;
      });
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(out.list, "quiz.htm\r\nquizc.htm");
  EXPECT_TRUE(ui.messages[0].plain);
  EXPECT_EQ(ui.messages[0].text, "Unable to save file: quizr.htm");
  EXPECT_EQ(ui.messages[2].text, "Unable to save file: quizw.htm");
  EXPECT_TRUE(out.reported);
  EXPECT_TRUE(ui.opened.empty());
}

TEST_F(WebExportRun, WithoutTheRootPageTheReportOffersNothingToOpen) {
  ui.Answer(ModalResult::OK).Answer(ModalResult::OK);
  const ExportOutcome out =
      RunExportPlan(FramesLikePlan(), nullptr, [](const std::string& path, const std::string&) {
        return path.find("quiz.htm") == std::string::npos;
      });
  EXPECT_FALSE(out.rootWritten);
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[2].text,
            "Askery has created the following files:\r\n\r\nquizr.htm\r\nquizw.htm\r\nquizc.htm");
  EXPECT_EQ(ui.messages[2].buttons, tavrel::mbOK);
  EXPECT_TRUE(ui.opened.empty());

  // Nothing written: no report at all.
  ui.ClearRecords();
  ui.Answer(ModalResult::OK);
  const ExportOutcome none = RunExportPlan(
      FramesLikePlan(), nullptr, [](const std::string&, const std::string&) { return false; });
  EXPECT_FALSE(none.reported);
  EXPECT_EQ(ui.messages.back().text, "Unable to save file: quizc.htm");
}

TEST_F(WebExportRun, AStoppingFailureEndsWithoutReportAndTheCursorBack) {
  ExportPlan plan;
  plan.programName = "Askery";
  plan.rootPath = "/no/such/folder/quiz.htm";
  plan.multiPage = false;
  ExportStep write = ExportStep::Write(plan.rootPath, "page", "quiz.htm", ListEntry::None,
                                       "Unable to save file: /no/such/folder/quiz.htm");
  write.stopOnFailure = true;
  write.restoreCursorBefore = true;
  plan.steps.push_back(write);
  {
    tavrel::BusyCursor busy;
    EXPECT_TRUE(ui.busy);
    const ExportOutcome out = RunExportPlan(plan, &busy);
    EXPECT_FALSE(out.reported);
    EXPECT_FALSE(ui.busy);
  }
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Unable to save file: /no/such/folder/quiz.htm\r\nNo such file or directory");
}

TEST_F(WebExportRun, SinglePageReportAndAFailureToOpenTheRoot) {
  ExportPlan plan;
  plan.programName = "Askery";
  plan.rootPath = dir.File("one.htm");
  plan.multiPage = false;
  plan.reportButtons = tavrel::mbYesNo;
  plan.steps.push_back(
      ExportStep::Write(plan.rootPath, "x", "one.htm", ListEntry::None, "Unable to save file: x"));
  ui.SetShellOpenFails(true);
  ui.Answer(ModalResult::Yes);
  RunExportPlan(plan, nullptr);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "Askery has created the following file:\r\n\r\n" + plan.rootPath +
                                     "\r\n\r\nIf this file is loaded into a browser, the quiz "
                                     "should appear.\r\n\r\nWould you like to view the quiz now?");
  EXPECT_EQ(ui.messages[0].buttons, tavrel::mbYesNo);
  EXPECT_TRUE(ui.messages[1].plain);
  EXPECT_EQ(ui.messages[1].text.rfind("Unable to run the program and load the file.", 0), 0u);
}

TEST(WebExportBlank, OnlyYesGoesOn) {
  FakePlatform ui;
  ui.Answer(ModalResult::Yes).Answer(ModalResult::No).Answer(ModalResult::Cancel);
  EXPECT_TRUE(AskContinueWithBlank());
  EXPECT_FALSE(AskContinueWithBlank());
  EXPECT_FALSE(AskContinueWithBlank());
  EXPECT_EQ(ui.messages[0].text,
            "Your file name contains a space. This may cause trouble if you upload it to certain "
            "servers. Do you still wish to continue?");
  EXPECT_EQ(ui.messages[0].type, MsgType::Warning);
  EXPECT_EQ(ui.messages[0].buttons, tavrel::mbYesNoCancel);
  EXPECT_EQ(ui.messages[0].helpContext, 6000);
}

// The template editor writes CR LF after every line, the last one included;
// a supplied template with other line ends would be rewritten by an Accept
// that changed nothing.
TEST(WebExportTemplates, SuppliedTemplatesHaveTheLineEndsTheEditorWrites) {
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TAVREL_SOURCE_DIR "/templates")) {
    if (entry.path().extension() != ".ht_") continue;
    ++seen;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string loaded;
    ASSERT_TRUE(LoadTextFile(entry.path().string(), loaded));
    EXPECT_TRUE(bytes == loaded) << entry.path().filename() << " has line ends the editor would change";
  }
  EXPECT_EQ(seen, 12);
}
