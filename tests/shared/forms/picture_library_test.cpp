// The picture library: the tag or address of a chosen local picture,
// relative to the data file or as a file: URL while untitled, and the tag of
// a picture on the web.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "shared/forms/PictureLibrary.h"
#include "platform/qt/QtText.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace {

class PictureLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir.Path() + "quizzes");
    std::filesystem::create_directories(dir.Path() + "pictures");
    picture = dir.Path() + "pictures/map.png";
    QImage image(12, 7, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(tavrel::pathToQString(picture)));
    dataFile = dir.Path() + "quizzes/capitals.aky";
  }

  tavrel::testing::TempDir dir;
  tavrel::testing::FakePlatform fake;
  std::string picture;
  std::string dataFile;
};

TEST_F(PictureLibraryTest, TagIsRelativeToTheDataFile) {
  fake.ChooseOpen(picture);
  std::string result;
  tavrel::GetPicInfo(true, dataFile, result);
  EXPECT_EQ(result, "<img src=\"../pictures/map.png\" alt=\"map\" width=\"12\" height=\"7\">");
  ASSERT_EQ(fake.openRequests.size(), 1u);
  const auto& asked = fake.openRequests[0];
  EXPECT_EQ(asked.filter.rfind("Pictures (*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.svg)|*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.svg", 0), 0u);
  EXPECT_EQ(asked.initialDir, dir.Path() + "quizzes/");
  EXPECT_TRUE(asked.fileMustExist);
}

TEST_F(PictureLibraryTest, AddressAloneWithoutTag) {
  fake.ChooseOpen(picture);
  std::string result = "old";
  tavrel::GetPicInfo(false, dir.Path() + "pictures/quiz.aky", result);
  EXPECT_EQ(result, "map.png");
}

TEST_F(PictureLibraryTest, UntitledExerciseGetsTheAbsoluteFileUrl) {
  const std::string spaced = dir.Path() + "pictures/my map.png";
  std::filesystem::copy_file(picture, spaced);
  fake.ChooseOpen(spaced);
  std::string result;
  tavrel::GetPicInfo(true, "", result);
  EXPECT_EQ(result, "<img src=\"file://" + dir.Path() + "pictures/my%20map.png\" alt=\"my map\" width=\"12\" height=\"7\">");
  EXPECT_EQ(fake.openRequests[0].initialDir, "");
}

TEST_F(PictureLibraryTest, CancelGivesNothing) {
  fake.CancelOpen();
  std::string result = "old";
  tavrel::GetPicInfo(true, dataFile, result);
  EXPECT_EQ(result, "");
}

TEST_F(PictureLibraryTest, UnreadablePictureHasNoSizeAndQuotesAreEscaped) {
  const std::string odd = dir.Path() + "quizzes/say \"cheese\".gif";
  dir.Write("quizzes/say \"cheese\".gif", "this is not a picture");
  fake.ChooseOpen(odd);
  std::string result;
  tavrel::GetPicInfo(true, dataFile, result);
  EXPECT_EQ(result, "<img src=\"say &quot;cheese&quot;.gif\" alt=\"say &quot;cheese&quot;\">");
}

TEST_F(PictureLibraryTest, WebPictureTagFromTheAddressGiven) {
  std::string result;
  fake.Input("  http://example.org/pics/tower.jpg ");
  tavrel::GetWebPicTag(result);
  EXPECT_EQ(result, "<img src=\"http://example.org/pics/tower.jpg\" alt=\"\">");

  fake.Input("http://example.org/a\"b.png");
  tavrel::GetWebPicTag(result);
  EXPECT_EQ(result, "<img src=\"http://example.org/a&quot;b.png\" alt=\"\">");

  fake.Input("   ");
  tavrel::GetWebPicTag(result);
  EXPECT_EQ(result, "");

  fake.CancelInput();
  result = "old";
  tavrel::GetWebPicTag(result);
  EXPECT_EQ(result, "");
  EXPECT_EQ(fake.inputPrompts.size(), 4u);
}

}  // namespace
