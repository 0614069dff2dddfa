// The desktop platform's real dialogs, driven from inside their own event
// loops: message dialogs (buttons, answers, Help that leaves the box open),
// the plain message box, the save dialog's rules, and the services without
// a window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"
#include "shared/forms/platform_test_support.h"
#include "support/TempDir.h"

namespace {

using platform_test::ModalDriver;
using tavrel::ModalResult;
using tavrel::MsgType;

// The desktop platform with shellOpen recorded instead of starting a
// browser.
class RecordingPlatform : public tavrel::QtPlatform {
 public:
  RecordingPlatform() { tavrel::setPlatform(this); }
  ~RecordingPlatform() override { tavrel::setPlatform(nullptr); }
  bool shellOpen(const std::string& target, std::string&) override {
    opened.push_back(target);
    return true;
  }
  std::vector<std::string> opened;
};

QPushButton* Button(QWidget* dialog, const char* name) {
  return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
}

// Names of a dialog's buttons from left to right.
std::vector<std::string> ButtonOrder(QWidget* dialog) {
  auto buttons = dialog->findChildren<QPushButton*>();
  std::sort(buttons.begin(), buttons.end(),
            [](QPushButton* a, QPushButton* b) { return a->geometry().x() < b->geometry().x(); });
  std::vector<std::string> names;
  for (auto* b : buttons) names.push_back(b->objectName().toStdString());
  return names;
}

class QtPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    help.Write("tavrelhelp.htm", "<html><body>help</body></html>");
    platform.setHelpFile(help.File("tavrelhelp.htm"));
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache.Path()));
  }
  void TearDown() override { qunsetenv("XDG_CACHE_HOME"); }
  // The page an opened address names, read as the browser would get it.
  static std::string PageAt(const std::string& address) {
    return tavrel::testing::ReadFileBytes(QUrl(QString::fromStdString(address)).toLocalFile().toStdString());
  }
  tavrel::testing::TempDir help;
  tavrel::testing::TempDir cache;
  RecordingPlatform platform;
};

TEST_F(QtPlatformTest, HelpButtonShowsHelpAndLeavesTheBoxOpen) {
  bool stillOpen = false;
  std::vector<std::string> order;
  QString title, text;
  ModalDriver driver([&](QWidget* box) {
    order = ButtonOrder(box);
    title = box->windowTitle();
    text = box->findChild<QLabel*>("lblMessage")->text();
    Button(box, "btnHelp")->click();
    stillOpen = box->isVisible() && QApplication::activeModalWidget() == box;
    Button(box, "btnNo")->click();
  });
  const ModalResult r = platform.messageDlg("The quiz  has changed.\r\n\r\nDo you want to save the changes?",
                                            MsgType::Confirmation, tavrel::mbYesNoCancel | tavrel::mbHelp, 4000);
  ASSERT_TRUE(driver.ran());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(r, ModalResult::No);
  EXPECT_EQ(order, (std::vector<std::string>{"btnYes", "btnNo", "btnCancel", "btnHelp"}));
  EXPECT_EQ(title, "Confirm");
  EXPECT_EQ(text, "The quiz  has changed.\n\nDo you want to save the changes?");
  ASSERT_EQ(platform.opened.size(), 1u);
  // Openers drop the section of a local file's address: the browser gets a
  // page in the user's cache folder that goes on to the section.
  const std::string& url = platform.opened[0];
  EXPECT_EQ(url.rfind("file://" + cache.Path(), 0), 0u) << url;
  EXPECT_EQ(url.find('#'), std::string::npos) << url;
  const std::string page = PageAt(url);
  const std::string target = "file://" + help.File("tavrelhelp.htm#context-4000");
  EXPECT_NE(page.find("content=\"0; url=" + target + "\""), std::string::npos) << page;
  EXPECT_NE(page.find("href=\"" + target + "\""), std::string::npos) << page;
  EXPECT_NE(page.find("location.replace("), std::string::npos) << page;
}

TEST_F(QtPlatformTest, TheHelpSectionsAddressIsEscapedInItsForwardingPage) {
  tavrel::testing::TempDir odd;
  odd.Write("it's <a&b>.htm", "help");
  platform.setHelpFile(odd.File("it's <a&b>.htm"));
  platform.showHelp(9000);
  ASSERT_EQ(platform.opened.size(), 1u);
  const std::string page = PageAt(platform.opened[0]);
  EXPECT_NE(page.find("href=\"file://" + odd.Path() + "it%27s%20%3Ca&amp;b%3E.htm#context-9000\""),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("<a&b>"), std::string::npos) << page;
}

TEST_F(QtPlatformTest, EachButtonAnswersForItselfAndEscapeForCancel) {
  struct Case {
    unsigned buttons;
    const char* press;  // nullptr: Escape
    ModalResult expected;
  };
  const Case cases[] = {
      {tavrel::mbOK, "btnOK", ModalResult::OK},
      {tavrel::mbOKCancel, "btnCancel", ModalResult::Cancel},
      {tavrel::mbYesNoCancel, "btnYes", ModalResult::Yes},
      {tavrel::mbYesNoCancel, nullptr, ModalResult::Cancel},
      {tavrel::mbYesNo, nullptr, ModalResult::No},
      {tavrel::mbOK, nullptr, ModalResult::OK},
  };
  for (const Case& c : cases) {
    ModalDriver driver([&](QWidget* box) {
      if (c.press) {
        Button(box, c.press)->click();
      } else {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &esc);
      }
    });
    EXPECT_EQ(platform.messageDlg("Question?", MsgType::Warning, c.buttons, 0), c.expected)
        << (c.press ? c.press : "Escape") << " with buttons " << c.buttons;
  }
  EXPECT_TRUE(platform.opened.empty());
}

// Enter presses the button the question names as its default (the safe one
// of a question that can lose a file), else Yes or OK; Escape answers
// Cancel, else No.
TEST_F(QtPlatformTest, EnterPressesTheDefaultTheQuestionNames) {
  struct Case {
    unsigned buttons;
    unsigned asked;
    int key;
    ModalResult expected;
  };
  const Case cases[] = {
      {tavrel::mbYesNo, 0, Qt::Key_Return, ModalResult::Yes},
      {tavrel::mbYesNo, tavrel::mbNo, Qt::Key_Return, ModalResult::No},
      {tavrel::mbYesNo, tavrel::mbNo, Qt::Key_Enter, ModalResult::No},
      {tavrel::mbYesNo, tavrel::mbNo, Qt::Key_Escape, ModalResult::No},
      {tavrel::mbYesNoCancel | tavrel::mbHelp, tavrel::mbNo, Qt::Key_Return, ModalResult::No},
      {tavrel::mbOKCancel, tavrel::mbCancel, Qt::Key_Return, ModalResult::Cancel},
      {tavrel::mbOKCancel, 0, Qt::Key_Return, ModalResult::OK},
      // A default the box lacks gives the usual one.
      {tavrel::mbOK, tavrel::mbNo, Qt::Key_Return, ModalResult::OK},
  };
  for (const Case& c : cases) {
    QString focused;
    ModalDriver driver([&](QWidget* box) {
      // The button that has the box's focus, which Space would press too.
      if (QWidget* f = box->focusWidget()) focused = f->objectName();
      QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
      QApplication::sendEvent(box, &press);
    });
    EXPECT_EQ(platform.messageDlg("Replace it?", MsgType::Warning, c.buttons, 0, c.asked), c.expected)
        << "key " << c.key << " with buttons " << c.buttons << ", default asked " << c.asked;
    ASSERT_TRUE(driver.ran());
    if (c.key != Qt::Key_Escape && c.expected == ModalResult::No) {
      EXPECT_EQ(focused, "btnNo");
    }
  }
}

TEST_F(QtPlatformTest, MessageTypesHaveTheirTitles) {
  const std::pair<MsgType, const char*> types[] = {{MsgType::Warning, "Warning"},
                                                   {MsgType::Error, "Error"},
                                                   {MsgType::Information, "Information"},
                                                   {MsgType::Confirmation, "Confirm"}};
  for (const auto& [type, title] : types) {
    QString seen;
    bool hasIcon = false;
    ModalDriver driver([&](QWidget* box) {
      seen = box->windowTitle();
      auto* icon = box->findChild<QLabel*>("imgIcon");
      hasIcon = icon && !icon->pixmap().isNull();
      Button(box, "btnOK")->click();
    });
    platform.messageDlg("Text", type, tavrel::mbOK, 0);
    EXPECT_EQ(seen, title);
    EXPECT_TRUE(hasIcon) << title;
  }
}

TEST_F(QtPlatformTest, MissingHelpFileSaysHelpIsNotAvailable) {
  platform.setHelpFile(help.File("nothing-here.htm"));
  QString text;
  std::vector<std::string> order;
  ModalDriver driver([&](QWidget* box) {
    text = box->findChild<QLabel*>("lblMessage")->text();
    order = ButtonOrder(box);
    Button(box, "btnOK")->click();
  });
  platform.showHelp(6000);
  ASSERT_TRUE(driver.ran());
  EXPECT_TRUE(text.startsWith("Help is not available")) << text.toStdString();
  EXPECT_EQ(order, std::vector<std::string>{"btnOK"});
  EXPECT_TRUE(platform.opened.empty());
}

TEST_F(QtPlatformTest, HelpContentsOpensTheTopOfTheDocument) {
  platform.showHelpContents();
  ASSERT_EQ(platform.opened.size(), 1u);
  EXPECT_EQ(platform.opened[0].find('#'), std::string::npos);
  EXPECT_NE(platform.opened[0].find("tavrelhelp.htm"), std::string::npos);
}

TEST_F(QtPlatformTest, SaveDialogAddsTheExtensionAndChecksTheFolder) {
  tavrel::testing::TempDir dir;
  tavrel::FileDialogOptions options;
  options.filter = "Askerine files (*.aky)|*.aky";
  options.defaultExt = "aky";
  options.initialDir = dir.Path();
  options.overwritePrompt = true;
  options.pathMustExist = true;

  QStringList filters;
  ModalDriver driver([&](QWidget* w) {
    auto* dlg = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    filters = dlg->nameFilters();
    dlg->findChild<QLineEdit*>("fileNameEdit")->setText("capitals");
    static_cast<QDialog*>(dlg)->accept();
  });
  ASSERT_TRUE(platform.saveDialog(options));
  EXPECT_EQ(options.fileName, dir.Path() + "capitals.aky");
  EXPECT_EQ(filters, QStringList{"Askerine files (*.aky)"});

  // A folder that does not exist is refused with a warning and the dialog
  // stays for another choice.
  bool warned = false, dialogStayed = false;
  ModalDriver refuse([&](QWidget* w) {
    auto* dlg = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    dlg->findChild<QLineEdit*>("fileNameEdit")->setText(tavrel::pathToQString(dir.Path() + "no-such-folder/quiz"));
    ModalDriver warning([&](QWidget* box) {
      warned = box->objectName() == "MessageDlg";
      Button(box, "btnOK")->click();
    });
    static_cast<QDialog*>(dlg)->accept();
    dialogStayed = dlg->isVisible();
    dlg->reject();
  });
  options.fileName.clear();
  EXPECT_FALSE(platform.saveDialog(options));
  EXPECT_TRUE(warned);
  EXPECT_TRUE(dialogStayed);
}

TEST(QtNameFilters, ProgramFiltersBecomeQtFilters) {
  EXPECT_EQ(tavrel::QtNameFilters("Desc (*.a)|*.a|Desc2 (*.b;*.c)|*.b;*.c"),
            (QStringList{"Desc (*.a)", "Desc2 (*.b *.c)"}));
  EXPECT_EQ(tavrel::QtNameFilters("All files|*.*"), QStringList{"All files (*.*)"});
  EXPECT_TRUE(tavrel::QtNameFilters("").isEmpty());
}

TEST_F(QtPlatformTest, ClipboardTextIsWindowsTextWithCrLf) {
  platform.setClipboardText("one\r\ntwo \x80");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("one\ntwo €"));
  QGuiApplication::clipboard()->setText(QString::fromUtf8("a\nb √"));
  EXPECT_EQ(platform.clipboardText(), "a\r\nb &#8730;");
}

TEST(QtPlatformShellOpen, MissingFilesAndEmptyTargetsFailWithAReason) {
  tavrel::QtPlatform platform;
  std::string error;
  EXPECT_FALSE(platform.shellOpen("/no/such/file.htm", error));
  EXPECT_EQ(error, "The file /no/such/file.htm cannot be found.");
  error.clear();
  EXPECT_FALSE(platform.shellOpen("file:///no/such/page.htm#part", error));
  EXPECT_NE(error.find("cannot be found"), std::string::npos);
  error.clear();
  EXPECT_FALSE(platform.shellOpen("  ", error));
  EXPECT_FALSE(error.empty());
}

TEST(QtPlatformShellOpen, TheOpenersVerdictDecidesAndOneStillRunningHasOpened) {
  tavrel::testing::TempDir dir;
  dir.Write("page.htm", "<html></html>");
  tavrel::QtPlatform platform;
  std::string error;
  // The opener gets the address last; ending well, it has opened it.
  platform.setOpener({"sh", "-c", "printf %s \"$1\" > \"$0\"", QString::fromStdString(dir.File("got"))},
                     30000);
  EXPECT_TRUE(platform.shellOpen("https://tavrel.example.org/board/", error));
  EXPECT_EQ(dir.Read("got"), "https://tavrel.example.org/board/");

  // Ending with an error, or not starting at all, it has not.
  platform.setOpener({"sh", "-c", "exit 4"}, 30000);
  EXPECT_FALSE(platform.shellOpen("mailto:support@tavrel.example.org", error));
  EXPECT_EQ(error, "Unable to open mailto:support@tavrel.example.org. No program on this computer is "
                   "set up to open it.");
  platform.setOpener({QString::fromStdString(dir.File("no-such-opener"))}, 30000);
  error.clear();
  EXPECT_FALSE(platform.shellOpen(dir.File("page.htm"), error));
  EXPECT_FALSE(error.empty());

  // Still running when the wait is over, it stays with what it started.
  platform.setOpener({"sh", "-c", "sleep 2"}, 1);
  EXPECT_TRUE(platform.shellOpen(dir.File("page.htm"), error));
}

TEST(QtPlatformBusy, WaitCursorComesAndGoes) {
  tavrel::QtPlatform platform;
  tavrel::setPlatform(&platform);
  {
    tavrel::BusyCursor outer;
    tavrel::BusyCursor inner;
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  tavrel::setPlatform(nullptr);
}

}  // namespace
