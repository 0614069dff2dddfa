// The configuration document shared by the three programs: tables, the
// embedded copy, writing into an existing text, reading, old files.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "support/EncodedAlike.h"
#include "support/TempDir.h"

using configdoc::Program;
using tavrel::testing::ReadFileBytes;
using tavrel::testing::TempDir;

namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";

std::string GoldenPath(const std::string& name) {
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/')) + "/../../askery/golden/" + name;
}

std::string E(const std::string& tag, const std::string& value) {
  return "<" + tag + ">" + value + "</" + tag + ">";
}

int CountSection(const configdoc::Table& t, const std::string& section) {
  int n = 0;
  for (const auto& e : t.elements) n += section == e.section ? 1 : 0;
  return n;
}

// Values with something unusual in every box of the program.
ConfigValues Odd(Program p) {
  ConfigValues v = configdoc::Defaults(p);
  int i = 0;
  for (auto& [name, text] : v.text) text = name + " <&'\"> \xE9\x80 " + std::to_string(i++);
  bool on = false;
  for (auto& [name, checked] : v.checked) checked = (on = !on);
  return v;
}

}  // namespace

TEST(ConfigDocTables, ElementSetsMatchEachProgram) {
  struct Expect {
    Program p;
    const char* own;
    int ownCount, globalCount, oldCount;
  };
  for (const Expect& x : {Expect{Program::Askery, "askery", 18, 26, 33},
                          Expect{Program::Pairo, "pairo", 5, 24, 20},
                          Expect{Program::Gridel, "gridel", 11, 19, 27}}) {
    const auto& t = configdoc::TableFor(x.p);
    SCOPED_TRACE(x.own);
    EXPECT_EQ(CountSection(t, x.own), x.ownCount);
    EXPECT_EQ(CountSection(t, "global"), x.globalCount);
    EXPECT_EQ(t.elements.size(), static_cast<size_t>(x.ownCount + x.globalCount));
    EXPECT_EQ(t.oldOrder.size(), static_cast<size_t>(x.oldCount));
    // The embedded copy holds every element exactly once, each in its section.
    std::set<int> seen;
    for (const auto& item : t.embeddedOwn) {
      EXPECT_STREQ(t.elements[static_cast<size_t>(item.element)].section, x.own);
      EXPECT_TRUE(seen.insert(item.element).second);
    }
    for (const auto& item : t.embeddedGlobal) {
      EXPECT_STREQ(t.elements[static_cast<size_t>(item.element)].section, "global");
      EXPECT_TRUE(seen.insert(item.element).second);
    }
    EXPECT_EQ(seen.size(), t.elements.size());
    std::set<std::string> controls;
    for (const auto& e : t.elements) EXPECT_TRUE(controls.insert(e.control).second) << e.control;
  }
  // next-ex-url sits in each program's own section.
  EXPECT_STREQ(configdoc::FindByControl(Program::Pairo, "editNextExURL")->section, "pairo");
  EXPECT_EQ(configdoc::FindByControl(Program::Pairo, "mmoWelcome"), nullptr);
  EXPECT_EQ(configdoc::ElementPath(*configdoc::FindByControl(Program::Askery, "editBack")),
            "tavrel-config-file\\global\\back-caption");
}

TEST(ConfigDocTables, DefaultsDifferPerProgram) {
  const ConfigValues q = configdoc::Defaults(Program::Askery);
  const ConfigValues m = configdoc::Defaults(Program::Pairo);
  const ConfigValues c = configdoc::Defaults(Program::Gridel);
  EXPECT_EQ(q.Text("editExBGColor"), "#CCCCCC");
  EXPECT_EQ(m.Text("editExBGColor"), "#DDDDDD");
  EXPECT_EQ(c.Text("editNavBarColor"), "#999999");
  EXPECT_EQ(m.Text("editNavBarColor"), "#000000");
  EXPECT_EQ(q.Text("editYourScoreIs"), "Your score is: ");
  EXPECT_EQ(m.Text("editYourScoreIs"), "");
  EXPECT_EQ(m.Text("editGuessIncorrect"),
            "Sorry! Try again. Incorrect matches have been removed.");
  EXPECT_TRUE(q.Checked("chkCaseSensitive"));
  EXPECT_TRUE(q.Checked("chkShuffleQs"));
  EXPECT_FALSE(q.Checked("chkIncludeHint"));
  EXPECT_TRUE(c.Checked("chkKeyNavigation"));
}

TEST(ConfigDocWrite, NewQuizFileWithDefaultsIsOneLineInReverseOrder) {
  std::string doc;
  configdoc::WriteConfig(Program::Askery, configdoc::Defaults(Program::Askery), 6, doc);
  const std::string golden = ReadFileBytes(GoldenPath("config_new_defaults.cfg"));
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(kDecl + "\r\n\r\n" + doc + "\r\n", golden);

  TempDir dir;
  ASSERT_TRUE(configdoc::SaveConfigToFile(Program::Askery, dir.File("new.cfg"),
                                          configdoc::Defaults(Program::Askery), 6));
  EXPECT_EQ(dir.Read("new.cfg"), golden);
}

TEST(ConfigDocWrite, UpdateKeepsEverythingTheProgramDoesNotKnow) {
  TempDir dir;
  dir.Write("shared.cfg", ReadFileBytes(GoldenPath("config_update_before.cfg")));
  ConfigValues v = configdoc::Defaults(Program::Askery);
  v.text["mmoQuizSubtitle"] = "New <b>subtitle</b>";
  v.text["editCheck"] = "Check";
  v.text["editGuessCorrect"] = "Well done & more";
  v.checked["chkIncludeHint"] = false;
  v.checked["chkCaseSensitive"] = true;
  ASSERT_TRUE(configdoc::SaveConfigToFile(Program::Askery, dir.File("shared.cfg"), v, 6));
  EXPECT_EQ(dir.Read("shared.cfg"), ReadFileBytes(GoldenPath("config_update_after.cfg")));

  // Reading it back gives the values written, and the unknown section stays.
  ConfigValues back = configdoc::Defaults(Program::Askery);
  back.text["mmoWelcome"] = "something";
  EXPECT_EQ(configdoc::LoadConfigFromFile(Program::Askery, dir.File("shared.cfg"), back),
            configdoc::LoadResult::Document);
  EXPECT_EQ(back.Text("mmoQuizSubtitle"), "New <b>subtitle</b>");
  EXPECT_EQ(back.Text("mmoWelcome"), "");
  EXPECT_EQ(back.Text("editGuessCorrect"), "Well done & more");
  EXPECT_NE(dir.Read("shared.cfg").find("<zorbo>\r\n<whatever>untouched &amp; kept</whatever>"),
            std::string::npos);
}

TEST(ConfigDocWrite, AConfigurationInUtf8ReadsTheSameAndIsUpdatedInTheProgramsEncoding) {
  TempDir dir;
  ConfigValues v = configdoc::Defaults(Program::Askery);
  v.text["mmoQuizSubtitle"] = "K\xF8" "benhavn, &#321;\xF3" "d&#378; \x80";
  ASSERT_TRUE(configdoc::SaveConfigToFile(Program::Askery, dir.File("own.cfg"), v, 6));
  const std::string saved = dir.Read("own.cfg");
  int n = 0;
  for (const auto& [kind, bytes] : tavrel::testing::EncodedAlike(saved)) {
    SCOPED_TRACE(kind);
    const std::string name = "utf" + std::to_string(++n) + ".cfg";
    dir.Write(name, bytes);
    ConfigValues back = configdoc::Defaults(Program::Askery);
    EXPECT_EQ(configdoc::LoadConfigFromFile(Program::Askery, dir.File(name), back),
              configdoc::LoadResult::Document);
    EXPECT_EQ(back.Text("mmoQuizSubtitle"), v.Text("mmoQuizSubtitle"));
    // An update keeps the document, and writes it as it now reads.
    ASSERT_TRUE(configdoc::SaveConfigToFile(Program::Askery, dir.File(name), back, 6));
    EXPECT_EQ(dir.Read(name), saved);
  }
  // An old line-based configuration with a byte-order mark.
  dir.Write("old.cfg", "\xEF\xBB\xBF[Askery]\r\nWelcome=K\xC3\xB8" "benhavn\r\n");
  ConfigValues old = configdoc::Defaults(Program::Askery);
  EXPECT_EQ(configdoc::LoadConfigFromFile(Program::Askery, dir.File("old.cfg"), old),
            configdoc::LoadResult::OldFormat);
  EXPECT_EQ(old.Text("mmoWelcome"), "K\xF8" "benhavn");
}

TEST(ConfigDocWrite, MatchingProgramWritingIntoAQuizFile) {
  std::string doc;
  ConfigValues q = configdoc::Defaults(Program::Askery);
  q.text["mmoWelcome"] = "Welcome";
  q.text["editHint"] = "Hint";
  q.text["editHelp"] = "Help";
  q.text["editNextEx"] = "Next";
  configdoc::WriteConfig(Program::Askery, q, 6, doc);
  auto askerySection = [&doc] {
    const size_t from = doc.find("<askery>");
    return doc.substr(from, doc.find("</askery>") - from);
  };
  const std::string askeryBefore = askerySection();

  ConfigValues m = configdoc::Defaults(Program::Pairo);
  m.text["editCorrectIndicator"] = "+";
  m.text["editIncorrectIndicator"] = "-";
  m.text["editNextEx"] = "Onwards";
  configdoc::WriteConfig(Program::Pairo, m, 7, doc);

  // pairo is the root's first child; the indicators open global.
  EXPECT_EQ(doc.rfind("<tavrel-config-file><pairo>", 0), 0u);
  EXPECT_NE(doc.find("<global>" + E("incorrect-indicator", "-") + E("correct-indicator", "+")),
            std::string::npos);
  // The quiz's own section and its global elements stay; shared ones change.
  EXPECT_EQ(askerySection(), askeryBefore);
  for (const char* kept : {"<welcome>Welcome</welcome>", "<hint-caption>Hint</hint-caption>",
                           "<help-caption>Help</help-caption>", "<correct-first-time>"}) {
    EXPECT_NE(doc.find(kept), std::string::npos) << kept;
  }
  EXPECT_NE(doc.find(E("next-ex-caption", "Onwards")), std::string::npos);
  EXPECT_NE(doc.find(E("version", "7")), std::string::npos);
  EXPECT_NE(doc.find(E("ex-bg-color", "#DDDDDD")), std::string::npos);
}

TEST(ConfigDocWrite, EmptyingAndSwitches) {
  std::string doc = "<tavrel-config-file><global><check-caption>Check</check-caption></global>"
                    "</tavrel-config-file>";
  ConfigValues v = configdoc::Defaults(Program::Gridel);
  v.text["editCheck"] = "";
  v.text["editHint"] = "";
  configdoc::WriteConfig(Program::Gridel, v, 6, doc);
  EXPECT_NE(doc.find("<check-caption></check-caption>"), std::string::npos);
  EXPECT_EQ(doc.find("<hint-caption>"), std::string::npos);
  // Every switch of the program is present after a save, "0" included.
  for (const char* s : {"include-hint", "include-help", "include-next-ex", "include-contents",
                        "include-back", "include-key-navigation"}) {
    EXPECT_NE(doc.find(std::string("<") + s + ">"), std::string::npos) << s;
  }
}

TEST(ConfigDocWrite, IntoAnOldLineBasedText) {
  TempDir dir;
  dir.Write("old.cfg", "[Askery]\r\nWelcome=Hi there\r\n\r\n[Global]\r\nCheckCaption=Go\r\n");
  ConfigValues v = configdoc::Defaults(Program::Askery);
  ASSERT_EQ(configdoc::LoadConfigFromFile(Program::Askery, dir.File("old.cfg"), v),
            configdoc::LoadResult::OldFormat);
  EXPECT_EQ(v.Text("mmoWelcome"), "Hi there");
  ASSERT_TRUE(configdoc::SaveConfigToFile(Program::Askery, dir.File("old.cfg"), v, 6));
  const std::string saved = dir.Read("old.cfg");
  EXPECT_EQ(saved.rfind(kDecl + "\r\n\r\n<tavrel-config-file>", 0), 0u);
  // The old lines stay behind the root; the welcome text moved to global.
  EXPECT_NE(saved.find("</tavrel-config-file>[Askery]\r\nWelcome=Hi there\r\n"),
            std::string::npos);
  EXPECT_NE(saved.find(E("welcome", "Hi there")), std::string::npos);
  ConfigValues again = configdoc::Defaults(Program::Askery);
  EXPECT_EQ(configdoc::LoadConfigFromFile(Program::Askery, dir.File("old.cfg"), again),
            configdoc::LoadResult::Document);
  EXPECT_EQ(again.Text("editCheck"), "Go");
}

TEST(ConfigDocEmbedded, QuizCopyIsExactWithScoreOnTheColourLine) {
  ConfigValues v = configdoc::Defaults(Program::Askery);
  v.text["mmoQuizSubtitle"] = "Line 1\r\nLine <2>";
  v.text["editNextExURL"] = "next.htm";
  const std::string xml = configdoc::MakeConfigXML(Program::Askery, v);
  const std::string expected =
      "<tavrel-config-file>\r\n<askery>\r\n" +
      E("quiz-subtitle", "Line 1\r\nLine &lt;2&gt;") + "\r\n" + E("instructions", "") + "\r\n" +
      E("guess-correct", "") + "\r\n" + E("guess-incorrect", "") + "\r\n" +
      E("also-correct", "") + "\r\n" + E("this-much-correct", "") + "\r\n" +
      E("enter-a-guess", "") + "\r\n" + E("these-words-correct", "") + "\r\n" +
      E("next-correct-letter", "") + "\r\n" + E("correct-answers", "") + "\r\n" +
      E("show-answer-caption", "") + "\r\n" + E("include-hint", "0") + "\r\n" +
      E("include-show-answer", "0") + "\r\n" + E("case-sensitive", "1") + "\r\n" +
      E("include-help", "0") + "\r\n" + E("next-ex-url", "next.htm") + "\r\n" +
      E("continuous-scoring", "1") + "\r\n" + E("shuffle-questions", "1") +
      "\r\n</askery>\r\n\r\n<global>\r\n" + E("remaining-time", "Remaining time: ") + "\r\n" +
      E("welcome", "") + "\r\n" + E("start-reading", "Start reading") + "\r\n" +
      E("show-reading-again", "Show reading again") + "\r\n" +
      E("times-up", "Time&apos;s up!") + "\r\n" +
      E("click-to-show", "Click on the button to see the reading again") + "\r\n" +
      E("hint-caption", "") + "\r\n" + E("check-caption", "") + "\r\n" +
      E("help-caption", "") + "\r\n" + E("next-ex-caption", "") + "\r\n" +
      E("back-caption", "") + "\r\n" + E("contents-caption", "") + "\r\n" +
      E("include-next-ex", "0") + "\r\n" + E("include-contents", "0") + "\r\n" +
      E("include-back", "0") + "\r\n" + E("graphic-url", "") + "\r\n" +
      E("contents-url", "") + "\r\n" + E("page-bg-color", "#FFFFFF") + "\r\n" +
      E("title-color", "#000000") + "\r\n" + E("ex-bg-color", "#CCCCCC") + "\r\n" +
      E("text-color", "#000000") + "\r\n" + E("nav-bar-color", "#999999") +
      E("your-score-is", "Your score is: ") + "\r\n" +
      E("correct-first-time", "Questions answered correctly first time: ") + "\r\n" +
      E("ok-caption", "OK") + "\r\n" + E("popup-bg-color", "#FFFFFF") +
      "\r\n</global>\r\n</tavrel-config-file>";
  EXPECT_EQ(xml, expected);
}

TEST(ConfigDocEmbedded, CrosswordAndMatchingCopies) {
  const std::string c =
      configdoc::MakeConfigXML(Program::Gridel, configdoc::Defaults(Program::Gridel));
  EXPECT_EQ(c.rfind("<tavrel-config-file>\r\n<gridel>\r\n<quiz-subtitle></quiz-subtitle>\r\n", 0),
            0u);
  EXPECT_NE(c.find("</gridel>\r\n\r\n<global>\r\n\r\n<welcome></welcome>\r\n<check-caption>"),
            std::string::npos);
  EXPECT_NE(c.find("<include-key-navigation>1</include-key-navigation>\r\n</gridel>"),
            std::string::npos);
  EXPECT_NE(c.find("<popup-bg-color>#FFFFFF</popup-bg-color>\r\n</global>\r\n"
                   "</tavrel-config-file>"),
            std::string::npos);

  const std::string m =
      configdoc::MakeConfigXML(Program::Pairo, configdoc::Defaults(Program::Pairo));
  EXPECT_NE(m.find("<global>\r\n<your-score-is></your-score-is>\r\n<correct-indicator>"),
            std::string::npos);
  EXPECT_NE(m.find("<next-ex-url></next-ex-url>\r\n<guess-correct>Correct! Well done."),
            std::string::npos);
  EXPECT_EQ(m.find("<version>"), std::string::npos);
}

TEST(ConfigDocRead, EmbeddedCopyRoundTripsForEveryProgram) {
  for (Program p : {Program::Askery, Program::Pairo, Program::Gridel}) {
    const ConfigValues odd = Odd(p);
    const std::string dataFile =
        "<tavrel-x-file>\r\n<data></data>\r\n" + configdoc::MakeConfigXML(p, odd) + "\r\n</tavrel-x-file>";
    const ConfigValues back = configdoc::ReadConfigXML(p, dataFile, configdoc::Defaults(p));
    EXPECT_EQ(back.text, odd.text);
    EXPECT_EQ(back.checked, odd.checked);

    std::string doc;
    configdoc::WriteConfig(p, odd, 6, doc);
    const ConfigValues fromFile = configdoc::ReadConfigXML(p, doc, configdoc::Defaults(p));
    EXPECT_EQ(fromFile.text, odd.text);
    EXPECT_EQ(fromFile.checked, odd.checked);
  }
}

TEST(ConfigDocRead, MissingPresentAndEmptyElements) {
  ConfigValues current = configdoc::Defaults(Program::Askery);
  current.text["editCheck"] = "Keep &amp; me";
  current.text["editHint"] = "will be emptied";
  current.checked["chkIncludeHint"] = false;
  current.checked["chkIncludeBack"] = true;
  current.checked["chkIncludeHelp"] = true;
  const std::string doc =
      "<tavrel-config-file><askery><include-hint></include-hint>"
      "<include-help> 0 </include-help><include-show-answer>0</include-show-answer>"
      "<case-sensitive>yes</case-sensitive></askery>"
      "<global><hint-caption></hint-caption><back-caption>B</back-caption></global>"
      "</tavrel-config-file>";
  const ConfigValues v = configdoc::ReadConfigXML(Program::Askery, doc, current);
  EXPECT_EQ(v.Text("editCheck"), "Keep & me");  // missing: current, unescaped
  EXPECT_EQ(v.Text("editHint"), "");            // present and empty
  EXPECT_EQ(v.Text("editBack"), "B");
  EXPECT_TRUE(v.Checked("chkIncludeHint"));     // empty switch reads as on
  EXPECT_FALSE(v.Checked("chkIncludeHelp"));    // "0" with blanks is off
  EXPECT_TRUE(v.Checked("chkCaseSensitive"));   // any word is on
  EXPECT_TRUE(v.Checked("chkIncludeBack"));     // missing keeps its state
  EXPECT_EQ(v.Text("editPageBGColor"), "#FFFFFF");

  // Without the root element every control keeps its value.
  const ConfigValues none = configdoc::ReadConfigXML(Program::Askery, "<other/>", current);
  EXPECT_EQ(none.Text("editHint"), "will be emptied");
  EXPECT_FALSE(none.Checked("chkIncludeHint"));
}

TEST(ConfigDocRead, FormatProbe) {
  EXPECT_TRUE(configdoc::IsConfigDocument("<tavrel-config-file><version>6</version>"
                                          "</tavrel-config-file>"));
  EXPECT_TRUE(configdoc::IsConfigDocument("<tavrel-config-file><version></version>"
                                          "</tavrel-config-file>"));
  EXPECT_FALSE(configdoc::IsConfigDocument("<tavrel-config-file><version>XYZ</version>"
                                           "</tavrel-config-file>"));
  EXPECT_FALSE(configdoc::IsConfigDocument("[Askery]\r\nWelcome=Hi\r\n"));
  EXPECT_FALSE(configdoc::IsConfigDocument(""));
}

TEST(ConfigDocOld, QuizKeysAndWhatTheOldFormatLacks) {
  TempDir dir;
  dir.Write("old.cfg",
            "[Askery]\r\nQuizSubtitle=Part one\x1A" "Part two\r\nWelcome=Hello{ReturnToken}there\r\n"
            "GuessCorrect=Right\x1Anot a memo\r\nShowCaption=Show it\r\nIncludeHint=1\r\n"
            "CaseSensitive=True\r\nNextExURL=next.htm\r\n\r\n"
            "[Global]\r\nCheckCaption=Check!\r\nIncludeBack=1\r\nNavBarColor=#123456\r\n");
  ConfigValues current = configdoc::Defaults(Program::Askery);
  current.text["editOKCaption"] = "Fine";
  current.text["mmoInstructions"] = "Keep these";
  current.checked["chkShuffleQs"] = false;
  const ConfigValues v =
      configdoc::ReadOldConfig(Program::Askery, TDataFile(dir.File("old.cfg")), current);
  EXPECT_EQ(v.Text("mmoQuizSubtitle"), "Part one\r\nPart two");
  EXPECT_EQ(v.Text("mmoWelcome"), "Hello\r\nthere");
  EXPECT_EQ(v.Text("editGuessCorrect"), "Right\x1Anot a memo");
  EXPECT_EQ(v.Text("editShow"), "Show it");
  EXPECT_EQ(v.Text("editNextExURL"), "next.htm");
  EXPECT_EQ(v.Text("editCheck"), "Check!");
  EXPECT_EQ(v.Text("editNavBarColor"), "#123456");
  EXPECT_TRUE(v.Checked("chkIncludeHint"));
  EXPECT_FALSE(v.Checked("chkCaseSensitive"));  // "True" is not "1"
  EXPECT_TRUE(v.Checked("chkIncludeBack"));
  // Absent keys and elements the old format lacks keep their values.
  EXPECT_EQ(v.Text("mmoInstructions"), "Keep these");
  EXPECT_EQ(v.Text("editOKCaption"), "Fine");
  EXPECT_EQ(v.Text("editYourScoreIs"), "Your score is: ");
  EXPECT_FALSE(v.Checked("chkShuffleQs"));
  EXPECT_EQ(v.Text("editPageBGColor"), "#FFFFFF");
}

TEST(ConfigDocOld, MatchingAndCrosswordKeys) {
  TempDir dir;
  dir.Write("old.cfg",
            "[Pairo]\r\nExerciseSubtitle=Pairs\r\nYourScoreIs=Score: \r\nCorrectChar=:)\r\n\r\n"
            "[Gridel]\r\nPuzzleSubtitle=Grid\x1A" "two\r\nCorrect=Yes\r\nGiveHint=Letter\r\n"
            "IncludeHelp=1\r\n\r\n"
            "[Global]\r\nHelpCaption=Help!\r\nCheckCaption=Check\r\nIncludeNextEx=1\r\n");
  TDataFile file(dir.File("old.cfg"));
  ConfigValues m = configdoc::Defaults(Program::Pairo);
  m.text["editGuessCorrect"] = "unchanged";
  m = configdoc::ReadOldConfig(Program::Pairo, file, m);
  EXPECT_EQ(m.Text("mmoExerciseSubtitle"), "Pairs");
  EXPECT_EQ(m.Text("editYourScoreIs"), "Score: ");
  EXPECT_EQ(m.Text("editCorrectIndicator"), ":)");
  EXPECT_EQ(m.Text("editCheck"), "Check");
  EXPECT_TRUE(m.Checked("chkIncludeNextEx"));
  EXPECT_EQ(m.Text("editGuessCorrect"), "unchanged");
  EXPECT_EQ(m.Text("editGuessIncorrect"), "Sorry! Try again. Incorrect matches have been removed.");

  ConfigValues c = configdoc::Defaults(Program::Gridel);
  c.checked["chkKeyNavigation"] = false;
  c = configdoc::ReadOldConfig(Program::Gridel, file, c);
  EXPECT_EQ(c.Text("mmoSubtitle"), "Grid\r\ntwo");
  EXPECT_EQ(c.Text("editCorrect"), "Yes");
  EXPECT_EQ(c.Text("editNextCorrect"), "Letter");
  EXPECT_EQ(c.Text("editHelp"), "Help!");
  EXPECT_TRUE(c.Checked("chkIncludeHelp"));
  EXPECT_FALSE(c.Checked("chkKeyNavigation"));
  EXPECT_EQ(c.Text("editOKCaption"), "OK");
}

TEST(ConfigDocFiles, MissingUnwritableAndGarbage) {
  TempDir dir;
  ConfigValues v = configdoc::Defaults(Program::Askery);
  v.text["editCheck"] = "mine";
  EXPECT_EQ(configdoc::LoadConfigFromFile(Program::Askery, "", v), configdoc::LoadResult::Missing);
  EXPECT_EQ(configdoc::LoadConfigFromFile(Program::Askery, dir.File("none.cfg"), v),
            configdoc::LoadResult::Missing);
  EXPECT_EQ(v.Text("editCheck"), "mine");

  // Garbage of either kind reads as an old file without keys.
  dir.Write("garbage.cfg", std::string("\x00\xFF<tavrel-config-file><version>", 31) + "\x01\x02");
  EXPECT_NO_THROW(configdoc::LoadConfigFromFile(Program::Askery, dir.File("garbage.cfg"), v));
  dir.Write("cut.cfg", "<tavrel-config-file><version>6</version><global><check-caption>Cut");
  // A root cut off before its end hides the version: an old file without keys.
  EXPECT_EQ(configdoc::LoadConfigFromFile(Program::Askery, dir.File("cut.cfg"), v),
            configdoc::LoadResult::OldFormat);
  EXPECT_EQ(v.Text("editCheck"), "mine");

  EXPECT_FALSE(configdoc::SaveConfigToFile(Program::Askery, dir.File("no/such/folder/x.cfg"), v, 6));
  EXPECT_FALSE(configdoc::SaveConfigToFile(Program::Askery, "", v, 6));
}

TEST(ConfigDocFiles, AFileThatRefusesASettingFailsTheSaveAndStaysAsItWas) {
  TempDir dir;
  const ConfigValues v = configdoc::Defaults(Program::Askery);
  // Each text leaves some element without its closing tag, or closes it
  // before it opens: a setting below it cannot be stored.
  const std::string malformed[] = {
      "<tavrel-config-file><version>6</version><global><check-caption>Old</check-caption>"
      "</tavrel-config-file>",
      "<tavrel-config-file><version>6</version></askery><askery></tavrel-config-file>",
      "<tavrel-config-file><version>6</version><global></global>",
  };
  for (const std::string& text : malformed) {
    dir.Write("shared.cfg", text);
    std::string doc = text;
    EXPECT_FALSE(configdoc::WriteConfig(Program::Askery, v, 6, doc)) << text;
    EXPECT_FALSE(configdoc::SaveConfigToFile(Program::Askery, dir.File("shared.cfg"), v, 6)) << text;
    EXPECT_EQ(ReadFileBytes(dir.File("shared.cfg")), text);
  }
  // A sound file, and a new one, take every setting.
  std::string fresh;
  EXPECT_TRUE(configdoc::WriteConfig(Program::Askery, v, 6, fresh));
  EXPECT_TRUE(configdoc::WriteConfig(Program::Pairo, configdoc::Defaults(Program::Pairo), 6, fresh));
}
