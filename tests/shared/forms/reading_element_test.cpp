// The data file's `reading` element: written byte for byte, read back into
// the same controls, defaults and limits of a file that lacks elements, and
// New clearing the reading.
#include "reading_fixture.h"

namespace reading_test {
namespace {

// The controls' state, for comparing two dialogs.
struct State {
  bool include, timer, internal;
  int time;
  std::string path, title, text;
  bool operator==(const State&) const = default;
};

State StateOf(const TfrmAddReadingText& f) {
  return {f.chkIncludeReading->isChecked(), f.chkTimer->isChecked(), f.rbInternal->isChecked(),
          f.spinTimer->value(),              f.editReadingPath->Text(), f.mmoReadingTitle->Text(),
          f.mmoReadingText->Text()};
}

void SetState(TfrmAddReadingText& f, const State& s) {
  f.chkIncludeReading->setChecked(s.include);
  f.chkTimer->setChecked(s.timer);
  f.spinTimer->setValue(s.time);
  (s.internal ? f.rbInternal : f.rbExternal)->setChecked(true);
  f.editReadingPath->SetText(s.path);
  f.mmoReadingTitle->SetText(s.title);
  f.mmoReadingText->SetText(s.text);
}

TEST_F(ReadingTest, ElementOfANewDialogByteForByte) {
  std::string xml;
  form->ReportXMLReadingData(xml);
  EXPECT_EQ(xml,
            "<reading>\r\n"
            "<include-reading>0</include-reading>\r\n"
            "<include-timer>0</include-timer>\r\n"
            "<time-limit>1</time-limit>\r\n"
            "<internal-reading>1</internal-reading>\r\n"
            "<path-to-reading></path-to-reading>\r\n"
            "<reading-title></reading-title>\r\n"
            "<reading-text></reading-text>\r\n"
            "\r\n</reading>");
}

TEST_F(ReadingTest, ElementEscapesTextAndKeepsLineBreaks) {
  SetState(*form, {true, true, false, 45, "/home/t/r&d/<read>.htm",
                   "Tom & Jerry's \"<B>tale</B>\"", "line 1\r\n\tline 2 > 1\r\n"});
  std::string xml;
  form->ReportXMLReadingData(xml);
  EXPECT_EQ(xml,
            "<reading>\r\n"
            "<include-reading>1</include-reading>\r\n"
            "<include-timer>1</include-timer>\r\n"
            "<time-limit>45</time-limit>\r\n"
            "<internal-reading>0</internal-reading>\r\n"
            "<path-to-reading>/home/t/r&amp;d/&lt;read&gt;.htm</path-to-reading>\r\n"
            "<reading-title>Tom &amp; Jerry&apos;s &quot;&lt;B&gt;tale&lt;/B&gt;&quot;"
            "</reading-title>\r\n"
            "<reading-text>line 1\r\n\tline 2 &gt; 1\r\n</reading-text>\r\n"
            "\r\n</reading>");
}

TEST_F(ReadingTest, ElementReadsBackIntoTheSameControls) {
  const State states[] = {
      {true, true, true, 500, "", "A & B", "Once upon a time\r\nthe end \xE9"},
      {true, false, false, 1, "HTTP://Example.org/r.htm", "<I>t</I>", ""},
      {false, true, true, 17, "/tmp/a'b\".htm", "", "x < y && y > z"},
  };
  for (const State& s : states) {
    SetState(*form, s);
    std::string xml;
    form->ReportXMLReadingData(xml);

    TfrmAddReadingText other(host.get());
    // The caller hands over the content of the element.
    const std::string content = xml.substr(9, xml.size() - 9 - 10);
    other.LoadXMLReadingData(content);
    EXPECT_TRUE(StateOf(other) == s) << xml;
    std::string again;
    other.ReportXMLReadingData(again);
    EXPECT_EQ(again, xml);
  }
}

TEST_F(ReadingTest, MissingElementsReadAsTheirDefaults) {
  SetState(*form, {true, true, false, 30, "p.htm", "t", "x"});
  form->LoadXMLReadingData("\r\n<include-reading>1</include-reading>\r\n");
  EXPECT_TRUE(form->chkIncludeReading->isChecked());
  EXPECT_FALSE(form->chkTimer->isChecked());
  EXPECT_EQ(form->spinTimer->value(), 1);
  EXPECT_TRUE(form->rbInternal->isChecked());  // typed reading
  EXPECT_FALSE(form->rbExternal->isChecked());
  EXPECT_EQ(form->editReadingPath->Text(), "");
  EXPECT_EQ(Title(), "");
  EXPECT_EQ(Text(), "");

  form->LoadXMLReadingData("");
  EXPECT_FALSE(form->chkIncludeReading->isChecked());
}

TEST_F(ReadingTest, TimeLimitOutsideTheRangeIsHeldAtTheNearestBound) {
  struct Case {
    std::string value;
    int shown;
  };
  for (const Case& c : {Case{"0", 1}, Case{"-20", 1}, Case{"501", 500}, Case{"100000", 500},
                        Case{"250", 250}, Case{"abc", 1}, Case{"", 1}}) {
    form->LoadXMLReadingData("<time-limit>" + c.value + "</time-limit>");
    EXPECT_EQ(form->spinTimer->value(), c.shown) << "'" << c.value << "'";
  }
}

TEST_F(ReadingTest, LoadingSetsTheEnabledStatesAndDoesNotMarkTheExercise) {
  host->FChanged = false;
  form->LoadXMLReadingData(
      "<include-reading>1</include-reading><include-timer>1</include-timer>"
      "<time-limit>12</time-limit><internal-reading>0</internal-reading>"
      "<path-to-reading>r.htm</path-to-reading>");
  EXPECT_FALSE(host->FChanged);
  EXPECT_TRUE(form->chkTimer->isEnabled());
  EXPECT_TRUE(form->rbInternal->isEnabled());
  EXPECT_TRUE(form->rbExternal->isEnabled());
  EXPECT_TRUE(form->spinTimer->isEnabled());
  EXPECT_TRUE(form->editReadingPath->isEnabled());
  EXPECT_TRUE(form->btnBrowse->isEnabled());
  EXPECT_FALSE(form->mmoReadingTitle->isEnabled());
  EXPECT_FALSE(form->mmoReadingText->isEnabled());

  form->LoadXMLReadingData("<include-reading>1</include-reading>");
  EXPECT_FALSE(form->editReadingPath->isEnabled());
  EXPECT_FALSE(form->btnBrowse->isEnabled());
  EXPECT_TRUE(form->mmoReadingTitle->isEnabled());
  EXPECT_TRUE(form->mmoReadingText->isEnabled());
  EXPECT_FALSE(form->spinTimer->isEnabled());
  EXPECT_FALSE(form->TextChanged());
}

TEST_F(ReadingTest, ClearReadingKeepsOnlyTheTimerSettings) {
  SetState(*form, {true, true, false, 25, "r.htm", "Title", "Text"});
  form->ClearReading();
  EXPECT_TRUE(StateOf(*form) == (State{false, true, true, 25, "", "", ""}));
  EXPECT_FALSE(form->chkTimer->isEnabled());
  EXPECT_FALSE(form->rbInternal->isEnabled());
  // The memos stay usable although the reading is switched off.
  EXPECT_TRUE(form->mmoReadingTitle->isEnabled());
  EXPECT_FALSE(form->editReadingPath->isEnabled());
}

}  // namespace
}  // namespace reading_test
