// The matching configuration window: change tracking, OK with and without
// the reload option, the Edit menu, and the configuration in the data file.
#include <QMenu>
#include <QPushButton>

#include "pairo_fixture.h"
#include "shared/core/FileFunctions.h"

using namespace pairo_test;

namespace {

std::string RegistryConfigFile() {
  tavrel::TRegistry reg;
  if (!reg.OpenKey("Software\\Corvane\\Tavrel\\Pairo\\Config\\FilePaths", false)) return "<none>";
  return reg.ValueExists("ConfigFile") ? reg.ReadString("ConfigFile") : "<none>";
}

}  // namespace

TEST_F(PairoWindows, ConfigEveryControlMarksTheConfigurationChanged) {
  const ConfigValues values = config->Values();
  EXPECT_EQ(values.text.size(), 26u);
  EXPECT_EQ(values.checked.size(), 3u);
  for (const auto& [name, text] : values.text) {
    config->ConfigChanged = false;
    config->SetControlText(name, text + "x");
    EXPECT_TRUE(config->ConfigChanged) << name;
  }
  for (const auto& [name, checked] : values.checked) {
    config->ConfigChanged = false;
    config->SetControlChecked(name, !checked);
    EXPECT_TRUE(config->ConfigChanged) << name;
  }
}

TEST_F(PairoWindows, ConfigNextExerciseAddressTravelsWithTheExercise) {
  main->FChanged = false;
  config->SetControlText("editInstructions", "x");  // no such box here
  config->SetControlText("mmoInstructions", "Match them");
  EXPECT_FALSE(main->FChanged);
  config->SetControlText("editNextExURL", "next.htm");
  EXPECT_TRUE(main->FChanged);
}

TEST_F(PairoWindows, ConfigOKMarksTheExerciseOnlyWithTheReloadOption) {
  config->FConfigFileName = dir.File("mine.cfg");
  SetReload(false);
  config->ConfigChanged = true;
  main->FChanged = false;
  fake.Answer(ModalResult::No);  // do not save the configuration
  config->btnOKClick();
  ASSERT_FALSE(fake.messages.empty());
  EXPECT_EQ(fake.messages.back().helpContext, 21000);  // this window's own question
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(RegistryConfigFile(), "<none>");  // declined: the old path stays
  EXPECT_EQ(main->StatusPanelText(1), "Config: mine.cfg");

  SetReload(true);
  config->ConfigChanged = true;
  fake.Answer(ModalResult::Yes);  // saved
  config->btnOKClick();
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(RegistryConfigFile(), dir.File("mine.cfg"));
  EXPECT_TRUE(FileExists(dir.File("mine.cfg")));

  // Unchanged: no question, the path is written.
  config->FConfigFileName = dir.File("other.cfg");
  config->ConfigChanged = false;
  config->btnOKClick();
  EXPECT_EQ(RegistryConfigFile(), dir.File("other.cfg"));
}

TEST_F(PairoWindows, ConfigSaveAsAsksBeforeReplacingAnExistingFile) {
  tavrel::testing::CheckConfigSaveAsAsksBeforeReplacing(*config, fake, dir, "editYourScoreIs");
}

TEST_F(PairoWindows, ConfigEditMenuFollowsTheFocus) {
  config->show();
  config->btnHelp->setFocus();
  QApplication::processEvents();
  config->mnuEditClick();
  for (QAction* a : {config->mnuUndo, config->mnuCut, config->mnuCopy, config->mnuPaste,
                     config->mnuDelete, config->mnuSelectAll})
    EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();

  config->PageControl1->setCurrentIndex(1);
  config->editCheck->SetText("Check");
  config->editCheck->setFocus();
  config->editCheck->selectAll();
  QApplication::processEvents();
  config->mnuEditClick();
  EXPECT_TRUE(config->mnuDelete->isEnabled());
  config->mnuDeleteClick();
  EXPECT_EQ(config->editCheck->Text(), "");
  config->hide();
}

TEST_F(PairoWindows, ConfigIndicatorsHoldThreeCharactersAndTravelInTheDataFile) {
  config->editCorrectIndicator->setFocus();
  config->editCorrectIndicator->SetText("");
  for (char c : std::string("abcd"))
    Key(config->editCorrectIndicator, Qt::Key_A + (c - 'a'), Qt::NoModifier, QString(QChar(c)));
  EXPECT_LE(config->editCorrectIndicator->Text().size(), 3u);

  config->SetControlText("editGuessIncorrect", "No <b>luck</b>");
  Pairs(2);
  fake.ChooseSave(dir.File("cfg.pry"));
  main->mnuSaveAsClick();
  config->SetControlText("editGuessIncorrect", "changed");
  SetReload(true);
  main->LoadFile(dir.File("cfg.pry"));
  EXPECT_EQ(config->ControlText("editGuessIncorrect"), "No <b>luck</b>");
}
