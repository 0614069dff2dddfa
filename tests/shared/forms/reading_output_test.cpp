// The reading page: a typed reading in the reading template (from the
// template folder, else the template store), an external file's text, a web
// address, and a path that is neither.
#include <memory>

#include "reading_fixture.h"
#include "shared/forms/SourceEdit.h"
#include "shared/core/XMLRoutines.h"

namespace reading_test {
namespace {

const char* const kTemplate =
    "<html><head><title>[strPlainReadingTitle]</title></head>\r\n"
    "<body background=\"[strGraphicURL]\" bgcolor=\"[strPageBGColor]\" text=\"[strTextColor]\">\r\n"
    "[V3BrowserVersion]frames[/V3BrowserVersion][V4BrowserVersion]single[/V4BrowserVersion]\r\n"
    "<h2 style=\"color:[strTitleColor]\">[strReadingTitle]</h2>\r\n"
    "<div style=\"background:[strExBGColor]\">[strReadingText]</div>\r\n"
    "</body></html>\r\n";

const char* const kAuthorTag =
    "<META NAME=\"Author\" CONTENT=\"Created with Tavrel by Corvane Software.\">";

class ReadingOutputTest : public ReadingTest {
 protected:
  void SetUp() override {
    ReadingTest::SetUp();
    config->texts = {{"editGraphicURL", "bg.gif"},   {"editPageBGColor", "#FFFFEE"},
                     {"editTitleColor", "#000080"},  {"editTextColor", "#000000"},
                     {"editExBGColor", "#C0C0C0"}};
  }

  void Typed(const std::string& title, const std::string& text) {
    form->LoadXMLReadingData("<include-reading>1</include-reading><reading-title>" +
                             XMLEscape(title) + "</reading-title><reading-text>" +
                             XMLEscape(text) + "</reading-text>");
  }
  void External(const std::string& path) {
    form->LoadXMLReadingData(
        "<include-reading>1</include-reading><internal-reading>0</internal-reading>"
        "<path-to-reading>" +
        XMLEscape(path) + "</path-to-reading>");
  }
  // The output; the warnings it returns are shown as the export shows them.
  std::string Output(int version) {
    const ReadingOutput r = form->GetReadingOutput(version);
    for (const ExportMessage& m : r.messages)
      tavrel::platform().messageDlg(m.text, m.type, m.buttons, m.helpContext);
    return r.output;
  }
};

TEST_F(ReadingOutputTest, TypedReadingFillsTheFramesTemplate) {
  source.Write("tavrelr.ht_", kTemplate);
  Typed("<B>Caf\xE9</B> & co", "Line one\r\n\tLine two");
  EXPECT_EQ(Output(3),
            std::string("<html><head>") + kAuthorTag +
                "<title>Caf&eacute; &amp; co</title></head>\r\n"
                "<body background=\"bg.gif\" bgcolor=\"#FFFFEE\" text=\"#000000\">\r\n"
                "frames\r\n"
                "<h2 style=\"color:#000080\"><B>Caf&eacute;</B> &amp; co</h2>\r\n"
                "<div style=\"background:#C0C0C0\">Line one<BR>\r\n"
                "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Line two</div>\r\n"
                "</body></html>\r\n");
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ReadingOutputTest, BrowserVersionChoosesTheTemplateSections) {
  source.Write("tavrelr.ht_", kTemplate);
  Typed("T", "x");
  const std::string v3 = Output(3), v4 = Output(4), other = Output(5);
  EXPECT_NE(v3.find("\r\nframes\r\n"), std::string::npos);
  EXPECT_EQ(v3.find("single"), std::string::npos);
  EXPECT_NE(v4.find("\r\nsingle\r\n"), std::string::npos);
  EXPECT_EQ(v4.find("frames"), std::string::npos);
  EXPECT_NE(other.find("[V3BrowserVersion]frames[/V3BrowserVersion][V4BrowserVersion]"),
            std::string::npos);
}

TEST_F(ReadingOutputTest, TypedReadingIsBuiltWhetherOrNotItIsIncluded) {
  source.Write("tavrelr.ht_", "[strReadingText]");
  Typed("", "text");
  form->chkIncludeReading->setChecked(false);
  EXPECT_EQ(Output(3), "text\r\n");
}

TEST_F(ReadingOutputTest, TemplateFileNameMatchesWithoutRegardToCase) {
  source.Write("TavrelR.HT_", "[strReadingTitle]");
  Typed("Title", "");
  EXPECT_EQ(Output(4), "Title\r\n");
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ReadingOutputTest, MissingTemplateWarnsAndUsesTheStoredCopy) {
  host->FUsesTemplate = {false, false, false, false, false};
  TfrmSourceFiles store(host.get());
  store.FReadingText = "stored [strReadingText]\r\n";
  Typed("", "words");
  fake.Answer(ModalResult::OK);
  EXPECT_EQ(Output(3), "stored words\r\n");
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text,
            "Unable to find reading text source file tavrelr.ht_. Reverting to default.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].buttons, static_cast<unsigned>(tavrel::mbOK));
  EXPECT_EQ(fake.messages[0].helpContext, 33000);
}

TEST_F(ReadingOutputTest, ExternalFileGivesItsTextUnchanged) {
  files.Write("story.htm", "<html>\r\n<body>Caf\xE9 [strReadingText]</body>\n</html>");
  External(files.File("story.htm"));
  // Read as text: every line ends in CR LF; nothing is filled or converted.
  EXPECT_EQ(Output(3), "<html>\r\n<body>Caf\xE9 [strReadingText]</body>\r\n</html>\r\n");
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ReadingOutputTest, WebAddressInAnyLetterCaseGivesTheAddressTrimmed) {
  for (const std::string& address :
       {std::string("http://example.org/r.htm"), std::string("HTTP://Example.org/r.htm"),
        std::string("hTtPs://example.org/r.htm")}) {
    External(address + "  ");
    EXPECT_EQ(Output(4), address);
  }
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_TRUE(IsWebAddress("Https://x"));
  EXPECT_FALSE(IsWebAddress("www.example.org"));
}

TEST_F(ReadingOutputTest, PathThatIsNeitherFileNorAddressWarnsAndGivesNothing) {
  for (const std::string& path : {std::string("www.example.org/r.htm"),
                                  files.File("missing.htm"), std::string()}) {
    External(path);
    fake.Answer(ModalResult::OK);
    EXPECT_EQ(Output(3), "") << path;
  }
  ASSERT_EQ(fake.messages.size(), 3u);
  EXPECT_EQ(fake.messages[0].text,
            "You have not specified a correct file and path for your reading text file.");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[0].helpContext, 12500);
}

}  // namespace
}  // namespace reading_test
