#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/TextCodec.h"

namespace {

using namespace tavrel;

TEST(TextCodec, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  const std::string utf8 = Win1252ToUtf8(all);
  EXPECT_EQ(Utf8ToWin1252(utf8), all);
  for (int c = 0; c < 256; ++c) {
    const std::string one(1, static_cast<char>(c));
    EXPECT_EQ(Utf8ToWin1252(Win1252ToUtf8(one)), one) << c;
    EXPECT_EQ(UnicodeToWin1252(Win1252ToUnicode(static_cast<unsigned char>(c))), c) << c;
  }
}

TEST(TextCodec, KnownCharacters) {
  EXPECT_EQ(Win1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(Win1252ToUtf8("\xE9"), "\xC3\xA9");      // e acute
  EXPECT_EQ(Win1252ToUtf8("\x93q\x94"), "\xE2\x80\x9Cq\xE2\x80\x9D");
  EXPECT_EQ(Win1252ToUnicode(0x9F), U'\u0178');
  EXPECT_EQ(Utf8ToWin1252("\xC5\x93"), "\x9C");  // oe ligature
}

TEST(TextCodec, CharactersOutsideTheCodePageBecomeReferences) {
  EXPECT_EQ(Utf8ToWin1252("a\xE2\x88\x9A" "b"), "a&#8730;b");          // square root
  EXPECT_EQ(Utf8ToWin1252("\xF0\x9F\x98\x80"), "&#128512;");           // outside the BMP
  EXPECT_EQ(UnicodeToWin1252(U'\u0100'), -1);
  // Bytes that are not UTF-8 are taken as Windows-1252 as they are.
  EXPECT_EQ(Utf8ToWin1252("caf\xE9"), "caf\xE9");
  EXPECT_EQ(Utf8ToWin1252("\xC0\x80"), "\xC0\x80");  // overlong form
  EXPECT_EQ(Utf8ToWin1252("\xED\xA0\x80"), "\xED\xA0\x80");  // surrogate
}

TEST(TextCodec, OnlyTheCodecsOwnReferencesToForeignCharactersAreRead) {
  char32_t u = 0;
  std::size_t len = 0;
  ASSERT_TRUE(ForeignReferenceAt("x&#1055;y", 1, u, len));
  EXPECT_EQ(u, U'\u041F');
  EXPECT_EQ(len, 7u);
  ASSERT_TRUE(ForeignReferenceAt("&#128512;", 0, u, len));
  EXPECT_EQ(u, U'\U0001F600');
  // Characters the code page holds, other spellings, broken or impossible
  // references stay text.
  for (const char* text : {"&#65;", "&#233;", "&#8364;", "&#01055;", "&#x41F;", "&#1055",
                           "&#;", "&#55296;", "&#1114112;", "&#99999999999;", "&amp;"})
    EXPECT_FALSE(ForeignReferenceAt(text, 0, u, len)) << text;
  EXPECT_FALSE(ForeignReferenceAt("&#1055;", 1, u, len));
}

TEST(TextCodec, EveryFileNameComesBackExactlyAndNoReferenceInANameIsRead) {
  const std::string names[] = {
      "lit\xE6\x97\xA5.pry",        // the letter
      "lit&#26085;.pry",               // its reference, typed as a name
      "lit&#38;#26085;.pry",           // and that name held
      "a&b & c&&#.pry",                // "&" alone, and before "#"
      "caf\xC3\xA9 \xE2\x82\xAC",  // letters the code page holds
      "bad\xE9\xFF\xC3.pry",        // bytes that are no UTF-8
      "&#56553;&#65;",
  };
  std::vector<std::string> held;
  for (const std::string& native : names) {
    held.push_back(Utf8PathToWin1252(native));
    EXPECT_EQ(Win1252PathToUtf8(held.back()), native) << held.back();
  }
  EXPECT_EQ(held[0], "lit&#26085;.pry");
  EXPECT_EQ(held[1], "lit&#38;#26085;.pry");
  EXPECT_EQ(held[3], "a&b & c&&#38;#.pry");
  EXPECT_EQ(held[4], "caf\xE9 \x80");
  for (size_t i = 0; i < held.size(); ++i)
    for (size_t j = i + 1; j < held.size(); ++j) EXPECT_NE(held[i], held[j]) << i << " " << j;
}

// A held path shown: the name the folder holds, as text the widgets show as
// that name.  A reference the name holds itself is parted from its "#" by a
// word joiner, so that it shows as typed and not as the letter.
TEST(TextCodec, AHeldPathIsShownAsTheFolderHoldsIt) {
  const std::string joiner = "&#8288;";
  EXPECT_EQ(ShownPath("/q/caf\xE9 &amp; 1.aky"), "/q/caf\xE9 &amp; 1.aky");
  EXPECT_EQ(ShownPath(Utf8PathToWin1252("/q/\xE6\x97\xA5.aky")), "/q/&#26085;.aky");
  EXPECT_EQ(ShownPath(Utf8PathToWin1252("/q/lit&#26085;.aky")), "/q/lit&" + joiner + "#26085;.aky");
  // A reference to a letter of the code page reads as text already.
  EXPECT_EQ(ShownPath(Utf8PathToWin1252("/q/&#38;&#65;.aky")), "/q/&#38;&#65;.aky");
  // A byte that is no UTF-8 shows as the replacement character.
  EXPECT_EQ(ShownPath(Utf8PathToWin1252("/q/a\xFF.aky")), "/q/a&#65533;.aky");
}

TEST(TextCodec, LineBreaks) {
  EXPECT_EQ(CrLfToLf("a\r\nb\rc\nd"), "a\nb\nc\nd");
  EXPECT_EQ(LfToCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(LfToCrLf(CrLfToLf("x\r\n\r\ny\r\n")), "x\r\n\r\ny\r\n");
}

}  // namespace
