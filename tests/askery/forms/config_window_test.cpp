// The quiz configuration window: controls, change tracking, the save
// question at OK and Load, Save and Save As, loading, browse buttons, the
// Insert menu and the colour chart.
#include <sys/stat.h>

#include <QAction>
#include <QKeyEvent>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QtTest/qtestspontaneevent.h>

#include "datafile_fixture.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/FileFunctions.h"
#include "support/ResourceLimits.h"
#include "support/WindowTest.h"

using datafile_test::AskeryWindows;
using datafile_test::RegistryConfigFile;
using datafile_test::SetRegistryConfigFile;
using tavrel::ModalResult;
using tavrel::MsgType;

namespace {

const std::string kQuestionStart = "Do you want to save the changes in the configuration file \r\n";

std::vector<std::string> TabTitles(const QTabWidget* tabs) {
  std::vector<std::string> out;
  for (int i = 0; i < tabs->count(); ++i) out.push_back(tabs->tabText(i).toStdString());
  return out;
}

bool HasLabel(const QWidget* page, const std::string& caption) {
  for (const QLabel* l : page->findChildren<QLabel*>()) {
    if (l->text().toStdString() == caption) return true;
  }
  return false;
}

// Fills the box to 230 characters, types thirty more and gives the length.
int TypedLength(tavrel::TEdit* edit) {
  edit->SetText(std::string(230, 'a'));
  edit->setCursorPosition(230);
  for (int i = 0; i < 30; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, "y");
    QApplication::sendEvent(edit, &press);
  }
  const int length = static_cast<int>(edit->Text().size());
  edit->SetText("");
  return length;
}

}  // namespace

TEST_F(AskeryWindows, ConfigWindowPagesControlsAndDefaults) {
  EXPECT_EQ(config->windowTitle().toStdString(), "Configure output");
  EXPECT_EQ(TabTitles(config->PageControl1),
            (std::vector<std::string>{"Titles/Instructions", "Prompts/Feedback", "Button Captions",
                                      "Settings/URLs", "Reading", "DHTML"}));
  EXPECT_EQ(config->PageControl1->currentIndex(), 0);
  EXPECT_TRUE(HasLabel(config->tabPrompts, "Questions answered correctly first time:"));
  EXPECT_TRUE(HasLabel(config->tabButtons, "Caption for \"Check Answer\" button:"));
  EXPECT_TRUE(HasLabel(config->tabReading, "Caption for \"Show reading text again\" button:"));
  EXPECT_TRUE(HasLabel(config->tabDHTML, "\"OK\" button caption:"));
  EXPECT_EQ(config->chkIncludeContents->text().toStdString(), "Include \"Go to Contents\" button");
  EXPECT_EQ(config->btnBrowseForIndex->toolTip().toStdString(),
            "Browse for the contents page to link to");
  EXPECT_EQ(config->editTitleColor->toolTip().toStdString(),
            "HTML hex code for colour of Web page title");

  // Tags: page text 1, everything else 0.
  for (tavrel::IEditControl* e :
       std::initializer_list<tavrel::IEditControl*>{config->mmoWelcome, config->editYourScoreIs,
                                                    config->editThisMuch, config->editTimesUp}) {
    EXPECT_EQ(e->Tag, 1);
  }
  for (tavrel::IEditControl* e : std::initializer_list<tavrel::IEditControl*>{
           config->editCheck, config->editGraphicURL, config->editNavBarColor,
           config->editOKCaption, config->editPopupBGColor}) {
    EXPECT_EQ(e->Tag, 0);
  }
  EXPECT_EQ(config->editNavBarColor->property("helpContext").toInt(), 21600);
  EXPECT_EQ(config->chkShuffleQs->property("helpContext").toInt(), 13000);
  EXPECT_EQ(config->editHelp->property("helpContext").toInt(), 15000);

  // The values a window holds before any file is loaded.
  const ConfigValues v = config->Values();
  const ConfigValues d = configdoc::Defaults(configdoc::Program::Askery);
  EXPECT_EQ(v.text, d.text);
  EXPECT_EQ(v.checked, d.checked);
  EXPECT_EQ(config->ControlText("editExBGColor"), "#CCCCCC");
  EXPECT_TRUE(config->ControlChecked("chkCaseSensitive"));
  EXPECT_EQ(config->ControlText("editNoSuchBox"), "");
  EXPECT_FALSE(config->ConfigChanged);
  EXPECT_EQ(config->FConfigFileName, "");

  // Typing stops at each box's limit.
  EXPECT_EQ(TypedLength(config->editGuessCorrect), 255);
  EXPECT_EQ(TypedLength(config->editCorrectFirstTime), 240);
  EXPECT_EQ(TypedLength(config->editClickToShow), 240);
  EXPECT_EQ(TypedLength(config->editPopupBGColor), 255);
  EXPECT_EQ(TypedLength(config->editCheck), 255);
}

TEST_F(AskeryWindows, ConfigEveryBoxAndCheckBoxMarksTheConfigurationChanged) {
  const ConfigValues v = config->Values();
  for (const auto& [name, text] : v.text) {
    config->ConfigChanged = false;
    config->SetControlText(name, text + "x");
    EXPECT_TRUE(config->ConfigChanged) << name;
  }
  for (const auto& [name, checked] : v.checked) {
    config->ConfigChanged = false;
    config->SetControlChecked(name, !checked);
    EXPECT_TRUE(config->ConfigChanged) << name;
  }
  config->FormShow();
  EXPECT_FALSE(config->ConfigChanged);
  EXPECT_EQ(config->windowTitle().toStdString(), "Configuration file: ");
}

TEST_F(AskeryWindows, ConfigEditsStayMarkedWhenTheWindowComesBackFromTheTaskbar) {
  config->show();
  QApplication::processEvents();
  config->SetControlText("editGuessCorrect", "Well done!");
  ASSERT_TRUE(config->ConfigChanged);
  // Restored after the desktop minimized it: the window system shows it
  // again, which is no new showing of the window.
  QShowEvent restored;
  QSpontaneKeyEvent::setSpontaneous(&restored);
  qApp->notify(config.get(), &restored);
  EXPECT_TRUE(config->ConfigChanged);
  fake.Answer(ModalResult::No);
  config->btnAcceptClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].type, MsgType::Confirmation);
  EXPECT_TRUE(main->FChanged);

  // A new showing starts afresh.
  config->hide();
  config->show();
  QApplication::processEvents();
  EXPECT_FALSE(config->ConfigChanged);
}

TEST_F(AskeryWindows, ConfigOkWithoutChangesWritesTheRegistryWithoutAsking) {
  SetRegistryConfigFile("previous.cfg");
  config->btnAcceptClick();
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(RegistryConfigFile(), "");  // an empty name is written too
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(config->result(), QDialog::Accepted);
}

TEST_F(AskeryWindows, ConfigOkAnsweredNoKeepsTheRegistryAndMarksTheQuiz) {
  SetRegistryConfigFile("previous.cfg");
  config->FConfigFileName = dir.File("mine.cfg");
  config->chkIncludeHint->setChecked(true);  // a check box is an edit too
  fake.Answer(ModalResult::No);
  config->btnAcceptClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, kQuestionStart + dir.File("mine.cfg") + "?");
  EXPECT_EQ(fake.messages[0].type, MsgType::Confirmation);
  EXPECT_EQ(fake.messages[0].buttons, tavrel::mbYes | tavrel::mbNo | tavrel::mbHelp);
  EXPECT_EQ(fake.messages[0].helpContext, 17000);
  EXPECT_EQ(RegistryConfigFile(), "previous.cfg");
  EXPECT_TRUE(main->FChanged);
  EXPECT_EQ(config->result(), QDialog::Accepted);
  EXPECT_FALSE(FileExists(dir.File("mine.cfg")));
}

TEST_F(AskeryWindows, ConfigOkAnsweredYesSavesThenWritesTheRegistry) {
  config->FConfigFileName = dir.File("mine.cfg");
  config->editCheck->SetText("Check & go");
  fake.Answer(ModalResult::Yes);
  config->btnAcceptClick();
  EXPECT_EQ(RegistryConfigFile(), dir.File("mine.cfg"));
  EXPECT_FALSE(config->ConfigChanged);
  ConfigValues back = configdoc::Defaults(configdoc::Program::Askery);
  configdoc::LoadConfigFromFile(configdoc::Program::Askery, dir.File("mine.cfg"), back);
  EXPECT_EQ(back.Text("editCheck"), "Check & go");
}

TEST_F(AskeryWindows, ConfigSaveWithoutNameIsSaveAsAndCancelCountsAsNotSaved) {
  SetRegistryConfigFile("previous.cfg");
  config->editHint->SetText("Hint");
  fake.Answer(ModalResult::Yes).CancelSave();
  config->btnAcceptClick();
  EXPECT_EQ(RegistryConfigFile(), "previous.cfg");
  EXPECT_TRUE(config->ConfigChanged);
  ASSERT_EQ(fake.saveRequests.size(), 1u);
  EXPECT_EQ(fake.saveRequests[0].filter, "Configuration files (*.cfg)|*.cfg");
  EXPECT_EQ(fake.saveRequests[0].fileName, "");
}

TEST_F(AskeryWindows, ConfigSaveAsAppendsTheExtensionUnlessItIsThere) {
  struct Case {
    std::string chosen, expected;
  };
  for (const Case& c : {Case{"upper.CFG", "upper.CFG.cfg"}, Case{"plain", "plain.cfg"},
                        Case{"a.cfg.old", "a.cfg.old"}, Case{"b.cfg", "b.cfg"}}) {
    fake.ChooseSave(dir.File(c.chosen));
    config->editCheck->SetText("x");
    EXPECT_TRUE(config->SaveConfigFileAs());
    EXPECT_EQ(config->FConfigFileName, dir.File(c.expected));
    EXPECT_TRUE(FileExists(dir.File(c.expected))) << c.expected;
    EXPECT_FALSE(config->ConfigChanged);
    EXPECT_EQ(config->windowTitle().toStdString(), "Configuration - " + dir.File(c.expected));
  }
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(AskeryWindows, ConfigSaveAsAsksBeforeReplacingAnExistingFile) {
  tavrel::testing::CheckConfigSaveAsAsksBeforeReplacing(*config, fake, dir, "editCheck");
}

TEST_F(AskeryWindows, ConfigFailedWriteIsReportedAndStaysChanged) {
  SetRegistryConfigFile("previous.cfg");
  const std::string bad = dir.File("no/such/folder/x.cfg");
  config->FConfigFileName = bad;
  config->editCheck->SetText("changed");
  fake.Answer(ModalResult::OK);
  EXPECT_FALSE(config->SaveConfigFile());
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Unable to save file: " + bad + "\r\nNo such file or directory");
  EXPECT_EQ(fake.messages[0].type, MsgType::Warning);
  EXPECT_TRUE(config->ConfigChanged);

  // At OK the failed save stops the registry update.
  fake.Answer(ModalResult::Yes).Answer(ModalResult::OK);
  config->btnAcceptClick();
  EXPECT_EQ(RegistryConfigFile(), "previous.cfg");

  // Save As into a folder that does not exist keeps the previous name.
  fake.ChooseSave(bad).Answer(ModalResult::OK);
  EXPECT_FALSE(config->SaveConfigFileAs());
  EXPECT_EQ(config->FConfigFileName, bad);
  EXPECT_TRUE(config->ConfigChanged);

  if (!tavrel::testing::kMemoryLimitsWork) GTEST_SKIP() << "memory limits do not apply here";
  // A save that needs more memory than there is: reported, the file as it
  // was, the configuration still changed.
  dir.Write("big.cfg", "old");
  config->FConfigFileName = dir.File("big.cfg");
  config->SetControlText("mmoInstructions", std::string(4 << 20, 'i'));
  const int status = tavrel::testing::RunWithMemoryHeadroom(1 << 20, [&] {
    fake.Answer(ModalResult::OK);
    return !config->SaveConfigFile() && config->ConfigChanged &&
                   fake.messages.back().text == "Unable to save file: " + dir.File("big.cfg") +
                                                    "\r\nCannot allocate memory"
               ? 0
               : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(dir.Read("big.cfg"), "old");
}

TEST_F(AskeryWindows, ConfigFileThatRefusesASettingIsReportedAsNotSaved) {
  const std::string text = "<tavrel-config-file><version>6</version><global></tavrel-config-file>";
  dir.Write("broken.cfg", text);
  config->FConfigFileName = dir.File("broken.cfg");
  config->editCheck->SetText("changed");
  fake.Answer(ModalResult::OK);
  EXPECT_FALSE(config->SaveConfigFile());
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "Unable to save file: " + dir.File("broken.cfg"));
  EXPECT_TRUE(config->ConfigChanged);
  EXPECT_EQ(dir.Read("broken.cfg"), text);
}

TEST_F(AskeryWindows, ConfigLoadAsksFirstAndMarksTheQuizModified) {
  ConfigValues other = configdoc::Defaults(configdoc::Program::Askery);
  other.text["editCheck"] = "Other";
  ASSERT_TRUE(
      configdoc::SaveConfigToFile(configdoc::Program::Askery, dir.File("other.cfg"), other, 6));

  // No to the question keeps the edited configuration and loads nothing.
  config->FConfigFileName = dir.File("mine.cfg");
  config->editCheck->SetText("Edited");
  fake.Answer(ModalResult::No);
  config->btnLoadClick();
  EXPECT_TRUE(fake.openRequests.empty());
  EXPECT_EQ(config->ControlText("editCheck"), "Edited");

  config->ConfigChanged = false;
  main->SetStatusPanelText(1, "Config: ");
  fake.ChooseOpen(dir.File("other.cfg"));
  config->btnLoadClick();
  EXPECT_EQ(config->ControlText("editCheck"), "Other");
  EXPECT_EQ(config->FConfigFileName, dir.File("other.cfg"));
  EXPECT_EQ(config->windowTitle().toStdString(), "Configuration file: " + dir.File("other.cfg"));
  EXPECT_EQ(main->StatusPanelText(1), "Config: other.cfg");
  EXPECT_TRUE(main->FChanged);
  EXPECT_FALSE(config->ConfigChanged);

  // Nothing at all for an empty or missing name.
  main->FChanged = false;
  config->LoadConfigFile("");
  config->LoadConfigFile(dir.File("missing.cfg"));
  EXPECT_FALSE(main->FChanged);
  EXPECT_EQ(config->FConfigFileName, dir.File("other.cfg"));
}

TEST_F(AskeryWindows, ConfigOldFileLoadAndSupplidFileFillsEveryText) {
  dir.Write("old.cfg", "[Askery]\r\nWelcome=Hi\r\nShowCaption=Reveal\r\n\r\n"
                       "[Global]\r\nBackCaption=Back\r\nIncludeBack=1\r\n");
  config->LoadConfigFile(dir.File("old.cfg"));
  EXPECT_EQ(config->ControlText("mmoWelcome"), "Hi");
  EXPECT_EQ(config->ControlText("editShow"), "Reveal");
  EXPECT_TRUE(config->ControlChecked("chkIncludeBack"));
  EXPECT_EQ(config->windowTitle().toStdString(), "Configuration file: " + dir.File("old.cfg"));

  // The supplied configuration gives every box but the addresses a text.
  config->LoadConfigFile(tavrel::programFolder() + "english4.cfg");
  for (const auto& [name, text] : config->Values().text) {
    if (name.find("URL") != std::string::npos) continue;
    EXPECT_FALSE(text.empty()) << name;
  }
  EXPECT_EQ(config->ControlText("editCheck"), "Check");
  EXPECT_EQ(config->ControlText("editTimesUp"), "Time's up! Now answer the questions.");
}

TEST_F(AskeryWindows, ConfigBrowseButtonsNeedASavedQuiz) {
  main->FFileName.clear();
  fake.Answer(ModalResult::OK);
  config->btnBrowseForNextExClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].helpContext, 5700);
  EXPECT_TRUE(fake.openRequests.empty());
  EXPECT_EQ(config->ControlText("editNextExURL"), "");

  ASSERT_EQ(mkdir(dir.File("unit").c_str(), 0755), 0);
  ASSERT_EQ(mkdir(dir.File("unit/next").c_str(), 0755), 0);
  dir.Write("unit/quiz.aky", "");
  dir.Write("unit/next/two.htm", "");
  dir.Write("index.htm", "");
  main->FFileName = dir.File("unit/quiz.aky");
  fake.ClearRecords();
  fake.Answer(ModalResult::OK).ChooseOpen(dir.File("unit/next/two.htm"));
  config->btnBrowseForNextExClick();
  EXPECT_EQ(config->ControlText("editNextExURL"), "next/two.htm");
  ASSERT_EQ(fake.openRequests.size(), 1u);
  EXPECT_EQ(fake.openRequests[0].filter, "HTML files (*.htm, *.html)|*.htm;*.html");

  fake.ChooseOpen(dir.File("index.htm"));  // no second folder question
  config->btnBrowseForIndexClick();
  EXPECT_EQ(config->ControlText("editContentsURL"), "../index.htm");

  fake.CancelOpen();
  config->btnBrowseForIndexClick();
  EXPECT_EQ(config->ControlText("editContentsURL"), "../index.htm");
}

TEST_F(AskeryWindows, ConfigInsertMenuOnlyForPageText) {
  config->show();
  config->PageControl1->setCurrentWidget(config->tabTitles);
  config->mmoInstructions->setFocus();
  QApplication::processEvents();
  config->mnuInsertClick();
  EXPECT_TRUE(config->mnuPicture->menuAction()->isEnabled());
  EXPECT_TRUE(config->mnuLink->menuAction()->isEnabled());

  config->PageControl1->setCurrentWidget(config->tabSettings);
  config->editGraphicURL->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(tavrel::FocusedControl(config.get()), config->editGraphicURL);
  config->mnuInsertClick();
  EXPECT_FALSE(config->mnuPicture->menuAction()->isEnabled());
  EXPECT_FALSE(config->mnuLink->menuAction()->isEnabled());
  // The picture item does nothing for a box of Tag 0.
  config->mnuInsertPicFromURLClick();
  EXPECT_EQ(config->ControlText("editGraphicURL"), "");
  config->hide();
}

TEST_F(AskeryWindows, ConfigColourChartOpensTheSuppliedPage) {
  config->spdColoursClick();
  ASSERT_EQ(fake.opened.size(), 1u);
  EXPECT_EQ(fake.opened[0].substr(fake.opened[0].rfind('/') + 1), "webcolours.htm");
  EXPECT_TRUE(FileExists(tavrel::programFolder() + "webcolours.htm"));

  fake.SetShellOpenFails(true);
  config->spdColoursClick();
  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_TRUE(fake.messages[0].plain);
  EXPECT_EQ(fake.messages[0].text.rfind("Unable to run the program and load the file.", 0), 0u);
}

TEST_F(AskeryWindows, ConfigEmbeddedCopyFollowsTheWindow) {
  config->editCheck->SetText("<Check>");
  config->chkShuffleQs->setChecked(false);
  std::string xml;
  config->MakeConfigXML(xml);
  EXPECT_EQ(xml, configdoc::MakeConfigXML(configdoc::Program::Askery, config->Values()));
  EXPECT_NE(xml.find("<check-caption>&lt;Check&gt;</check-caption>"), std::string::npos);

  config->editCheck->SetText("other");
  config->chkShuffleQs->setChecked(true);
  config->ReadConfigXML("<tavrel-askery-file>" + xml + "</tavrel-askery-file>");
  EXPECT_EQ(config->ControlText("editCheck"), "<Check>");
  EXPECT_FALSE(config->ControlChecked("chkShuffleQs"));
}

TEST_F(AskeryWindows, ConfigWindowPreviewsMarkupKeysAndHelp) {
  config->show();
  config->PageControl1->setCurrentWidget(config->tabPrompts);
  config->editGuessCorrect->setFocus();
  QApplication::processEvents();
  config->editGuessCorrect->SetText("Well done");
  config->editGuessCorrect->selectAll();
  ASSERT_EQ(config->editGuessCorrect->SelText(), "Well done");
  ASSERT_EQ(tavrel::FocusedControl(config.get()), config->editGuessCorrect);
  QKeyEvent bold(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier | Qt::AltModifier, "b");
  QApplication::sendEvent(config->editGuessCorrect, &bold);
  EXPECT_EQ(config->ControlText("editGuessCorrect"), "<B>Well done</B>");

  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(config->editGuessCorrect, &f1);
  config->PageControl1->setCurrentWidget(config->tabSettings);
  config->editNavBarColor->setFocus();
  QApplication::processEvents();
  QApplication::sendEvent(config->editNavBarColor, &f1);
  EXPECT_EQ(fake.helpShown, (std::vector<int>{15000, 21600}));
  config->btnHelpClick();
  EXPECT_EQ(fake.helpShown.back(), 15000);
  config->hide();
}
