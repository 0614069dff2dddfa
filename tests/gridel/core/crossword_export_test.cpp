#include <gtest/gtest.h>

#include <regex>

#include "GridFixture.h"
#include "gridel/core/CrosswordExport.h"
#include "support/FakePlatform.h"

using namespace gridel;
using gridel::testing::Draw;
using tavrel::testing::FakePlatform;

namespace {

// Every placeholder of a page kind, so that a test can see none is left.
const char* const kCodeTemplate =
    "<html><head><title>[strPlainTitle]</title></head>"
    "<body style=\"background:[strPageBGColor];color:[strTextColor];--t:[strTitleColor];--e:[strExBGColor];--n:[strNavBarColor]\" data-g=\"[strGraphicURL]\">\r\n"
    "<script>\r\nvar Correct='[strCorrect]';\r\nvar Incorrect='[strIncorrect]';\r\nvar Hint='[strGiveHint]';\r\n"
    "var Top='[TopNextExButton]';\r\n[WinLettersArray][AClues][DClues]</script>\r\n"
    "<h1>[strPuzzleTitle]</h1><h2>[strPuzzleSubtitle]</h2>\r\n"
    "<h3>[strCluesAcross]</h3><ul>[StartCluesAcrossLoop]<li>[ClueNumber]. [Clue]</li>[EndCluesAcrossLoop]</ul>\r\n"
    "<h3>[strCluesDown]</h3><ul>[StartCluesDownLoop]<li>[ClueNumber]. [Clue]</li>[EndCluesDownLoop]</ul>\r\n"
    "<table>[StartCellLoop]<TD>[CellNumber]</TD><TD><input data-k=\"[LetterNumber]\"></TD>\r\n[EndCellLoop]</table>\r\n"
    "[inclHelpButton]<p>[HelpButton]</p>[/inclHelpButton][CheckButton][HintButton][NextExButton][ContentsButton][BackButton]"
    "<a href=\"[strContentsURL]\"></a><a href=\"[strNextExURL]\"></a><a href=\"[WelcomeFileName]\">[HelpCaption]</a>\r\n"
    "</body></html>";

const char* const kDHTMLTemplate =
    "<html><head><title>[strPlainTitle]</title><script>\r\n"
    "[StartClueCode]<div>[strCluesAcross]\r\n[StartCluesAcrossLoop]<p>[ClueNumber] [Clue]</p>\r\n[EndCluesAcrossLoop]"
    "[strCluesDown][StartCluesDownLoop]<p>[ClueNumber] [Clue]</p>[EndCluesDownLoop]</div>[EndClueCode]\r\n"
    "[StartGridCode]<table style=\"background:[strExBGColor]\">\r\n"
    "[StartCellLoop]<TD>[CellNumber]</TD><TD data-k=\"[LetterNumber]\"></TD>[EndCellLoop]</table>[EndGridCode]\r\n"
    "var GridMap=[];\r\n[GridMap][WinLettersArray][AClues][DClues]\r\n"
    "var t='[strExerciseTitle]', s='[strExerciseSubtitle]', i='[strInstructions]', c='[strCorrect]', w='[strIncorrect]';\r\n"
    "var b1='[strCheckCaption]', b2='[strHintCaption]', ca='[strCluesAcross]', cd='[strCluesDown]', n='[strNextCorrect]', ok='[strOKCaption]';\r\n"
    "var g='[strGraphicURL]', bc='[strBackCaption]', cc='[strContentsCaption]', nc='[strNextExCaption]', cu='[strContentsURL]', nu='[strNextExURL]';\r\n"
    "var c1='[strPageBGColor]', c2='[strTitleColor]', c3='[strExBGColor]', c4='[strTextColor]', c5='[strNavBarColor]', c6='[strPopupBGColor]';\r\n"
    "[inclKeyNavigation]var keys=1;[/inclKeyNavigation][inclHint]var hint=1;[/inclHint][inclBack]var back=1;[/inclBack]"
    "[inclContents]var contents=1;[/inclContents][inclNextEx]var next=1;[/inclNextEx]\r\n"
    "</script></head><body><script>[Grid][Clues]</script></body></html>";

CrosswordExportInput Input() {
  CrosswordExportInput in;
  in.fileName = "/out/cross.htm";
  in.title = "My crossword";
  in.config.text = {{"editCheck", "Check"}, {"editHint", "Hint"}, {"editHelp", "Help"},
                    {"editCorrect", "Well done"}, {"editCluesAcross", "Across"},
                    {"editCluesDown", "Down"}, {"mmoWelcome", "Hello"},
                    {"editNextEx", "Next"}, {"editNextExURL", "next.htm"}};
  in.config.checked = {{"chkIncludeHint", true}, {"chkIncludeHelp", true},
                       {"chkIncludeNextEx", true}, {"chkKeyNavigation", true}};
  in.frameset.disk = "<title>[strPlainTitle]</title><frame src=\"[WelcomeFileName]\"><frame src=\"[CodeFileName]\">[strPuzzleTitle]";
  in.welcome.disk = "[inclWelcome]<p>[strWelcome]</p>[/inclWelcome][inclInstructions]<p>[strInstructions]</p>[/inclInstructions][NextExButton]";
  in.code.disk = kCodeTemplate;
  in.dhtml.disk = kDHTMLTemplate;
  return in;
}

// A crossword with CAT across and CAR down from one cell, and a lone letter.
struct Fixture {
  Crossword crossword;
  CrosswordWords words;
  Fixture() {
    crossword.grid = Draw(6, {"......", ".CAT..", ".A....", ".R...Q"});
    crossword.clues = {{"CAT", "a pet"}, {"CAR", "it drives"}};
    EXPECT_EQ(CheckBeforeExport(crossword, words), "");
  }
};

const std::string& PageOf(const ExportPlan& plan, const std::string& path) {
  for (const ExportStep& s : plan.steps)
    if (s.kind == ExportStep::Kind::WritePage && s.path == path) return s.text;
  static const std::string none;
  ADD_FAILURE() << "no page " << path;
  return none;
}

// Every script element's text scans as script: quotes close on their line,
// and nothing but the element's own end tag closes it.
void ExpectScriptsScan(const std::string& page) {
  size_t at = 0;
  while ((at = page.find("<script>", at)) != std::string::npos) {
    const size_t end = page.find("</script>", at);
    ASSERT_NE(end, std::string::npos);
    const std::string script = page.substr(at + 8, end - at - 8);
    char quote = 0;
    for (size_t i = 0; i < script.size(); ++i) {
      const char c = script[i];
      if (quote) {
        ASSERT_NE(c, '\n') << script.substr(i > 40 ? i - 40 : 0, 80);
        ASSERT_NE(c, '\r') << script.substr(i > 40 ? i - 40 : 0, 80);
        if (c == '\\') ++i;
        else if (c == quote) quote = 0;
      } else if (c == '\'' || c == '"') {
        quote = c;
      }
    }
    EXPECT_EQ(quote, 0) << script;
    at = end + 9;
  }
}

void ExpectNoPlaceholderLeft(const std::string& page) {
  static const std::regex word(R"(\[/?[A-Za-z]+\])");
  std::smatch m;
  EXPECT_FALSE(std::regex_search(page, m, word)) << m.str();
}

}  // namespace

TEST(CrosswordExportChecks, EmptyGridAndMissingCluesStopTheExport) {
  Crossword empty;
  CrosswordWords words;
  EXPECT_EQ(CheckBeforeExport(empty, words), kNoLettersMessage);
  Crossword c;
  c.grid = Draw(4, {"NO..", "O..."});
  c.clues = {{"no", "first"}, {"zzz", "stale"}};
  EXPECT_EQ(CheckBeforeExport(c, words), kMissingCluesMessage);
  // The lists are rebuilt from the grid, across first: the across word took
  // the one pair, the down word has none, the stale pair is gone.
  ASSERT_EQ(c.clues.size(), 2u);
  EXPECT_EQ(c.clues[0].clue, "first");
  EXPECT_EQ(c.clues[1].word, "NO");
  EXPECT_EQ(c.clues[1].clue, "");
}

TEST(CrosswordFramesExport, PagesArraysLoopsAndGrid) {
  Fixture f;
  const ExportPlan plan = BuildFramesExport(f.crossword.grid, f.words, Input());
  ASSERT_EQ(plan.steps.size(), 3u);
  EXPECT_EQ(plan.steps[0].path, "/out/cross.htm");
  EXPECT_EQ(plan.steps[1].path, "/out/crossw.htm");
  EXPECT_EQ(plan.steps[2].path, "/out/crossc.htm");
  EXPECT_NE(plan.steps[0].text.find("<frame src=\"crossw.htm\"><frame src=\"crossc.htm\">"), std::string::npos);
  EXPECT_NE(plan.steps[1].text.find("<p>Hello</p>"), std::string::npos);
  EXPECT_EQ(plan.steps[1].text.find("inclInstructions"), std::string::npos);

  const std::string& code = plan.steps[2].text;
  ExpectScriptsScan(code);
  ExpectNoPlaceholderLeft(code);
  EXPECT_NE(code.find("WinLetters[0] = 'C';\r\nWinLetters[1] = 'A';\r\nWinLetters[2] = 'T';\r\n"
                      "WinLetters[3] = 'A';\r\nWinLetters[4] = 'R';\r\nWinLetters[5] = 'Q';\r\n"),
            std::string::npos);
  EXPECT_NE(code.find("AClues[1]='a pet';\r\n"), std::string::npos);
  EXPECT_NE(code.find("DClues[1]='it drives';\r\n"), std::string::npos);
  EXPECT_NE(code.find("<ul><li>1. a pet</li></ul>"), std::string::npos);
  // Rows 1 to 3, columns 1 to 5 of the extent; the one number on C; empty
  // cells as two empty table cells.
  EXPECT_NE(code.find("<TR ALIGN=RIGHT>\r\n<TD><A HREF=\"javascript:DoNothing()\" onClick=\"ShowClue(1)\" "
                      "onMouseOver=\"window.status='1'; return true\">1</A></TD><TD><input data-k=\"0\"></TD>\r\n"
                      "<TD></TD><TD><input data-k=\"1\"></TD>\r\n"),
            std::string::npos);
  EXPECT_NE(code.find("<TD></TD>\r\n<TD></TD>\r\n<TD></TD><TD><input data-k=\"5\"></TD>\r\n</TR>\r\n"),
            std::string::npos);
  size_t rows = 0;
  for (size_t p = 0; (p = code.find("<TR ALIGN=RIGHT>", p)) != std::string::npos; ++p) ++rows;
  EXPECT_EQ(rows, 3u);
  // Buttons, and the help button's own placeholders filled after it.
  EXPECT_NE(code.find("<INPUT TYPE=\"button\" VALUE=\"Check\" onClick=\"CheckAnswer()\">"
                      "<INPUT TYPE=\"button\" VALUE=\"Hint\"  onClick=\"Cheat()\">"),
            std::string::npos);
  EXPECT_NE(code.find("VALUE=\"Help\" onClick=\"parent.FeedbackFrame.location='crossw.htm#help'\""), std::string::npos);
  EXPECT_NE(code.find("var Top='<form method=post><INPUT TYPE=\\\"button\\\" VALUE=\\\"Next\\\""), std::string::npos);
}

TEST(CrosswordFramesExport, SectionsAndMissingTemplate) {
  Fixture f;
  CrosswordExportInput in = Input();
  in.config.checked["chkIncludeHelp"] = false;
  in.config.checked["chkIncludeHint"] = false;
  in.config.text["mmoWelcome"] = "";
  in.config.text["mmoInstructions"] = "Fill it in";
  in.welcome.disk.reset();
  in.welcome.store = "<b>store</b>[inclInstructions][strInstructions][/inclInstructions]";
  const ExportPlan plan = BuildFramesExport(f.crossword.grid, f.words, in);
  ASSERT_EQ(plan.steps.size(), 4u);
  EXPECT_EQ(plan.steps[1].message.text, "Unable to find source file gridelw.ht_. Reverting to default.");
  EXPECT_EQ(plan.steps[1].message.helpContext, 33000);
  EXPECT_NE(plan.steps[2].text.find("<b>store</b>Fill it in"), std::string::npos);
  const std::string& code = plan.steps[3].text;
  EXPECT_EQ(code.find("FeedbackFrame"), std::string::npos);
  EXPECT_EQ(code.find("Cheat()"), std::string::npos);
}

TEST(CrosswordSinglePageExport, BlocksMapSectionsAndPlaceholders) {
  Fixture f;
  CrosswordExportInput in = Input();
  in.config.checked["chkIncludeBack"] = true;
  const ExportPlan plan = BuildSinglePageExport(f.crossword.grid, f.words, in);
  ASSERT_EQ(plan.steps.size(), 1u);
  EXPECT_TRUE(plan.steps[0].stopOnFailure);
  const std::string& page = plan.steps[0].text;
  ExpectScriptsScan(page);
  ExpectNoPlaceholderLeft(page);
  EXPECT_NE(page.find("GridMap[0]= [0,1,2,-1,-1];\r\nGridMap[1]= [3,-1,-1,-1,-1];\r\nGridMap[2]= [4,-1,-1,-1,5];\r\n"),
            std::string::npos);
  EXPECT_NE(page.find("ClueCode='<div>Across<p>1 a pet<\\/p>Down<p>1 it drives<\\/p><\\/div>';"), std::string::npos);
  EXPECT_NE(page.find("GridCode='<table style=\"background:\"><TR><TD><A HREF=\"javascript:DoNothing()\""),
            std::string::npos);
  EXPECT_EQ(page.find("StartGridCode"), std::string::npos);
  EXPECT_NE(page.find("var keys=1;var hint=1;var back=1;"), std::string::npos);
  EXPECT_EQ(page.find("var contents"), std::string::npos);
  EXPECT_NE(page.find("var next=1;"), std::string::npos);
  EXPECT_NE(page.find("ca='Across'"), std::string::npos);
}

TEST(CrosswordSinglePageExport, OneColumnCrosswordGivesArrayLiterals) {
  const LetterGrid g = Draw(4, {"S...", "U...", "N..."});
  ClueList stored = {{"SUN", "star"}};
  const CrosswordWords words = GenerateClues(g, stored);
  ExportPlan plan;
  const std::string page = MakeDHTMLCodePage(g, words, Input(), plan);
  EXPECT_NE(page.find("GridMap[0]= [0];\r\nGridMap[1]= [1];\r\nGridMap[2]= [2];\r\n"), std::string::npos);
  EXPECT_EQ(page.find("Array("), std::string::npos);
}

TEST(CrosswordExportSafety, HostileTextLeavesEveryScriptValid) {
  const std::string hostile = "a'b\"c\\d\r\ne</script><script>alert(1)[Grid][strCorrect]<!--";
  Crossword c;
  c.grid = Draw(5, {"'\\..", "\\...", ".....", "..\xC9\xC9."});
  c.clues = {{"'\\", hostile}, {"'\\", hostile}, {"\xC9\xC9", hostile}};
  CrosswordWords words;
  ASSERT_EQ(CheckBeforeExport(c, words), "");
  CrosswordExportInput in = Input();
  in.title = hostile;
  in.fileName = "/out/it's \"my\" [Grid].htm";
  for (auto& [name, value] : in.config.text) value = hostile;
  for (const char* box : {"editGraphicURL", "editNextExURL", "editContentsURL", "editPageBGColor",
                          "editOKCaption", "editPopupBGColor", "mmoSubtitle", "mmoInstructions"})
    in.config.text[box] = hostile;
  in.config.checked["chkIncludeContents"] = true;
  in.config.checked["chkIncludeBack"] = true;

  const ExportPlan frames = BuildFramesExport(c.grid, words, in);
  const std::string& code = PageOf(frames, "/out/it's \"my\" [Grid]c.htm");
  ExpectScriptsScan(code);
  EXPECT_NE(code.find("WinLetters[0] = '\\'';\r\nWinLetters[1] = '\\\\';"), std::string::npos);
  EXPECT_NE(code.find("WinLetters[4] = '%C9';"), std::string::npos);
  // A script element the teacher left open is closed at the end of the text,
  // its content as typed.
  EXPECT_NE(code.find("<li>1. a'b\"c\\d<BR>\r\ne<script>alert(1)[Grid][strCorrect]<\\!--</script></li>"),
            std::string::npos);
  EXPECT_EQ(code.find("data-k=\"[strCorrect]"), std::string::npos);
  // The grid's own placeholder typed into a clue stays text.
  EXPECT_EQ(code.find("<li>1. a'b\"c\\d<BR>\r\ne</script><script>alert(1)[Grid]"), std::string::npos);
  EXPECT_NE(PageOf(frames, "/out/it's \"my\" [Grid].htm").find("src=\"it%27s%20%22my%22%20%5BGrid%5Dw.htm\""),
            std::string::npos);

  const ExportPlan single = BuildSinglePageExport(c.grid, words, in);
  ExpectScriptsScan(single.steps[0].text);
}

TEST(CrosswordExportReport, NamesOnlyThePagesWritten) {
  EXPECT_EQ(FramesReport({"x.htm", "xw.htm", "xc.htm"}, true, "x.htm").text,
            "Gridel has produced three HTML files, \r\n\r\n\"x.htm\", \"xw.htm\" and \"xc.htm\".\r\n\r\n"
            "These files must be placed in the same directory. The frame document is \"x.htm\". "
            "If this is loaded into a browser, the exercise should appear.\r\n\r\n"
            "Would you like to view the exercise now?");
  const ExportReport partial = FramesReport({"xw.htm", "xc.htm"}, false, "x.htm");
  EXPECT_EQ(partial.text,
            "Gridel has produced two HTML files, \r\n\r\n\"xw.htm\" and \"xc.htm\".\r\n\r\n"
            "These files must be placed in the same directory.");
  EXPECT_FALSE(partial.offersView);
  EXPECT_EQ(partial.buttons, tavrel::mbOK);
  EXPECT_TRUE(FramesReport({}, false, "x.htm").text.empty());

  // Run: the root page fails; the report names the two others and offers nothing.
  FakePlatform ui;
  ui.Answer(tavrel::ModalResult::OK);
  Fixture f;
  const ExportPlan plan = BuildFramesExport(f.crossword.grid, f.words, Input());
  const ExportOutcome out = RunExportPlan(
      plan, nullptr, [](const std::string& path, const std::string&) { return path != "/out/cross.htm"; });
  EXPECT_EQ(out.written, (std::vector<std::string>{"/out/crossw.htm", "/out/crossc.htm"}));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "Unable to save file: cross.htm");
  EXPECT_EQ(ui.messages[1].text.substr(0, 35), "Gridel has produced two HTML files,");
  EXPECT_EQ(ui.messages[1].buttons, tavrel::mbOK);
  EXPECT_TRUE(ui.opened.empty());

  // A template missing everywhere: its error, nothing written, no report.
  ui.ClearRecords();
  ui.Answer(tavrel::ModalResult::OK).Answer(tavrel::ModalResult::OK);
  CrosswordExportInput lost = Input();
  lost.code.disk.reset();
  const ExportPlan abandoned = BuildFramesExport(f.crossword.grid, f.words, lost);
  int writes = 0;
  const ExportOutcome stopped = RunExportPlan(
      abandoned, nullptr, [&](const std::string&, const std::string&) { return ++writes > 0; });
  EXPECT_EQ(writes, 0);
  EXPECT_FALSE(stopped.reported);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().type, tavrel::MsgType::Error);

  // The single page: a failed write ends the export without a report.
  ui.ClearRecords();
  const ExportPlan one = BuildSinglePageExport(f.crossword.grid, f.words, Input());
  const ExportOutcome none =
      RunExportPlan(one, nullptr, [](const std::string&, const std::string&) { return false; });
  EXPECT_FALSE(none.reported);
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Unable to save file: /out/cross.htm"}));
}
