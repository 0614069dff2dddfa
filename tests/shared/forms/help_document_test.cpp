// The help document beside the programs has a section for every help context
// the quiz program opens, each listed in its contents.
#include <gtest/gtest.h>

#include "platform/core/Platform.h"
#include "support/TempDir.h"

namespace {

TEST(HelpDocument, EveryQuizHelpContextHasASectionInTheContents) {
  const std::string html = tavrel::testing::ReadFileBytes(tavrel::programFolder() + "tavrelhelp.htm");
  ASSERT_FALSE(html.empty()) << "the build places tavrelhelp.htm beside the programs";
  const int contexts[] = {54,    1000,  4000,  5000,  5500,  5700,  6000,  7000,
                          8000,  8300,  8500,  9000,  10000, 12500, 13000, 14000,
                          14500, 15000, 17000, 21600, 24000, 33000, 40000};
  for (int c : contexts) {
    const std::string id = "context-" + std::to_string(c);
    const auto section = html.find("id=\"" + id + "\"");
    EXPECT_NE(section, std::string::npos) << id;
    const auto link = html.find("href=\"#" + id + "\"");
    EXPECT_NE(link, std::string::npos) << id;
    EXPECT_LT(link, section) << id << " is listed before the sections";
  }
}

}  // namespace
