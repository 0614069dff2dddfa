// The linear walker over repeated elements gives what cutting each element
// out of the front of the text with ExtractElement gives.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "shared/core/ElementWalker.h"
#include "shared/core/XMLRoutines.h"

namespace {

std::vector<std::string> ByExtract(const std::string& tag, std::string text) {
  std::vector<std::string> out;
  std::string content;
  while (ExtractElement(true, tag, text, content)) out.push_back(content);
  return out;
}

std::vector<std::string> ByWalker(const std::string& tag, const std::string& text) {
  std::vector<std::string> out;
  std::string content;
  TElementWalker walker(tag, text);
  while (walker.Next(content)) out.push_back(content);
  return out;
}

}  // namespace

TEST(ElementWalker, PlainRecords) {
  EXPECT_EQ(ByWalker("b", "<b>1</b><b>2</b>"), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(ByWalker("b", "x<b></b>\r\n<b>y</b>z<b>open"), (std::vector<std::string>{"", "y"}));
  EXPECT_TRUE(ByWalker("b", "").empty());
  EXPECT_TRUE(ByWalker("b", "</b><b>").empty());
  // The name question never matches question-record.
  EXPECT_EQ(ByWalker("question", "<question-record><question>Q</question></question-record>"),
            (std::vector<std::string>{"Q"}));
}

TEST(ElementWalker, TagFormedAcrossARemovedElement) {
  // Cutting <ab>x</ab> out joins "<a" and "b>" into a new opening tag.
  const std::string text = "<a<ab>x</ab>b>y</ab>";
  EXPECT_EQ(ByExtract("ab", text), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(ByWalker("ab", text), ByExtract("ab", text));
  const std::string nested = "<<a<ab>1</ab>b>a<ab>2</ab>b>3</ab></ab>";
  EXPECT_EQ(ByWalker("ab", nested), ByExtract("ab", nested));
}

TEST(ElementWalker, AgreesWithExtractOnRandomTexts) {
  std::mt19937 rng(12345);
  const std::vector<std::string> pieces = {"<ab>", "</ab>", "<a", "b>", "<", "a", "b", ">", "/",
                                           "x", "</", "\r\n"};
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int n = static_cast<int>(rng() % 14);
    for (int i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
    ASSERT_EQ(ByWalker("ab", text), ByExtract("ab", text)) << text;
  }
}
