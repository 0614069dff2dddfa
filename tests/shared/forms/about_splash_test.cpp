// The about box's texts and the splash screen's picture and timer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "shared/forms/Splash.h"
#include "shared/forms/TLAbout.h"
#include "shared/forms/TLFunctions.h"
#include "shared/forms/platform_test_support.h"
#include "support/FakePlatform.h"

namespace {

TEST(AboutBox, ShowsTitleVersionIconAndNotice) {
  tavrel::testing::FakePlatform fake;
  platform_test::HostMainForm main("Askery");
  TfrmTLAbout about(&main);
  EXPECT_EQ(frmTLAbout, &about);
  std::string version;
  GetVersionString(version);
  EXPECT_EQ(about.windowTitle(), "About Askery");
  EXPECT_EQ(about.lblAppTitle->text().toStdString(), "Tavrel: Askery " + version);
  EXPECT_FALSE(about.imgProgIcon->pixmap().isNull());
  EXPECT_EQ(about.lblNotice->text().count('\n'), 1);  // two lines
  // Filling the strings again does not repeat the title.
  about.AssignStrings();
  EXPECT_EQ(about.windowTitle(), "About Askery");

  platform_test::ModalDriver driver([](QWidget* box) {
    box->findChild<QPushButton*>("btnOK")->click();
  });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

TEST(SplashScreen, TakesThePictureSizeAndClosesOnItsTimer) {
  TfrmSplash splash("Askery", 50);
  EXPECT_EQ(splash.imgSplash->size(), QSize(440, 260));
  EXPECT_FALSE(splash.imgSplash->pixmap().isNull());
  EXPECT_EQ(splash.Timer1->interval(), 50);
  EXPECT_FALSE(splash.Timer1->isActive());  // runs from the showing on
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  splash.exec();  // returns by itself
  EXPECT_FALSE(splash.isVisible());

  // A program without a picture of its own still gets a splash.
  TfrmSplash other("Sketchy", 10);
  EXPECT_TRUE(other.imgSplash->text().contains("Sketchy"));
  TfrmSplash matching("Pairo", 10);
  EXPECT_FALSE(matching.imgSplash->pixmap().isNull());
}

}  // namespace
