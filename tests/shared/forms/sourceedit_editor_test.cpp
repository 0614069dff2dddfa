// The template editor: switching between templates, the slot colours, the
// font, Restore Default, the keys the form takes and its layout.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "sourceedit_fixture.h"

namespace sourceedit_test {
namespace {

const QColor kBlack(0, 0, 0), kNavy(0, 0, 128), kMaroon(128, 0, 0), kGreen(0, 128, 0),
    kPurple(128, 0, 128);

TEST_F(SourceEditTest, EachShowingStartsOnTheFramesetInItsColour) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());
  EXPECT_EQ(f.ShownSlot(), -1);

  ShowModal([this](TfrmSourceFiles& f) {
    EXPECT_TRUE(f.spdFrameset->isChecked());
    EXPECT_EQ(Memo(), Page("askery.ht_"));
    EXPECT_EQ(MemoColour(), kBlack);
    f.spdDHTML->click();
  });
  ShowModal([this](TfrmSourceFiles& f) {
    EXPECT_TRUE(f.spdFrameset->isChecked());
    EXPECT_FALSE(f.spdDHTML->isChecked());
    EXPECT_EQ(f.ShownSlot(), tsFrameset);
    EXPECT_EQ(Memo(), Page("askery.ht_"));
  });
}

TEST_F(SourceEditTest, EachSlotShowsItsTextInItsColour) {
  WriteTemplates("askery");
  Create("Askery", QuizTemplates());

  ShowModal([this](TfrmSourceFiles& f) {
    struct Case {
      QToolButton* button;
      std::string file;
      QColor colour;
    };
    for (const Case& c : {Case{f.spdWelcome, "askeryw.ht_", kNavy}, Case{f.spdCode, "askeryc.ht_", kMaroon},
                          Case{f.spdReading, "tavrelr.ht_", kGreen}, Case{f.spdDHTML, "daskery.ht_", kPurple},
                          Case{f.spdFrameset, "askery.ht_", kBlack}}) {
      c.button->click();
      EXPECT_TRUE(c.button->isChecked()) << c.file;
      EXPECT_EQ(Memo(), Page(c.file));
      EXPECT_EQ(MemoColour(), c.colour) << c.file;
    }
    // The captions carry the same colours; the frameset keeps the default.
    EXPECT_EQ(f.spdCode->palette().color(QPalette::ButtonText), kMaroon);
    EXPECT_EQ(f.spdDHTML->palette().color(QPalette::ButtonText), kPurple);
    EXPECT_EQ(f.spdFrameset->palette().color(QPalette::ButtonText),
              QApplication::palette(f.spdFrameset).color(QPalette::ButtonText));
  });
}

TEST_F(SourceEditTest, SwitchingTemplatesKeepsTheEditOfEach) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());

  ShowModal([this](TfrmSourceFiles& f) {
    f.spdCode->click();
    f.mmoText->SetText("code\twith a tab\r\n");
    f.spdFrameset->click();
    EXPECT_EQ(Memo(), Page("askery.ht_"));
    EXPECT_EQ(f.FCodeText, "code\twith a tab\r\n");
    f.spdCode->click();
    EXPECT_EQ(Memo(), "code\twith a tab\r\n");
  });
  // Nothing is written until Accept.
  EXPECT_EQ(source.Read("askeryc.ht_"), Page("askeryc.ht_"));
  EXPECT_EQ(f.FCodeText, "code\twith a tab\r\n");
}

TEST_F(SourceEditTest, TheRawFontBeforeTheFirstShowingMarksNoTemplate) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());
  tavrel::FontSpec raw;
  raw.name = "Courier New";
  raw.size = 11;
  raw.color = 0x800000;  // navy, the welcome page's colour
  f.AssignRawFont(raw);
  EXPECT_EQ(f.mmoText->font().family().toStdString(), "Courier New");
  EXPECT_EQ(MemoColour(), kNavy);

  ShowModal([this](TfrmSourceFiles&) {
    EXPECT_EQ(MemoColour(), kBlack);
  });
  EXPECT_EQ(f.FWelcomeText, Page("askeryw.ht_"));
}

TEST_F(SourceEditTest, FontChangeKeepsTheTemplateColour) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());
  host->dlgRawFont.name = "Arial";

  tavrel::FontSpec chosen;
  chosen.name = "Courier New";
  chosen.size = 14;
  chosen.bold = true;
  chosen.italic = true;
  chosen.color = 0x0000FF;  // red
  fake.ChooseFont(chosen).CancelFont();
  ShowModal([this](TfrmSourceFiles& f) {
    f.spdCode->click();
    f.btnFont->click();
    EXPECT_EQ(f.mmoText->font().family().toStdString(), "Courier New");
    EXPECT_EQ(f.mmoText->font().pointSize(), 14);
    EXPECT_TRUE(f.mmoText->font().bold());
    EXPECT_TRUE(f.mmoText->font().italic());
    EXPECT_FALSE(f.mmoText->font().underline());
    EXPECT_EQ(MemoColour(), kMaroon);
    f.btnFont->click();  // cancelled: nothing changes
    EXPECT_EQ(f.mmoText->font().pointSize(), 14);
  });
  ASSERT_EQ(fake.fontRequests.size(), 2u);
  EXPECT_EQ(fake.fontRequests[0].name, "Arial");  // the dialog starts from the raw font
  EXPECT_EQ(fake.fontRequests[1].name, "Courier New");
  EXPECT_EQ(host->dlgRawFont.name, "Courier New");  // kept for the registry
  EXPECT_EQ(f.FCodeText, Page("askeryc.ht_"));
}

TEST_F(SourceEditTest, RestoreDefaultPutsTheSuppliedCopyInTheEditorOnlyOnYes) {
  WriteTemplates("askery");
  Create("Askery", QuizTemplates());

  fake.Answer(ModalResult::No).Answer(ModalResult::Cancel).Answer(ModalResult::Yes);
  ShowModal([this](TfrmSourceFiles& f) {
    f.spdReading->click();
    f.mmoText->SetText("my reading\r\n");
    f.btnRestore->click();
    f.btnRestore->click();
    EXPECT_EQ(Memo(), "my reading\r\n");
    f.btnRestore->click();
    EXPECT_EQ(Memo(), Page("supplied tavrelr.ht_"));
    // The store takes it only when the memo is next stored.
    EXPECT_EQ(f.FReadingText, Page("tavrelr.ht_"));
    f.spdFrameset->click();
    EXPECT_EQ(f.FReadingText, Page("supplied tavrelr.ht_"));
  });
  ASSERT_EQ(fake.messages.size(), 3u);
  for (const auto& m : fake.messages) {
    EXPECT_EQ(m.text, "Are you sure you want to return to the original source file supplied with the program?");
    EXPECT_EQ(m.type, MsgType::Confirmation);
    EXPECT_EQ(m.buttons, tavrel::mbYesNoCancel);
    // Yes throws the edited templates away: Enter answers No.
    EXPECT_EQ(m.defaultButton, tavrel::mbNo);
    EXPECT_EQ(m.helpContext, 33000);
  }
  // Nothing reached the disk.
  EXPECT_EQ(source.Read("tavrelr.ht_"), Page("tavrelr.ht_"));
}

TEST_F(SourceEditTest, RestoreDefaultWithoutASuppliedCopyWarnsAndKeepsTheEditor) {
  WriteTemplates("askery");
  std::filesystem::remove(program.File("SrcBackup/askeryc.ht_"));
  Create("Askery", QuizTemplates());

  fake.Answer(ModalResult::Yes).Answer(ModalResult::OK);
  ShowModal([this](TfrmSourceFiles& f) {
    f.spdCode->click();
    f.mmoText->SetText("my code\r\n");
    f.btnRestoreClick();
    EXPECT_EQ(Memo(), "my code\r\n");
    f.btnAcceptClick();
  });
  ASSERT_EQ(fake.messages.size(), 2u);
  EXPECT_EQ(fake.messages[1].text, "Unable to load the original source file " + program.Path() +
                                       "SrcBackup/askeryc.ht_. The text in the editor has not been changed.");
  EXPECT_EQ(fake.messages[1].type, MsgType::Warning);
  EXPECT_EQ(fake.messages[1].buttons, tavrel::mbOK);
  EXPECT_EQ(fake.messages[1].helpContext, 33000);
  // The template on disk is the edit, not an empty text.
  std::string text;
  ASSERT_TRUE(LoadTextFile(source.File("askeryc.ht_"), text));
  EXPECT_EQ(text, "my code\r\n");
}

TEST_F(SourceEditTest, HelpButtonAndF1OpenTheFormsHelp) {
  WriteTemplates("askery");
  Create("Askery", QuizTemplates());
  ShowModal([](TfrmSourceFiles& f) {
    f.btnHelp->click();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&f, &f1);
  });
  EXPECT_EQ(fake.helpShown, (std::vector<int>{33000, 33000}));
}

TEST_F(SourceEditTest, EscapeActsAsCancel) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());
  const int r = ShowModal([](TfrmSourceFiles& f) {
    f.mmoText->SetText("escaped\r\n");
    f.spdWelcome->click();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&f, &esc);
  });
  EXPECT_EQ(r, QDialog::Rejected);
  EXPECT_EQ(f.FFramesetText, Page("askery.ht_"));
  EXPECT_TRUE(f.btnCancel->isDefault());
}

TEST_F(SourceEditTest, CtrlAltKeysInTheEditorBecomeMarkup) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());
  f.show();
  f.mmoText->setFocus();
  f.mmoText->SetText("");
  f.mmoText->SetSelText("bold");
  f.mmoText->SelectAll();

  QKeyEvent ctrlAltB(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
  QApplication::sendEvent(f.mmoText, &ctrlAltB);
  EXPECT_EQ(Memo(), "<B>bold</B>");
  // With Shift as well the key is the memo's own: a plain letter is typed.
  QKeyEvent shifted(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier,
                    "B");
  QApplication::sendEvent(f.mmoText, &shifted);
  EXPECT_EQ(Memo().rfind("<B>bold</B>", 0), 0u);
  f.hide();
}

TEST_F(SourceEditTest, PanelsAndButtonsFollowTheFormSize) {
  WriteTemplates("askery");
  TfrmSourceFiles& f = Create("Askery", QuizTemplates());
  f.show();  // offscreen: geometry only
  for (int w : {800, 801, 700}) {
    f.resize(w, 500);
    QApplication::processEvents();
    SCOPED_TRACE(w);
    EXPECT_EQ(f.pnlButtons->geometry(), QRect(0, 440, w, 60));
    EXPECT_EQ(f.pnlFiles->width(), 97);
    EXPECT_EQ(f.mmoText->geometry(), QRect(99, 0, w - 99, 438));
    const int left = (w - 520) / 2;
    EXPECT_EQ(f.btnAccept->x(), left);
    EXPECT_EQ(f.btnCancel->x(), left + 133);
    EXPECT_EQ(f.btnRestore->x(), left + 266);
    EXPECT_EQ(f.btnHelp->x(), left + 399);
    for (QPushButton* b : {f.btnAccept, f.btnCancel, f.btnRestore, f.btnHelp}) EXPECT_EQ(b->width(), 120);
  }
  f.hide();
}

}  // namespace
}  // namespace sourceedit_test
