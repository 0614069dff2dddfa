// The matching exports' plans: options, rows and answers of the select-list
// page, the drag-and-drop arrays, the refusals, the pages' names and list,
// hostile text, and no placeholder or section marker left in any variant.
#include "pairo/core/MatchExport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <regex>

#include "pairo/ScriptedRandom.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/TQList.h"
#include "support/FakePlatform.h"
#include "support/ResourceLimits.h"
#include "support/TempDir.h"

using pairo::testing::ScriptedRandom;

namespace {

const char* const kCodeTemplate =
    "<html><title>[strPlainTitle]</title>\r\n"
    "[inclTimer]<p>[TimerValue] [strRemainingTime] [strTimesUp]</p>[/inclTimer]\r\n"
    "[inclInstructions]<p>[strInstructions]</p>[/inclInstructions]\r\n"
    "<script>\r\nvar a='[strShowReadingAgain]', b='[strStartReading]', c='[strClickToShow]';\r\n"
    "var s='[strYourScoreIs]', r='[ReadingFileName]';\r\n"
    "[CorrectAnswersArray][RightWrongChars]</script>\r\n"
    "<h1>[strExerciseTitle]</h1><h2>[strExerciseSubtitle]</h2><body "
    "background=\"[strGraphicURL]\">\r\n"
    "<table>[BeginItemRow]<tr><td>[FixedItem]</td><td>[MixedItems]</td>"
    "[BeginIndicatorBox]<td><input name=\"[IndicatorBoxName]\"></td>[EndIndicatorBox]</tr>\r\n"
    "[EndItemRow]</table>\r\n"
    "[CheckButton][NextExButton][ContentsButton][BackButton]\r\n"
    "[inclReading]<p>in a frameset</p>[/inclReading]\r\n"
    "<a href=\"[strContentsURL]\">c</a><a href=\"[strNextExURL]\">n</a>\r\n"
    "<i "
    "style=\"color:[strPageBGColor][strTitleColor][strExBGColor][strTextColor][strNavBarColor]\">"
    "</i></html>\r\n";

const char* const kFramesetTemplate =
    "<html><title>[strPlainTitle]</title>[V3BrowserVersion]v3[/V3BrowserVersion]"
    "[V4BrowserVersion]v4[/V4BrowserVersion][NoReading]none[/NoReading][Reading]reading[/Reading]"
    "[NoTimer]no timer[/NoTimer][Timer]timer[/Timer]"
    "<frame src=\"[CodeFileName]\"><frame src=\"[ReadingFileName]\"></html>\r\n";

const char* const kDragTemplate =
    "<html><title>[strPlainTitle]</title>\r\n<script>\r\n"
    "[inclSlide]var slide=1;[/inclSlide][inclBack]var back=1;[/inclBack]"
    "[inclContents]var contents=1;[/inclContents][inclNextEx]var next=1;[/inclNextEx]"
    "[inclTimer]var timer=[TimerValue];[/inclTimer][inclParent]var parent=1;[/inclParent]\r\n"
    "var t1='[strShowReadingAgain]', t2='[strRemainingTime]', t3='[strTimesUp]';\r\n"
    "var rf='[ReadingFileName]', t4='[strStartReading]', t5='[strClickToShow]';\r\n"
    "var check='[strCheckCaption]', title='[strExerciseTitle]', sub='[strExerciseSubtitle]';\r\n"
    "var ins='[strInstructions]', gc='[strGuessCorrect]', gi='[strGuessIncorrect]';\r\n"
    "var score='[strYourScoreIs]', bc='[strBackCaption]', cc='[strContentsCaption]';\r\n"
    "var nc='[strNextExCaption]', cu='[strContentsURL]', nu='[strNextExURL]';\r\n"
    "var gu='[strGraphicURL]', c1='[strPageBGColor]', c2='[strTitleColor]';\r\n"
    "var c3='[strExBGColor]', c4='[strTextColor]', c5='[strNavBarColor]';\r\n"
    "var c6='[strPopupBGColor]', ok='[strOKCaption]';\r\n"
    "[FixedArray]\r\n[DragArray]\r\n</script></html>\r\n";

void SetPair(TQList& l, int i, const std::string& left, const std::string& right,
             bool fixed = false) {
  l.SetQuestionText(i, left);
  l.SetQuestionExtra(i, right);
  l.SetQuestionFlag(i, fixed);
}

pairo::MatchExportInput Input(const std::string& fileName = "/out/match.htm") {
  pairo::MatchExportInput in;
  in.fileName = fileName;
  in.title = "Capitals";
  in.defaultRight = "???";
  in.config = configdoc::Defaults(configdoc::Program::Pairo);
  in.frameset.disk = kFramesetTemplate;
  in.code.disk = kCodeTemplate;
  in.dhtml.disk = kDragTemplate;
  return in;
}

// The pages the plan writes, by path.
std::map<std::string, std::string> Pages(const ExportPlan& plan) {
  std::map<std::string, std::string> pages;
  for (const ExportStep& s : plan.steps)
    if (s.kind == ExportStep::Kind::WritePage) pages[s.path] = s.PageText();
  return pages;
}

std::vector<std::string> Paths(const ExportPlan& plan) {
  std::vector<std::string> paths;
  for (const ExportStep& s : plan.steps)
    if (s.kind == ExportStep::Kind::WritePage) paths.push_back(s.path);
  return paths;
}

std::vector<std::string> All(const std::string& text, const std::string& pattern) {
  std::vector<std::string> found;
  const std::regex re(pattern);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
       ++it)
    found.push_back(it->size() > 1 ? (*it)[1].str() : it->str());
  return found;
}

// The option texts of the first select list of the page.
std::vector<std::string> FirstOptions(const std::string& page) {
  const auto start = page.find("<SELECT");
  const auto end = page.find("</SELECT>", start);
  return All(page.substr(start, end - start), "<OPTION>([^\r]*)\r\n");
}

std::string CodePage(TQList& l, const pairo::MatchExportInput& in, pairo::IMixRandom& random) {
  const pairo::MatchExport e = pairo::BuildSelectListExport(l, in, random);
  EXPECT_FALSE(e.refusal.has_value());
  return Pages(e.plan)[in.fileName];
}

}  // namespace

TEST(SelectListExport, EveryAnswerPointsAtItsOwnOptionAfterTheJumble) {
  TQList l;
  const std::vector<std::string> rights = {"Paris", "Madrid", "Rome", "Berlin", "Wien"};
  for (int i = 0; i < 5; ++i)
    SetPair(l, i + 1, "Country " + std::to_string(i + 1), rights[static_cast<size_t>(i)]);
  ScriptedRandom random({3, 0, 4, 1, 2});
  const std::string page = CodePage(l, Input(), random);
  const std::vector<std::string> options = FirstOptions(page);
  ASSERT_EQ(options.size(), 6u);
  EXPECT_EQ(options[0], "???");
  EXPECT_EQ(All(page, "<OPTION>").size(), 30u);  // the same six in every list
  const std::vector<std::string> answers = All(page, "CorrectAnswers\\[\\d+\\]=(\\d+);");
  ASSERT_EQ(answers.size(), 5u);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(options[static_cast<size_t>(std::stoi(answers[static_cast<size_t>(i)]))],
              rights[static_cast<size_t>(i)]);
  EXPECT_NE(std::vector<std::string>(options.begin() + 1, options.end()), rights);
  EXPECT_EQ(random.reseeds, 1);
  EXPECT_NE(page.find("<SELECT NAME=\"0\" CLASS=\"choice\" aria-label=\"Country 1\">"), std::string::npos);
}

TEST(SelectListExport, FoldsCaseSharesOptionsOffersDistractorsEachTimeAndShowsFixedItems) {
  TQList l;
  SetPair(l, 1, "France", "Paris");
  SetPair(l, 2, "Capital of France", "PARIS");
  SetPair(l, 3, "", "Lyon");
  SetPair(l, 4, "", "Lyon");
  SetPair(l, 5, "Italy", "Rome", true);
  SetPair(l, 6, "Spain", "Madrid\r\nCapital");
  SetPair(l, 7, "\xC9tat", "\xC9t\xC9");
  SetPair(l, 8, "Summer", "\xE9t\xE9");
  // An option and a list's label show text: tags are left out, a lone "<" stays.
  SetPair(l, 9, "Is <b>2</b> < 3?", "<i>2</i> < 3 <b");
  ScriptedRandom identity;
  const std::string page = CodePage(l, Input(), identity);
  EXPECT_EQ(FirstOptions(page),
            (std::vector<std::string>{"???", "Paris", "Lyon", "Lyon", "Madrid Capital",
                                      "&Eacute;t&Eacute;", "2 &lt; 3 &lt;b"}));
  EXPECT_EQ(All(page, "CorrectAnswers\\[\\d+\\]=(\\d+);"),
            (std::vector<std::string>{"1", "1", "4", "5", "5", "6"}));
  // Rows: no row for distractors; the fixed item shows its text, no list.
  EXPECT_EQ(All(page, "<tr>").size(), 7u);
  EXPECT_NE(page.find("<td>Italy</td><td>Rome</td></tr>"), std::string::npos);
  EXPECT_NE(page.find("aria-label=\"Is 2 &lt; 3?\""), std::string::npos);
  EXPECT_EQ(All(page, "<SELECT NAME=\"(\\d+)\""),
            (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
  EXPECT_EQ(All(page, "<input name=\"(\\d+)\">"),
            (std::vector<std::string>{"1", "3", "5", "7", "9", "11"}));
  // The line break became a blank in the exercise itself.
  EXPECT_EQ(l.GetQuestionExtra(6), "Madrid Capital");
}

// Right items a student cannot tell apart in a select list: blanks at
// either end, doubled or no-break; a reference against its letter; a letter
// and a combining accent against the letter typed whole; markup an option
// does not show.  Items that look different stay apart.
TEST(SelectListExport, RightItemsThatShowAlikeAreOneOptionRightForEachOfTheirRows) {
  TQList l;
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {"France", "Paris"},           {"Texas", "Paris "},
      {"Italy", "Rome"},             {"Ontario", " Paris"},
      {"Coffee", "caf&eacute;"},     {"Cafe", "café"},
      {"Bistro", "caf&#233;"},       {"Bar", "cafe&#769;"},
      {"Tavern", "caf&#xE9;"},       {"Apple", "New  York"},
      {"Big apple", "New&nbsp;York"}, {"State", "New	York"},
      {"Germany", "<b>Berlin</b>"},  {"Wall", "Berlin"},
      {"Typo", "Pari s"},            {"Plain", "cafe"},
      {"Sign", "&#8491;ngstr&ouml;m"}, {"Unit", "Ångström"},
      {"Dots 1", "a&#803;&#775;"},   {"Dots 2", "a&#775;&#803;"},
      {"Hangul", "&#4352;&#4449;"},  {"Syllable", "&#44032;"},
  };
  int i = 0;
  for (const auto& [left, right] : pairs) SetPair(l, ++i, left, right);
  SetPair(l, ++i, "", "Rome ");  // a distractor that shows as a row's item: that option
  SetPair(l, ++i, "", "Oslo");   // distractors of their own: each time
  SetPair(l, ++i, "", "Oslo");
  ScriptedRandom identity;
  const std::string page = CodePage(l, Input(), identity);
  const std::vector<std::string> options = FirstOptions(page);
  EXPECT_EQ(options, (std::vector<std::string>{"???", "Paris", "Rome", "caf&eacute;",
                                               "New York", "Berlin", "Pari s", "cafe",
                                               "&#8491;ngstr&ouml;m", "a&#803;&#775;",
                                               "&#4352;&#4449;", "Oslo", "Oslo"}));
  const std::vector<std::string> answers = All(page, "CorrectAnswers\\[\\d+\\]=(\\d+);");
  EXPECT_EQ(answers, (std::vector<std::string>{"1", "1", "2", "1", "3", "3", "3", "3", "3", "4",
                                               "4", "4", "5", "5", "6", "7", "8", "8", "9", "9",
                                               "10", "10"}));
}

TEST(SelectListExport, RowsWithNothingToMatchAreNotScoredAndMarkerTextStaysWhole) {
  TQList l;
  SetPair(l, 1, "A", "a");
  SetPair(l, 2, "B", "");
  SetPair(l, 3, "C", "x\xA6|1|\xA6y");
  SetPair(l, 4, "", "");
  ScriptedRandom identity;
  const std::string page = CodePage(l, Input(), identity);
  // Each select list has its own entry: the empty row gets 0, C keeps 2.
  EXPECT_NE(page.find("CorrectAnswers[0]=1;\r\nCorrectAnswers[1]=0;\r\nCorrectAnswers[2]=2;\r\n"),
            std::string::npos);
  EXPECT_EQ(FirstOptions(page), (std::vector<std::string>{"???", "a", "x&#166;|1|&#166;y"}));
  EXPECT_EQ(l.Count(), 3);
}

TEST(SelectListExport, FewerThanTwoAnswersToMixRefusesBeforeAnyPage) {
  TQList l;
  SetPair(l, 1, "A", "a");
  SetPair(l, 2, "B", "b", true);
  SetPair(l, 3, "C", "");
  pairo::MatchExportInput in = Input();
  in.reading.include = true;
  in.reading.output = "<html>reading</html>";
  ScriptedRandom random;
  const pairo::MatchExport e = pairo::BuildSelectListExport(l, in, random);
  ASSERT_TRUE(e.refusal.has_value());
  EXPECT_EQ(e.refusal->text, "You don't have enough mixable answers to create an exercise.");
  EXPECT_EQ(e.refusal->helpContext, 0);
  EXPECT_TRUE(e.plan.steps.empty());
  EXPECT_EQ(random.reseeds, 0);
}

TEST(SelectListExport, WithAReadingNamesComeFromTheChosenFileAndAnUnwrittenReadingIsReported) {
  TQList l;
  SetPair(l, 1, "A", "a");
  SetPair(l, 2, "B", "b");
  pairo::MatchExportInput in = Input("/out/unit.1.htm/ex.html");
  in.reading.include = true;
  in.reading.timer = true;
  in.reading.output = "<html>reading</html>";
  in.code.disk.reset();
  in.code.store = kCodeTemplate;
  ScriptedRandom random;
  const pairo::MatchExport e = pairo::BuildSelectListExport(l, in, random);
  ASSERT_FALSE(e.refusal.has_value());
  EXPECT_EQ(Paths(e.plan),
            (std::vector<std::string>{"/out/unit.1.htm/exr.htm", "/out/unit.1.htm/ex.html",
                                      "/out/unit.1.htm/exc.htm"}));
  auto pages = Pages(e.plan);
  const std::string frameset = pages["/out/unit.1.htm/ex.html"];
  EXPECT_NE(frameset.find("v3readingtimer<frame src=\"exc.htm\"><frame src=\"exr.htm\">"),
            std::string::npos);
  EXPECT_NE(pages["/out/unit.1.htm/exc.htm"].find("<p>in a frameset</p>"), std::string::npos);
  EXPECT_NE(pages["/out/unit.1.htm/exc.htm"].find("<p>1 Remaining time: "), std::string::npos);
  // Without a reading the timer box still keeps the timer's section, and the
  // buttons leave "parent." out.
  in.reading.include = false;
  in.config.text["editBack"] = "Back";
  in.config.text["editNextEx"] = "Next";
  in.config.text["editNextExURL"] = "n.htm";
  in.config.checked["chkIncludeNextEx"] = true;
  const std::string alone = Pages(pairo::BuildSelectListExport(l, in, random).plan)[in.fileName];
  EXPECT_NE(alone.find("<p>1 Remaining time: "), std::string::npos);
  EXPECT_EQ(alone.find("<p>in a frameset</p>"), std::string::npos);
  EXPECT_NE(alone.find("onClick=\"location='n.htm'\""), std::string::npos);

  tavrel::testing::FakePlatform ui;
  ui.Answer(tavrel::ModalResult::OK).Answer(tavrel::ModalResult::No);
  const ExportOutcome out =
      RunExportPlan(e.plan, nullptr, [](const std::string& path, const std::string&) {
        return path.find("exr.htm") == std::string::npos;
      });
  EXPECT_EQ(out.list, "ex.html\r\nexc.htm");
  const std::vector<std::string> texts = ui.MessageTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "Unable to save file: exr.htm");
  EXPECT_EQ(texts[1], "Unable to find source file pairoc.ht_. Reverting to default.");
  EXPECT_EQ(texts[2].rfind("Pairo has created the following files:", 0), 0u);
}

TEST(SelectListExport, PagesOfEveryAnswerInEveryRowAreAskedAboutAndWrittenInLittleMemory) {
  auto distinct = [](TQList& l, int n) {
    for (int i = 1; i <= n; ++i)
      SetPair(l, i, "Country " + std::to_string(i), "Capital number " + std::to_string(i));
  };
  ScriptedRandom identity;
  {
    // About 84 MB: asked first, and No writes nothing.
    TQList l;
    distinct(l, 1700);
    const pairo::MatchExport e = pairo::BuildSelectListExport(l, Input(), identity);
    tavrel::testing::FakePlatform ui;
    ui.Answer(tavrel::ModalResult::No);
    int writes = 0;
    const ExportOutcome out =
        RunExportPlan(e.plan, nullptr, [&writes](const std::string&, const std::string&) {
          ++writes;
          return true;
        });
    EXPECT_EQ(writes, 0);
    EXPECT_FALSE(out.reported);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("The page will be about 8", 0), 0u) << ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].buttons, tavrel::mbYesNo);
  }
  if (!tavrel::testing::kMemoryLimitsWork) GTEST_SKIP() << "memory limits do not apply here";
  // About 42 MB written where the program may take 16 MB more.
  tavrel::testing::TempDir dir;
  TQList l;
  distinct(l, 1200);
  const pairo::MatchExportInput in = Input(dir.File("big.htm"));
  const int status = tavrel::testing::RunWithMemoryHeadroom(16 << 20, [&] {
    tavrel::testing::FakePlatform ui;
    ui.Answer(tavrel::ModalResult::No);
    const ExportOutcome out = RunExportPlan(pairo::BuildSelectListExport(l, in, identity).plan, nullptr);
    return out.rootWritten ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  struct stat st {};
  ASSERT_EQ(::stat(in.fileName.c_str(), &st), 0);
  EXPECT_GT(st.st_size, 40 * 1000 * 1000);
  const std::string tail = tavrel::testing::ReadFileBytes(in.fileName).substr(
      static_cast<size_t>(st.st_size) - 200);
  EXPECT_NE(tail.find("</i></html>\r\n"), std::string::npos);
}

TEST(DragDropExport, ArraysFollowItemNumbersWithTheirMatchNumbers) {
  TQList l;
  SetPair(l, 1, "A", "x");
  SetPair(l, 2, "B", "y");
  SetPair(l, 3, "C", "");
  SetPair(l, 4, "D", "y ");
  SetPair(l, 5, " ", "z");
  SetPair(l, 6, "E", "Y", true);
  SetPair(l, 7, "", "");
  pairo::MatchExportInput in = Input();
  const pairo::MatchExport e = pairo::BuildDragDropExport(l, in);
  const std::string page = Pages(e.plan)["/out/match.htm"];
  EXPECT_EQ(All(page, "FixedStuff\\[(\\d+)\\] = new Array\\(\\)"),
            (std::vector<std::string>{"0", "1", "3", "5"}));
  EXPECT_EQ(All(page, "DragStuff\\[(\\d+)\\] = new Array\\(\\)"),
            (std::vector<std::string>{"0", "1", "3", "4", "5"}));
  EXPECT_EQ(All(page, "DragStuff\\[\\d+\\]\\[1\\] = (\\d+);"),
            (std::vector<std::string>{"1", "2", "2", "5", "6"}));
  EXPECT_EQ(All(page, "FixedStuff\\[3\\]\\[1\\] = (\\d+);"), (std::vector<std::string>{"2"}));
  EXPECT_NE(page.find("DragStuff[3][0]='y';"), std::string::npos);  // shown text: no blank at its end
  EXPECT_NE(page.find("DragStuff[5][2] = 1;"), std::string::npos);
  EXPECT_NE(page.find("DragStuff[4][2] = 0;"), std::string::npos);
  EXPECT_NE(page.find("var slide=1;"), std::string::npos);
  EXPECT_EQ(l.Count(), 6);

  TQList plain;
  SetPair(plain, 1, "A", "x");
  const std::string noSlide = Pages(pairo::BuildDragDropExport(plain, in).plan)["/out/match.htm"];
  EXPECT_EQ(noSlide.find("slide"), std::string::npos);
  EXPECT_EQ(e.plan.reportButtons, tavrel::mbYesNo);
  EXPECT_FALSE(e.plan.multiPage);
}

// A card shows its right item without markup, as an option does: cards a
// student cannot tell apart share a match number, so either is right in
// either place; letter case still counts there.
TEST(DragDropExport, CardsThatShowAlikeShareTheirMatchNumber) {
  TQList l;
  const std::vector<std::string> rights = {
      "Paris",     "Paris ",         "paris",      "<b>Paris</b>", "caf&eacute;",  "cafe&#769;",
      "caf\xE9",   "cafe",           "New&nbsp;&nbsp;York",         "New York",     "NewYork",
      "&#8491;",   "\xC5",           " Rome<br>",  "Rome\r\n"};
  for (size_t i = 0; i < rights.size(); ++i)
    SetPair(l, static_cast<int>(i) + 1, "L" + std::to_string(i + 1), rights[i]);
  const std::string page = Pages(pairo::BuildDragDropExport(l, Input()).plan)["/out/match.htm"];
  EXPECT_EQ(All(page, "DragStuff\\[\\d+\\]\\[1\\] = (\\d+);"),
            (std::vector<std::string>{"1", "1", "3", "1", "5", "5", "5", "8", "9", "9", "11", "12",
                                      "12", "14", "14"}));
  EXPECT_EQ(All(page, "FixedStuff\\[\\d+\\]\\[1\\] = (\\d+);"),
            All(page, "DragStuff\\[\\d+\\]\\[1\\] = (\\d+);"));
  // Each card keeps its own text.
  EXPECT_NE(page.find("DragStuff[2][0]='paris';"), std::string::npos);
}

TEST(DragDropExport, LongExercisesAreCountedToTheFirstEmptyPair) {
  TQList l;
  for (int i = 1; i <= 20; ++i) SetPair(l, i, "L" + std::to_string(i), "R" + std::to_string(i));
  EXPECT_EQ(pairo::CountItemsForWarning(l), 20);
  SetPair(l, 5, "", "");
  EXPECT_EQ(pairo::CountItemsForWarning(l), 4);
  EXPECT_FALSE(pairo::LongExerciseQuestion(12).has_value());
  const auto q = pairo::LongExerciseQuestion(13);
  ASSERT_TRUE(q.has_value());
  EXPECT_EQ(q->text.rfind("You have 13 items in this exercise. Including such", 0), 0u);
  EXPECT_EQ(q->buttons, tavrel::mbYesNoCancel);
}

TEST(DragDropExport, WithAReadingTheFramesetNamesTheCompanionPagesOfTheChosenFolder) {
  TQList l;
  SetPair(l, 1, "A", "x");
  pairo::MatchExportInput in = Input("/out/unit.htm.d/ex.htm");
  in.reading.include = true;
  in.reading.output = "<html>reading</html>";
  const pairo::MatchExport withPage = pairo::BuildDragDropExport(l, in);
  EXPECT_EQ(Paths(withPage.plan),
            (std::vector<std::string>{"/out/unit.htm.d/exr.htm", "/out/unit.htm.d/exc.htm",
                                      "/out/unit.htm.d/ex.htm"}));
  EXPECT_EQ(withPage.plan.viewQuestion, "Would you like to view the exercise now?");
  auto pages = Pages(withPage.plan);
  EXPECT_NE(pages["/out/unit.htm.d/exc.htm"].find("var rf='exr.htm'"), std::string::npos);
  EXPECT_NE(pages["/out/unit.htm.d/ex.htm"].find(
                "v4readingno timer<frame src=\"exc.htm\"><frame src=\"exr.htm\">"),
            std::string::npos);

  in.reading.timer = true;
  in.reading.output = "http://example.org/read'ing.htm ";
  const pairo::MatchExport address = pairo::BuildDragDropExport(l, in);
  EXPECT_EQ(Paths(address.plan).size(), 2u);
  pages = Pages(address.plan);
  EXPECT_NE(pages["/out/unit.htm.d/ex.htm"].find("<frame src=\"javascript:document.write('');\">"),
            std::string::npos);
  EXPECT_NE(pages["/out/unit.htm.d/exc.htm"].find("var rf='http://example.org/read%27ing.htm'"),
            std::string::npos);
  EXPECT_NE(pages["/out/unit.htm.d/exc.htm"].find("var timer=1;"), std::string::npos);
}

TEST(MatchExports, HostileTextStaysInsideItsStringAndFillsNoPlaceholder) {
  const std::string hostile = "It's \"x\" \\ </script> [strNextExURL]\r\nnext";
  TQList l;
  SetPair(l, 1, hostile, hostile);
  SetPair(l, 2, "B", "b");
  pairo::MatchExportInput in = Input();
  in.title = hostile;
  for (auto& [name, value] : in.config.text) value = hostile;
  in.config.text["editNextExURL"] = "NEXT";
  in.config.checked["chkIncludeNextEx"] = true;

  const std::string drag = Pages(pairo::BuildDragDropExport(l, in).plan)["/out/match.htm"];

  const std::string escaped = "It\\'s \"x\" \\\\ <\\/script> \\x5BstrNextExURL]";
  // An end tag the text never opened is left out.
  EXPECT_NE(drag.find("title='It\\'s \"x\" \\\\  &#91;strNextExURL]<BR>\\r\\nnext',"),
            std::string::npos);
  EXPECT_NE(
      drag.find("check='It\\'s &quot;x&quot; \\\\ <\\/script> \\x5BstrNextExURL]\\r\\nnext',"),
      std::string::npos);
  // A card shows its text as an option does: the tag left out, the blanks
  // around it one.
  EXPECT_NE(drag.find("DragStuff[0][0]='It\\'s \"x\" \\\\ &#91;strNextExURL] next';"),
            std::string::npos);
  EXPECT_GT(drag.find("</script>"), drag.find("DragStuff[1][2]"));
  EXPECT_EQ(All(drag, "NEXT").size(), 1u);

  ScriptedRandom identity;
  const std::string select = CodePage(l, in, identity);
  EXPECT_GT(select.find("</script>", select.find("<script>")), select.find("winwrongchar="));
  EXPECT_EQ(All(select, "NEXT").size(), 2u);  // the button and the link, nothing typed
  EXPECT_NE(select.find("<OPTION>It's \"x\" \\ &#91;strNextExURL] next\r\n"),
            std::string::npos);
  EXPECT_NE(select.find("aria-label=\"It's &quot;x&quot; \\ &#91;strNextExURL] next\""),
            std::string::npos);
  EXPECT_NE(select.find("var s='" + escaped + "\\r\\nnext'"), std::string::npos);
  EXPECT_NE(select.find("color:It's &quot;x&quot;"), std::string::npos);
}

TEST(MatchExports, NoVariantLeavesAPlaceholderOrSectionMarker) {
  for (const bool reading : {false, true}) {
    for (const bool timer : {false, true}) {
      TQList l;
      SetPair(l, 1, "A", "a", true);
      SetPair(l, 2, "B", "b");
      SetPair(l, 3, "C", "c");
      pairo::MatchExportInput in = Input();
      in.reading.include = reading;
      in.reading.timer = timer;
      in.reading.output = "<html>reading</html>";
      in.config.text["mmoInstructions"] = "Do it";
      ScriptedRandom random;
      std::vector<std::pair<std::string, std::string>> pages;
      for (const auto& p : Pages(pairo::BuildSelectListExport(l, in, random).plan))
        pages.push_back(p);
      for (const auto& p : Pages(pairo::BuildDragDropExport(l, in).plan)) pages.push_back(p);
      for (const auto& [path, page] : pages) {
        if (path.find("r.htm") != std::string::npos) continue;
        SCOPED_TRACE(path + (reading ? " reading" : "") + (timer ? " timer" : ""));
        EXPECT_EQ(All(page, "\\[/?[A-Za-z]+\\]"), std::vector<std::string>{});
      }
    }
  }
}
