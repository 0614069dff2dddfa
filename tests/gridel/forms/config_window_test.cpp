// The crossword's configuration window: its own Edit menu items, and
// accepting a changed configuration.
#include <QAction>

#include "gridel_fixture.h"

namespace gridel_test {
namespace {

TEST_F(GridelTest, TheConfigurationsEditMenuDeletesAndUndoesInTheFocusedBox) {
  config->show();
  QApplication::setActiveWindow(config);
  config->editCorrect->SetText("Well done!");
  config->editCorrect->setFocus();
  config->mnuEditClick();
  EXPECT_TRUE(config->mnuUndo->isEnabled());
  EXPECT_FALSE(config->mnuDelete->isEnabled()) << "nothing selected";

  config->ConfigChanged = false;
  config->editCorrect->setSelection(4, 5);
  config->mnuEditClick();
  EXPECT_TRUE(config->mnuDelete->isEnabled());
  config->mnuDeleteClick();
  EXPECT_EQ(config->editCorrect->Text(), "Well!");
  EXPECT_TRUE(config->ConfigChanged);
  config->mnuUndoClick();
  EXPECT_EQ(config->editCorrect->Text(), "Well done!");

  // A link dialog left with Cancel keeps the selected text.
  config->editCorrect->selectAll();
  link->ModalHook = [](TfrmInsertLink& f) {
    f.btnCancel->click();
    return f.result();
  };
  config->mnuInsertLinkToURLClick();
  EXPECT_EQ(config->editCorrect->Text(), "Well done!");

  config->PageControl1->setFocus();
  config->mnuEditClick();
  EXPECT_FALSE(config->mnuUndo->isEnabled());
  EXPECT_FALSE(config->mnuPaste->isEnabled());
  config->hide();
}

TEST_F(GridelTest, SaveAsAsksBeforeReplacingAnExistingConfiguration) {
  tavrel::testing::CheckConfigSaveAsAsksBeforeReplacing(*config, fake, files, "editCorrect");
}

TEST_F(GridelTest, OkSavesAChangedConfigurationAndTheStatusBarNamesTheFileWritten) {
  const std::string path = files.File("mine.cfg");
  config->FConfigFileName.clear();
  config->editCorrect->SetText("Well done!");
  config->ConfigChanged = true;
  fake.Answer(ModalResult::Yes).ChooseSave(path);
  config->btnOKClick();
  ASSERT_FALSE(fake.messages.empty());
  EXPECT_EQ(fake.messages[0].helpContext, 19000) << "the crossword window's own help";
  EXPECT_EQ(config->FConfigFileName, path);
  EXPECT_EQ(main->StatusPanelText(1), "Config: mine.cfg");
  EXPECT_TRUE(main->FChanged);
}

}  // namespace
}  // namespace gridel_test
