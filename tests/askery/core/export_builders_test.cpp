// The quiz's page builders: pages, names, sections, placeholders, arrays and
// the list of created files, from small templates of the tests' own.
#include <gtest/gtest.h>

#include "askery/core/QuizExport.h"
#include "shared/core/TQList.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

using namespace askery;

using tavrel::ModalResult;
using tavrel::testing::FakePlatform;
using tavrel::testing::TempDir;

namespace {

void AddQuestion(TQList& q, const std::string& text, const std::vector<std::string>& answers) {
  const int n = q.AddQuestion();
  q.SetQuestionText(n, text);
  for (std::size_t i = 0; i < answers.size(); ++i)
    q.SetAnswer(n, static_cast<int>(i) + 1, answers[i], "", 1);
}

std::vector<const ExportStep*> Writes(const ExportPlan& plan) {
  std::vector<const ExportStep*> w;
  for (const ExportStep& s : plan.steps)
    if (s.kind == ExportStep::Kind::WritePage) w.push_back(&s);
  return w;
}

const ExportStep& PageNamed(const ExportPlan& plan, const std::string& name) {
  for (const ExportStep* s : Writes(plan))
    if (s->listName == name) return *s;
  throw std::runtime_error("no page " + name);
}

std::vector<std::string> Messages(const ExportPlan& plan) {
  std::vector<std::string> m;
  for (const ExportStep& s : plan.steps)
    if (s.kind == ExportStep::Kind::Message) m.push_back(s.message.text);
  return m;
}

QuizExportInput Input(const std::string& fileName = "/w/quiz.htm") {
  QuizExportInput in;
  in.fileName = fileName;
  in.title = "My <b>quiz</b>";
  in.config.text = {{"editCheck", "Check"}, {"editHint", "Hint"}, {"editShow", "Show"},
                    {"editHelp", "Help"},   {"mmoWelcome", "Hi"}};
  in.config.checked = {{"chkIncludeHint", true}, {"chkIncludeShowAnswer", true}};
  in.frameset.disk = "<head></head>[V3BrowserVersion]F[strPlainTitle]|[WelcomeFileName]|[CodeFileName]|"
                     "[ReadingFileName][NoReading]-noreading[/NoReading][Reading]-reading[/Reading]"
                     "[NoTimer]-notimer[/NoTimer][Timer]-timer[/Timer][/V3BrowserVersion]"
                     "[V4BrowserVersion]V4[strPlainTitle]|[CodeFileName]|[ReadingFileName][/V4BrowserVersion]";
  in.welcome.disk = "<head></head>W[strPlainTitle][inclWelcome]+[strWelcome][/inclWelcome]"
                    "[inclInstructions]+instr[/inclInstructions]";
  in.code.disk = "<head></head>[inclHelpButton]H[HelpButton][/inclHelpButton]"
                 "<q>[StartQuestionLoop]#[QNum]:[Question]:[CheckButton][HintButton][ShowButton]"
                 "[EndQuestionLoop]after\r\n<s>[Answers]</s><e>[strEscapeLookup]</e>"
                 "<r>[ReadingFileName]</r><g>[strGuessCorrect]</g>";
  in.dhtml.disk = "<head></head>[inclBack]B[/inclBack][inclContents]C[/inclContents]"
                  "[inclNextEx]N[/inclNextEx][inclTimer]T[/inclTimer][inclParent]P[/inclParent]"
                  "[inclHint]H[/inclHint][inclShow]S[/inclShow]|[ReadingFileName]|"
                  "<i>[strItemArray]</i><e>[strEscapeLookup]</e><t>[strExerciseTitle]</t>";
  return in;
}

}  // namespace

TEST(FramesExport, PagesNamesAndListOrder) {
  TQList q;
  AddQuestion(q, "Q1", {"a"});
  QuizExportInput in = Input("/w/quiz.html");
  ExportPlan plan = BuildFramesExport(q, in);
  auto w = Writes(plan);
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(w[0]->path, "/w/quiz.html");
  EXPECT_EQ(w[0]->list, ListEntry::Front);
  EXPECT_EQ(w[1]->path, "/w/quizw.htm");
  EXPECT_EQ(w[2]->path, "/w/quizc.htm");
  EXPECT_EQ(w[2]->failureText, "Unable to save file: quizc.htm");
  EXPECT_EQ(w[0]->failureText, "Unable to save file: quiz.html");
  EXPECT_EQ(plan.reportButtons, tavrel::mbYesNoCancel);
  EXPECT_EQ(w[0]->text.substr(w[0]->text.find('F')),
            "FMy quiz|quizw.htm|quizc.htm|quizr.htm-noreading-notimer");
  EXPECT_NE(w[0]->text.find("<META NAME=\"Author\" CONTENT=\"Created with Tavrel by Corvane Software.\">"),
            std::string::npos);

  in.reading = {true, true, 5, "<html>reading</html>", {}};
  in.reading.outputMessages.push_back({"reading note", tavrel::MsgType::Warning, tavrel::mbOK, 33000, false});
  plan = BuildFramesExport(q, in);
  w = Writes(plan);
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(plan.steps[0].message.text, "reading note");
  EXPECT_EQ(w[0]->path, "/w/quizr.htm");
  EXPECT_EQ(w[0]->text, "<html>reading</html>");
  EXPECT_EQ(w[0]->failureText, "Unable to save file: quizr.htm");
  EXPECT_NE(w[1]->text.find("quizr.htm-reading-timer"), std::string::npos);

  // The list as the report shows it.
  FakePlatform ui;
  ui.Answer(ModalResult::OK).Answer(ModalResult::No);
  const ExportOutcome out = RunExportPlan(plan, nullptr, [](const std::string& p, const std::string&) {
    return p != "/w/quizr.htm";  // the reading page's write fails
  });
  EXPECT_EQ(out.list, "quiz.html\r\nquizw.htm\r\nquizc.htm");
  EXPECT_EQ(ui.messages[1].text, "Unable to save file: quizr.htm");
}

TEST(FramesExport, WebAddressReadingWritesNoReadingPage) {
  TQList q;
  QuizExportInput in = Input();
  in.reading = {true, false, 1, "HTTP://example.org/r.htm?a=1&b=\"2\"", {}};
  ExportPlan plan = BuildFramesExport(q, in);
  auto w = Writes(plan);
  ASSERT_EQ(w.size(), 3u);
  EXPECT_NE(w[0]->text.find("|HTTP://example.org/r.htm?a=1&b=&quot;2&quot;-reading"), std::string::npos);
  EXPECT_NE(w[2]->text.find("<r>HTTP://example.org/r.htm?a=1&b=&quot;2&quot;</r>"), std::string::npos);
}

TEST(FramesExport, TimerSectionsFollowTheTimerAlone) {
  TQList q;
  QuizExportInput in = Input();
  in.reading.timer = true;
  const ExportPlan plan = BuildFramesExport(q, in);
  EXPECT_NE(Writes(plan)[0]->text.find("-noreading-timer"), std::string::npos);
}

TEST(FramesExport, EmptyQuestionsAndTrailingAnswersGoBeforeNumbering) {
  TQList q;
  AddQuestion(q, "One", {"a", "", "b", "", ""});
  AddQuestion(q, "", {});
  AddQuestion(q, "Three", {"c"});
  AddQuestion(q, "", {""});
  AddQuestion(q, "Five", {"d"});
  const ExportPlan plan = BuildFramesExport(q, Input());
  EXPECT_EQ(q.Count(), 3);
  EXPECT_EQ(q.GetAnswerCount(1), 3);
  const std::string& code = PageNamed(plan, "quizc.htm").text;
  EXPECT_NE(code.find("#1:One:"), std::string::npos);
  EXPECT_NE(code.find("#2:Three:"), std::string::npos);
  EXPECT_NE(code.find("#3:Five:"), std::string::npos);
  EXPECT_EQ(code.find("#4:"), std::string::npos);
  EXPECT_NE(code.find("<s>Answers[0] = new Array();\r\nAnswers[0][0]='a';\r\nAnswers[0][1]='';\r\n"
                      "Answers[0][2]='b';\r\nAnswers[1] = new Array();\r\nAnswers[1][0]='c';\r\n"
                      "Answers[2] = new Array();\r\nAnswers[2][0]='d';\r\n</s>"),
            std::string::npos);
  // Text after the end marker stays after the questions.
  EXPECT_NE(code.find("\r\n\r\nafter\r\n"), std::string::npos);
}

TEST(FramesExport, ButtonsOfEachQuestion) {
  TQList q;
  AddQuestion(q, "Q", {"a"});
  QuizExportInput in = Input();
  std::string code = PageNamed(BuildFramesExport(q, in), "quizc.htm").text;
  EXPECT_NE(code.find("<INPUT TYPE=\"button\" VALUE=\"Check\" onClick='CheckAnswer(false, 1)'>"
                      "<INPUT TYPE=\"button\" VALUE=\"Hint\" onClick='CheckAnswer(true, 1)'>"
                      "<INPUT TYPE=\"button\" VALUE=\"Show\" onClick='ShowAnswers(1)'>"),
            std::string::npos);
  EXPECT_EQ(code.find("H<INPUT"), std::string::npos);  // help section removed

  in.config.text["editHint"] = "";
  in.config.text["editCheck"] = "";
  in.config.checked["chkIncludeShowAnswer"] = false;
  in.config.checked["chkIncludeHelp"] = true;
  TQList q2;
  AddQuestion(q2, "Q", {"a"});
  code = PageNamed(BuildFramesExport(q2, in), "quizc.htm").text;
  EXPECT_NE(code.find("#1:Q:\r\n\r\nafter"), std::string::npos);
  EXPECT_EQ(code.find("CheckAnswer"), std::string::npos);
  EXPECT_NE(code.find("H<INPUT TYPE=\"button\" VALUE=\"Help\" "
                      "onClick=\"parent.FeedbackFrame.location='quizw.htm#help'\"><BR>"),
            std::string::npos);
}

TEST(FramesExport, AccentedAnswersAreEscapedAndListed) {
  TQList q;
  AddQuestion(q, "Caf\xE9?", {"caf\xE9", "100%"});
  const ExportPlan plan = BuildFramesExport(q, Input());
  const std::string& code = PageNamed(plan, "quizc.htm").text;
  EXPECT_NE(code.find("Answers[0][0]='caf%E9';"), std::string::npos);
  EXPECT_NE(code.find("Answers[0][1]='100%25';"), std::string::npos);
  EXPECT_NE(code.find("CharList[0]='%E9';"), std::string::npos);
  EXPECT_NE(code.find("EscapeList[0]='&eacute;';"), std::string::npos);
  EXPECT_NE(code.find("#1:Caf&eacute;?:"), std::string::npos);
  for (const ExportStep* s : Writes(plan))
    for (unsigned char c : s->text) ASSERT_LT(c, 128) << s->listName;
}

TEST(FramesExport, NoTextCanBreakTheScript) {
  TQList q;
  AddQuestion(q, "Q", {"it's \"a\" \\ </script>\r\nnext"});
  QuizExportInput in = Input();
  in.config.text["editGuessCorrect"] = "Don't\r\nstop </SCRIPT> \\o/";
  const std::string code = PageNamed(BuildFramesExport(q, in), "quizc.htm").text;
  EXPECT_NE(code.find("Answers[0][0]='it\\'s \"a\" \\\\ <\\/script>\\r\\nnext';"), std::string::npos);
  EXPECT_NE(code.find("<g>Don\\'t\\r\\nstop <\\/SCRIPT> \\\\o/</g>"), std::string::npos);
}

TEST(FramesExport, PlaceholderWordsTypedIntoScriptTextsStayText) {
  TQList q;
  AddQuestion(q, "Q", {"[Answers] a"});
  QuizExportInput in = Input();
  in.config.text["editGuessCorrect"] = "See [Answers] and [Questions]";
  const std::string code = PageNamed(BuildFramesExport(q, in), "quizc.htm").text;
  EXPECT_NE(code.find("<g>See \\x5BAnswers] and \\x5BQuestions]</g>"), std::string::npos);
  EXPECT_NE(code.find("Answers[0][0]='\\x5BAnswers] a';"), std::string::npos);
}

TEST(FramesExport, MissingTemplatesFallBackToTheStoreWithOneWarningEach) {
  TQList q;
  AddQuestion(q, "Q", {"a"});
  QuizExportInput in = Input();
  in.code.disk.reset();
  in.code.store = "<head></head>store [StartQuestionLoop][QNum][EndQuestionLoop]";
  in.welcome.disk.reset();
  in.welcome.store = "<head></head>welcome from the store";
  const ExportPlan plan = BuildFramesExport(q, in);
  EXPECT_EQ(Messages(plan), (std::vector<std::string>{
                                "Unable to find source file askeryw.ht_. Reverting to default.",
                                "Unable to find source file askeryc.ht_. Reverting to default."}));
  EXPECT_NE(PageNamed(plan, "quizc.htm").text.find("store 1\r\n\r\n"), std::string::npos);
  // Warnings come right before the page they concern.
  EXPECT_EQ(plan.steps[1].kind, ExportStep::Kind::Message);
  EXPECT_EQ(plan.steps[2].listName, "quizw.htm");
}

TEST(FramesExport, ACodeTemplateWithoutLoopMarkersGetsNoQuestions) {
  for (const std::string tpl : {"<head></head>x[StartQuestionLoop]y[QNum]", "<head></head>x[EndQuestionLoop]y",
                                "<head></head>[EndQuestionLoop]x[StartQuestionLoop]"}) {
    TQList q;
    AddQuestion(q, "Question", {"a"});
    QuizExportInput in = Input();
    in.code.disk = tpl;
    const std::string code = PageNamed(BuildFramesExport(q, in), "quizc.htm").text;
    EXPECT_EQ(code.find("Question"), std::string::npos) << tpl;
    EXPECT_EQ(code.find("Loop]"), std::string::npos) << tpl;
  }
}

TEST(SinglePageExport, ItemArrayAndCharacterScript) {
  TQList q;
  AddQuestion(q, "Line one\r\nline \xE9", {"  caf\xE9 ", "", "b", ""});
  AddQuestion(q, "", {});
  AddQuestion(q, "Two", {"x"});
  QuizExportInput in = Input();
  const ExportPlan plan = BuildSinglePageExport(q, in);
  ASSERT_EQ(Writes(plan).size(), 1u);
  const ExportStep& page = *Writes(plan)[0];
  EXPECT_EQ(page.path, "/w/quiz.htm");
  EXPECT_TRUE(page.stopOnFailure);
  EXPECT_TRUE(page.restoreCursorBefore);
  EXPECT_EQ(page.failureText, "Unable to save file: /w/quiz.htm");
  EXPECT_FALSE(plan.multiPage);
  EXPECT_EQ(plan.reportButtons, tavrel::mbYesNo);
  EXPECT_NE(page.text.find("<i>\r\nI[0] = new Array();\r\nI[0][0]='Line one<BR>\\r\\nline &eacute;';\r\n"
                           "I[0][1] = new Array();\r\nI[0][1][0] = new Array();\r\n"
                           "I[0][1][0][0]='caf%E9';\r\nI[0][1][1] = new Array();\r\n"
                           "I[0][1][1][0]='';\r\nI[0][1][2] = new Array();\r\nI[0][1][2][0]='b';\r\n"
                           "\r\nI[1] = new Array();\r\nI[1][0]='Two';\r\nI[1][1] = new Array();\r\n"
                           "I[1][1][0] = new Array();\r\nI[1][1][0][0]='x';\r\n</i>"),
            std::string::npos);
  EXPECT_NE(page.text.find("CharList[0]='%E9';"), std::string::npos);
  EXPECT_EQ(q.Count(), 2);
  // Sections: hint and show kept, the rest removed; no reading: no timer, no parent.
  EXPECT_NE(page.text.find("</head>HS||"), std::string::npos);
  EXPECT_NE(page.text.find("<t>My <b>quiz<\\/b></t>"), std::string::npos);
}

TEST(SinglePageExport, WithoutQuestionsTheArraysAreEmpty) {
  TQList q;
  const ExportPlan plan = BuildSinglePageExport(q, Input());
  EXPECT_NE(Writes(plan)[0]->text.find("<i></i><e></e>"), std::string::npos);
}

TEST(SinglePageExport, WithAReadingFramesetExercisePageAndReadingPage) {
  TQList q;
  AddQuestion(q, "Q", {"a"});
  QuizExportInput in = Input("/w/unit.htm/it's quiz.htm");
  in.config.checked["chkIncludeBack"] = true;
  in.reading = {true, true, 3, "<p>text</p>", {}};
  const ExportPlan plan = BuildSinglePageExport(q, in);
  auto w = Writes(plan);
  ASSERT_EQ(w.size(), 3u);
  // Names from the chosen file's folder and base name, never from a folder.
  EXPECT_EQ(w[0]->path, "/w/unit.htm/it's quizr.htm");
  EXPECT_EQ(w[1]->path, "/w/unit.htm/it's quizc.htm");
  EXPECT_EQ(w[2]->path, "/w/unit.htm/it's quiz.htm");
  EXPECT_EQ(w[1]->failureText, "Unable to save file: it's quizc.htm");
  EXPECT_EQ(w[2]->failureText, "Unable to save file: /w/unit.htm/it's quiz.htm");
  EXPECT_NE(w[1]->text.find("</head>BTPHS|it%27s%20quizr.htm|"), std::string::npos);
  EXPECT_NE(w[2]->text.find("V4My quiz|it%27s%20quizc.htm|it%27s%20quizr.htm"), std::string::npos);
  EXPECT_EQ(w[2]->text.find("[V3"), std::string::npos);
  EXPECT_EQ(w[2]->text.find("F"), std::string::npos);
  EXPECT_TRUE(plan.multiPage);
  EXPECT_EQ(plan.reportButtons, tavrel::mbYesNo);

  FakePlatform ui;
  ui.Answer(ModalResult::No);
  TempDir dir;
  QuizExportInput there = in;
  there.fileName = dir.File("quiz.htm");
  TQList q2;
  const ExportOutcome out = RunExportPlan(BuildSinglePageExport(q2, there), nullptr);
  EXPECT_EQ(out.list, "quiz.htm\r\nquizc.htm\r\nquizr.htm");
  EXPECT_EQ(ui.messages[0].text.find("Askery has created the following files:\r\n\r\nquiz.htm\r\n"
                                     "quizc.htm\r\nquizr.htm\r\n\r\nThe root file name is quiz.htm. "),
            0u);
}

TEST(SinglePageExport, TimedWebAddressReading) {
  TQList q;
  QuizExportInput in = Input();
  in.reading = {true, true, 1, "https://example.org/it's.htm", {}};
  ExportPlan plan = BuildSinglePageExport(q, in);
  auto w = Writes(plan);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_NE(w[0]->text.find("|https://example.org/it\\'s.htm|"), std::string::npos);
  EXPECT_NE(w[1]->text.find("|javascript:document.write('');"), std::string::npos);

  in.reading.timer = false;
  plan = BuildSinglePageExport(q, in);
  EXPECT_NE(Writes(plan)[1]->text.find("|https://example.org/it's.htm"), std::string::npos);
  EXPECT_NE(Writes(plan)[0]->text.find("</head>P"), std::string::npos);  // no timer section
}

TEST(SinglePageExport, FramesetWarningComesBeforeTheReadingMessages) {
  TQList q;
  QuizExportInput in = Input();
  in.frameset.disk.reset();
  in.frameset.store = "<head></head>frameset from the store";
  in.reading = {true, false, 1, "", {{"reading note", tavrel::MsgType::Warning, tavrel::mbOK, 12500, false}}};
  const ExportPlan plan = BuildSinglePageExport(q, in);
  EXPECT_EQ(Messages(plan), (std::vector<std::string>{
                                "Unable to find source file askery.ht_. Reverting to default.",
                                "reading note"}));
}

// The single page's sections and placeholders run in a fixed order; it shows
// where a value or a section's removal forms another marker.
TEST(SinglePageExport, SectionsThenPlaceholdersInTheirOrder) {
  auto body = [](const ExportPlan& plan) {
    const std::string& t = Writes(plan)[0]->text;
    return t.substr(t.find("</head>") + 7);
  };
  TQList q;
  AddQuestion(q, "Q", {"a"});
  QuizExportInput in = Input();
  in.config.text["mmoQuizSubtitle"] = "Sub";
  // The title's plain form is teacher text: no placeholder word in it is
  // filled, whether its replacement comes before or after the title's, and
  // its brackets show as typed.
  in.title = "A <b>[strEscapeLookup]</b> [strExerciseTitle] [CaseSensitive] | "
             "[strExerciseSubtitle] [boolShuffleQs] [strItemArray] [inclBack]x[/inclBack]";
  in.dhtml.disk = "<head></head>[strPlainTitle]";
  EXPECT_EQ(body(BuildSinglePageExport(q, in)),
            "A &#91;strEscapeLookup] &#91;strExerciseTitle] &#91;CaseSensitive] | "
            "&#91;strExerciseSubtitle] &#91;boolShuffleQs] &#91;strItemArray] "
            "&#91;inclBack]x&#91;/inclBack]");

  // Overlapping sections, both removed: the back section goes first and takes
  // the contents section's start with it, so only its end marker is left.  A
  // marker that a later kept section joins up comes too late to be processed.
  in.title = "T";
  in.dhtml.disk = "<head></head>[inclBack]1[inclContents]2[/inclBack]3[/inclContents]4|"
                  "[incl[inclShow]Back]5[/inclBack]|[strPlain[inclHint]Title]";
  EXPECT_EQ(body(BuildSinglePageExport(q, in)), "3[/inclContents]4|[inclBack]5[/inclBack]|T");
}

// A template that is empty after every fallback (its file, the template
// store, the supplied copy) stops the export: an error names the template and
// the folder it was looked for in, no page is written and nothing is
// reported as created.  The same holds for the reading template.
TEST(ExportWithoutTemplate, StopsWithAnErrorAndWritesNothing) {
  for (bool readingFails : {false, true}) {
    SCOPED_TRACE(readingFails);
    TQList q;
    AddQuestion(q, "Q", {"a"});
    QuizExportInput in = Input();
    if (readingFails) {
      in.reading.include = true;
      in.reading.outputFailed = true;
      in.reading.outputMessages = {{"reading error", tavrel::MsgType::Error, tavrel::mbOK, 33000, false}};
    } else {
      in.code.disk.reset();
      in.code.folder = "/tpl/";
    }
    const ExportPlan plan = BuildFramesExport(q, in);
    EXPECT_TRUE(plan.abandoned);

    FakePlatform ui;
    ui.Answer(ModalResult::OK);
    if (!readingFails) ui.Answer(ModalResult::OK);
    tavrel::BusyCursor busy;
    std::vector<std::string> written;
    const ExportOutcome out = RunExportPlan(plan, &busy, [&](const std::string& p, const std::string&) {
      written.push_back(p);
      return true;
    });
    EXPECT_TRUE(written.empty());
    EXPECT_FALSE(out.reported);
    EXPECT_FALSE(ui.busy);
    const std::vector<std::string> shown = ui.MessageTexts();
    ASSERT_FALSE(shown.empty());
    if (readingFails) {
      EXPECT_EQ(shown, std::vector<std::string>{"reading error"});
    } else {
      EXPECT_EQ(shown.front(), "Unable to find source file askeryc.ht_. Reverting to default.");
      EXPECT_EQ(shown.back(),
                "The template askeryc.ht_ was not found in /tpl/, and no default text is "
                "available for it. Nothing has been exported.");
      EXPECT_EQ(ui.messages.back().type, tavrel::MsgType::Error);
    }
  }
}
