// The plain helpers the programs share: Windows-1252 case mapping, the
// reading element, an old data file's configuration section and the
// fallbacks of a page template.
#include <gtest/gtest.h>

#include <string>

#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/ReadingData.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/WebExport.h"
#include "support/TempDir.h"

namespace {

using tavrel::testing::TempDir;

TEST(Case1252, MapsAccentedLettersAndTheirPairsButNothingElse) {
  // à É œ Š ÿ ß × ÷ µ and plain ASCII.
  EXPECT_EQ(UpperCase1252("\xE0\xC9\x9C\x8A\xFF\xDF\xD7\xF7\xB5 az[]"),
            "\xC0\xC9\x8C\x8A\x9F\xDF\xD7\xF7\xB5 AZ[]");
  EXPECT_EQ(LowerCase1252("\xC0\x8C\x9F\xDE\xD7 AZ@"), "\xE0\x9C\xFF\xFE\xD7 az@");
  EXPECT_TRUE(SameText1252("Caf\xC9 \x8Aoa", "cAF\xE9 \x9AOA"));
  EXPECT_FALSE(SameText1252("\xD7", "\xF7"));  // times and division are no pair
  EXPECT_FALSE(SameText1252("abc", "abcd"));
  EXPECT_EQ(LowerCaseAscii("Askery \xC9"), "askery \xC9");
}

TEST(ReadingElement, WritesWhatItReadsAndFillsGapsWithAnEmptyReading) {
  ReadingData r;
  r.include = true;
  r.timer = true;
  r.minutes = 17;
  r.internal = false;
  r.path = "C:\\r&d\\<story>.htm";
  r.title = "<B>Caf\xE9</B>";
  r.text = "one\r\ntwo & \"three\"";
  const std::string xml = ReadingElement(r);
  EXPECT_EQ(xml.rfind("<reading>", 0), 0u);
  EXPECT_EQ(ReadReadingElement(xml), r);
  // The element of an empty reading, and a missing or out-of-range limit.
  EXPECT_EQ(ReadReadingElement(ReadingElement(ReadingData{})), ReadingData{});
  EXPECT_EQ(ReadReadingElement("<include-reading>1</include-reading>").minutes, kReadingMinMinutes);
  EXPECT_EQ(ReadReadingElement("<time-limit>9999</time-limit>").minutes, kReadingMaxMinutes);
  EXPECT_EQ(ReadReadingElement("<time-limit>-4</time-limit>").minutes, kReadingMinMinutes);
}

TEST(OldFileConfig, MissingSwitchesFollowTheRuleAndMemosGetTheirLineBreaks) {
  TempDir dir;
  dir.Write("old.aky", "[Config]\r\nstrWelcome=Hello\x1A" "there\r\nIncludeHint=0\r\n");
  const TDataFile file(dir.File("old.aky"));
  static const configdoc::OldFileKey keys[] = {
      {"strWelcome", "mmoWelcome", false, true},
      {"strNextExURL", "editNextExURL", false, false},
      {"IncludeHint", "chkIncludeHint", true, false},
      {"IncludeBack", "chkIncludeBack", true, false},
  };
  ConfigValues current;
  current.text["editNextExURL"] = "next.htm";
  current.checked["chkIncludeBack"] = false;
  using configdoc::MissingSwitch;
  for (MissingSwitch rule : {MissingSwitch::On, MissingSwitch::Off, MissingSwitch::Current}) {
    const ConfigValues v = configdoc::ReadOldFileConfig(file, "Config", keys, current, rule);
    EXPECT_EQ(v.Text("mmoWelcome"), "Hello\r\nthere");
    EXPECT_EQ(v.Text("editNextExURL"), "next.htm");
    EXPECT_FALSE(v.Checked("chkIncludeHint"));
    EXPECT_EQ(v.Checked("chkIncludeBack"), rule == MissingSwitch::On);
  }
}

TEST(TemplateFallbacks, FileThenStoreThenSuppliedCopyThenAnError) {
  TemplateSource s{"quizc.ht_", std::string("disk"), "store", "supplied", "/tpl/"};
  EXPECT_EQ(ResolveTemplate(s).text, "disk");
  EXPECT_TRUE(ResolveTemplate(s).messages.empty());
  s.disk = "";  // an empty file is no template
  EXPECT_EQ(ResolveTemplate(s).text, "store");
  s.disk.reset();
  s.store.clear();
  TemplateText t = ResolveTemplate(s);
  EXPECT_EQ(t.text, "supplied");
  ASSERT_EQ(t.messages.size(), 1u);
  EXPECT_EQ(t.messages[0].text, "Unable to find source file quizc.ht_. Reverting to default.");
  EXPECT_FALSE(t.failed);
  s.builtIn.clear();
  t = ResolveTemplate(s);
  EXPECT_TRUE(t.failed);
  EXPECT_TRUE(t.text.empty());
  ASSERT_EQ(t.messages.size(), 2u);
  EXPECT_NE(t.messages[1].text.find("quizc.ht_"), std::string::npos);
  EXPECT_NE(t.messages[1].text.find("/tpl/"), std::string::npos);
}

}  // namespace

namespace {

// The crossword's top next-exercise button posts its form; otherwise it is
// the quiz's, and neither can end the script it is written into.
TEST(NavButtons, CrosswordTopButtonPostsItsFormLikeTheQuizButtonOtherwise) {
  ConfigValues c;
  c.text = {{"editNextEx", "Next \"one\""}, {"editNextExURL", "next.htm"}};
  c.checked = {{"chkIncludeNextEx", true}};
  const std::string quiz = BuildNavButtons(c, NavStyle::Quiz).topNextEx;
  const std::string crossword = BuildNavButtons(c, NavStyle::Crossword).topNextEx;
  EXPECT_EQ(crossword.rfind("<form method=post><INPUT", 0), 0u);
  EXPECT_EQ(crossword.substr(crossword.size() - 8), "<\\/form>");
  EXPECT_EQ(quiz.rfind("<FORM><INPUT", 0), 0u);
  EXPECT_EQ(crossword.substr(18, crossword.size() - 26), quiz.substr(6, quiz.size() - 14));
  EXPECT_TRUE(BuildNavButtons(c, NavStyle::Matching).topNextEx.empty());
}

}  // namespace
