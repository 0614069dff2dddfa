// The help document beside the programs has a section for every help context
// the programs open, each listed in its contents.
#include <gtest/gtest.h>

#include "platform/core/Platform.h"
#include "shared/core/HelpContexts.h"
#include "support/TempDir.h"

namespace {

TEST(HelpDocument, EveryHelpContextHasASectionInTheContents) {
  const std::string html = tavrel::testing::ReadFileBytes(tavrel::programFolder() + "tavrelhelp.htm");
  ASSERT_FALSE(html.empty()) << "the build places tavrelhelp.htm beside the programs";
  // Every context the programs open is named in HelpContexts.h.
  for (int c : kAllHelpContexts) {
    const std::string id = "context-" + std::to_string(c);
    const auto section = html.find("id=\"" + id + "\"");
    EXPECT_NE(section, std::string::npos) << id;
    const auto link = html.find("href=\"#" + id + "\"");
    EXPECT_NE(link, std::string::npos) << id;
    EXPECT_LT(link, section) << id << " is listed before the sections";
  }
}

}  // namespace
