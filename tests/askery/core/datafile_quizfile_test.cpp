// The quiz file's text: byte-exact writing, reading back, question records,
// and the old line-based quiz files.
#include <gtest/gtest.h>

#include <string>

#include "askery/core/QuizFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"
#include "support/TempDir.h"

using namespace askery;

using tavrel::testing::ReadFileBytes;
using tavrel::testing::TempDir;

namespace {

std::string GoldenPath(const std::string& name) {
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/')) + "/../golden/" + name;
}

std::string DefaultConfigXML() {
  return configdoc::MakeConfigXML(configdoc::Program::Askery,
                                  configdoc::Defaults(configdoc::Program::Askery));
}

// The quiz of golden/quiz_saved.aky as the editor would leave it: empty
// questions, trailing empty answers, an answer loaded as not correct.
void FillSampleQuiz(TQList& q) {
  q.SetQuestionText(1, "What is 2 + 2?");
  q.SetAnswer(1, 1, "4", "", 1);
  q.SetAnswer(1, 2, "four", "", 1);
  q.SetAnswer(1, 3, "", "", 1);
  q.SetAnswer(1, 4, "  ", "", 1);
  q.SetAnswer(2, 4, "", "", 1);  // question 2 stays empty
  q.SetQuestionText(3, "Name a <b>noun</b> & an 'adjective' \"quoted\"");
  q.SetAnswer(3, 1, "a", "", 1);
  q.SetAnswer(3, 2, "", "", 1);
  q.SetAnswer(3, 3, "c", "Nearly & so", 0);
  q.SetAnswer(3, 4, "", "", 1);
  q.SetAnswer(3, 5, "", "", 1);
  q.SetQuestionText(4, "A record without answers");
  q.SetAnswer(4, 4, "", "", 1);
  q.SetQuestionText(5, "Line one\r\nLine two");
  q.SetAnswer(5, 1, "caf\xE9 \x80", "", 1);
  q.SetAnswer(6, 1, " ", "\t", 1);  // empty
}

std::string Build(TQList& q, const std::string& title) {
  return quizfile::BuildQuizFileText(6, title, quizfile::EmptyReadingElement(), q,
                                     DefaultConfigXML());
}

}  // namespace

TEST(DatafileQuizText, SavedQuizMatchesGoldenFile) {
  TQList q;
  FillSampleQuiz(q);
  TempDir dir;
  ASSERT_TRUE(SaveXMLFile(dir.File("quiz.aky"), Build(q, "My quiz & <i>friends</i>")));
  const std::string golden = ReadFileBytes(GoldenPath("quiz_saved.aky"));
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(dir.Read("quiz.aky"), golden);
  // The trailing empty answers of the written questions left the list.
  EXPECT_EQ(q.GetAnswerCount(1), 2);
  EXPECT_EQ(q.GetAnswerCount(3), 3);
  EXPECT_EQ(q.GetAnswerCount(4), 0);
}

TEST(DatafileQuizText, EmptyQuizAndReadingElement) {
  TQList q;
  const std::string doc = Build(q, "");
  EXPECT_NE(doc.find("<questions>\r\n\r\n</questions>\r\n</data>\r\n\r\n<tavrel-config-file>"),
            std::string::npos);
  EXPECT_EQ(quizfile::EmptyReadingElement(),
            "<reading>\r\n<include-reading>0</include-reading>\r\n<include-timer>0</include-timer>"
            "\r\n<time-limit>1</time-limit>\r\n<internal-reading>1</internal-reading>\r\n"
            "<path-to-reading></path-to-reading>\r\n<reading-title></reading-title>\r\n"
            "<reading-text></reading-text>\r\n\r\n</reading>");
}

TEST(DatafileQuizText, GoldenFileReadsBackAndSavesToTheSameBytes) {
  const std::string golden = ReadFileBytes(GoldenPath("quiz_saved.aky"));
  ASSERT_TRUE(quizfile::IsQuizDocument(golden));
  const exercisedoc::Parts parts = quizfile::ReadQuizXML(golden, "old title", "old.htm");
  EXPECT_EQ(parts.title, "My quiz & <i>friends</i>");
  EXPECT_EQ(parts.nextExURL, "");
  EXPECT_NE(parts.reading.find("<time-limit>1</time-limit>"), std::string::npos);
  TQList q;
  EXPECT_EQ(quizfile::ReadQuizQuestions(parts.body, 1, q), 4);
  ASSERT_EQ(q.Count(), 4);
  // Question 3 became question 2; its third answer is still not correct.
  EXPECT_EQ(q.GetQuestionText(2), "Name a <b>noun</b> & an 'adjective' \"quoted\"");
  EXPECT_EQ(q.GetAnswerText(2, 2), "");
  EXPECT_EQ(q.GetAnswerCorrect(2, 3), 0);
  EXPECT_EQ(q.GetAnswerFeedback(2, 3), "Nearly & so");
  EXPECT_EQ(q.GetAnswerCount(3), 0);
  EXPECT_EQ(q.GetQuestionText(4), "Line one\r\nLine two");
  EXPECT_EQ(q.GetAnswerText(4, 1), "caf\xE9 \x80");

  TempDir dir;
  ASSERT_TRUE(SaveXMLFile(dir.File("again.aky"), Build(q, parts.title)));
  EXPECT_EQ(dir.Read("again.aky"), golden);
}

TEST(DatafileQuizText, RecordsCorrectFlagsAndNumbers) {
  const std::string text =
      "<question-record><question>A</question>"
      "<answer><text>t1</text><correct></correct></answer>"
      "<answer><text>t2</text></answer>"
      "<answer><text>t3</text><correct>1x</correct></answer>"
      "<answer><text>t4</text><correct>01</correct></answer>"
      "<answer><text>t5</text><correct> 1</correct></answer>"
      "</question-record>"
      "<question-record><question>B &amp;amp;</question></question-record>";
  TQList q;
  q.SetQuestionText(1, "keep");
  EXPECT_EQ(quizfile::ReadQuizQuestions(text, 2, q), 2);
  EXPECT_EQ(q.GetQuestionText(1), "keep");
  EXPECT_EQ(q.GetQuestionText(2), "A");
  EXPECT_EQ(q.GetAnswerCorrect(2, 1), 0);  // empty
  EXPECT_EQ(q.GetAnswerCorrect(2, 2), 0);  // missing
  EXPECT_EQ(q.GetAnswerCorrect(2, 3), 1);  // begins with 1
  EXPECT_EQ(q.GetAnswerCorrect(2, 4), 0);
  EXPECT_EQ(q.GetAnswerCorrect(2, 5), 0);
  EXPECT_EQ(q.GetQuestionText(3), "B &amp;");

  // No question element at all: nothing happens.
  TQList empty;
  EXPECT_EQ(quizfile::ReadQuizQuestions("<question-record></question-record>", 1, empty), 0);
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_EQ(quizfile::ReadQuizQuestions("", 1, empty), 0);
}

TEST(DatafileQuizText, RecordReplacesTheWholeQuestionAtItsNumber) {
  TQList q;
  for (int i = 1; i <= 5; ++i) {
    q.SetQuestionText(i, "old " + std::to_string(i));
    for (int a = 1; a <= 6; ++a) q.SetAnswer(i, a, "old answer", "fb", 1);
  }
  const std::string text =
      "<question-record><question>new 2</question><answer><text>x</text><correct>1</correct>"
      "</answer></question-record><question-record><question>new 3</question>"
      "</question-record><question-record><question>new 4</question><answer><text>y</text>"
      "</answer><answer><text>z</text></answer></question-record>";
  EXPECT_EQ(quizfile::ReadQuizQuestions(text, 2, q), 3);
  EXPECT_EQ(q.Count(), 5);
  EXPECT_EQ(q.GetQuestionText(1), "old 1");
  EXPECT_EQ(q.GetAnswerCount(1), 6);
  EXPECT_EQ(q.GetQuestionText(2), "new 2");
  EXPECT_EQ(q.GetAnswerCount(2), 1);
  EXPECT_EQ(q.GetAnswerCount(3), 0);
  EXPECT_EQ(q.GetAnswerCount(4), 2);
  EXPECT_EQ(q.GetAnswerText(4, 2), "z");
  EXPECT_EQ(q.GetQuestionText(5), "old 5");
}

TEST(DatafileQuizText, MissingPiecesGiveDefaults) {
  EXPECT_FALSE(quizfile::IsQuizDocument("<tavrel-askery-file><version>XYZ</version>"
                                        "</tavrel-askery-file>"));
  EXPECT_FALSE(quizfile::IsQuizDocument("[FileInfo]\r\nVersion=2\r\n"));
  const std::string bare = "<tavrel-askery-file><version>1</version></tavrel-askery-file>";
  ASSERT_TRUE(quizfile::IsQuizDocument(bare));
  const exercisedoc::Parts parts = quizfile::ReadQuizXML(bare, "Current", "next.htm");
  EXPECT_EQ(parts.title, "Current");
  EXPECT_EQ(parts.nextExURL, "next.htm");
  EXPECT_EQ(parts.body, "");
  EXPECT_EQ(parts.reading, "");
  EXPECT_EQ(quizfile::QuestionsOf(bare), "");

  // Garbage around the tags never reads outside the text.
  const std::string cut = "<tavrel-askery-file><version>6</version><data><title>T</ti"
                          "<questions><question-record><question>Q";
  const exercisedoc::Parts p2 = quizfile::ReadQuizXML(cut, "", "");
  TQList q;
  quizfile::ReadQuizQuestions(p2.body, 1, q);
  EXPECT_EQ(q.Count(), 0);
}

TEST(DatafileOldQuiz, ReadsTitleQuestionsAndConfiguration) {
  TempDir dir;
  dir.Write("old.aky",
            "[FileInfo]\r\nVersion=2\r\n\r\n"
            "[Title]\r\nstrQuizTitle=Old\x1A" "quiz\r\n\r\n"
            "[Question1]\r\nQuestion=First{ReturnToken}line\r\nAnswer1=a\r\nAnswer2=b\r\n\r\n"
            "[Question3]\r\nQuestion=Third\r\nAnswer4=d\r\n\r\n"
            "[Config]\r\nstrQuizSubtitle=Sub\x1A" "title\r\nstrCheckCaption=Check it\r\n"
            "IncludeHint=0\r\nstrNextExURL=cfg-next.htm\r\n");
  TDataFile file(dir.File("old.aky"));
  const quizfile::OldQuiz quiz = quizfile::ReadOldQuiz(file, "current-next.htm");
  EXPECT_EQ(quiz.version, 2);
  EXPECT_EQ(quiz.title, "Old\r\nquiz");
  EXPECT_EQ(quiz.nextExURL, "current-next.htm");  // no NextEx section
  EXPECT_EQ(quiz.subtitle, "Sub\x1Atitle");
  ASSERT_EQ(quiz.questions.size(), 100u);
  EXPECT_EQ(quiz.questions[0].text, "First\r\nline");
  EXPECT_EQ(quiz.questions[0].answers[1], "b");
  EXPECT_EQ(quiz.questions[1].text, "");
  EXPECT_EQ(quiz.questions[2].answers[3], "d");

  ConfigValues current = configdoc::Defaults(configdoc::Program::Askery);
  current.text["editHint"] = "Hint text";
  current.checked["chkIncludeBack"] = false;
  const ConfigValues v = quizfile::ReadOldQuizConfig(file, current);
  EXPECT_EQ(v.Text("mmoQuizSubtitle"), "Sub\r\ntitle");
  EXPECT_EQ(v.Text("editCheck"), "Check it");
  EXPECT_EQ(v.Text("editHint"), "Hint text");
  EXPECT_EQ(v.Text("editNextExURL"), "cfg-next.htm");
  EXPECT_FALSE(v.Checked("chkIncludeHint"));
  EXPECT_TRUE(v.Checked("chkIncludeBack"));  // absent switches read as on
  EXPECT_EQ(v.Text("editOKCaption"), "OK");
}

TEST(DatafileOldQuiz, AbsurdAndMissingVersions) {
  TempDir dir;
  dir.Write("big.aky", "[FileInfo]\r\nVersion=99999999999\r\n");
  EXPECT_EQ(quizfile::ReadOldQuiz(TDataFile(dir.File("big.aky")), "").version, 0);
  dir.Write("neg.aky", "[FileInfo]\r\nVersion=-3\r\n");
  EXPECT_LT(quizfile::ReadOldQuiz(TDataFile(dir.File("neg.aky")), "").version,
            quizfile::kOldMinVersion);
  dir.Write("bin.aky", std::string("\x01\x02\x00\xFF[FileInfo]\r\nVersion=5", 25));
  EXPECT_EQ(quizfile::ReadOldQuiz(TDataFile(dir.File("bin.aky")), "").version, 0);
  EXPECT_EQ(quizfile::ReadOldQuiz(TDataFile(dir.File("none.aky")), "x").nextExURL, "x");
}
