#include "edit/text_rules.h"

#include <gtest/gtest.h>

namespace vornix {
namespace {

TEST(TextRules, UpperAsciiFoldsOnlyAsciiLetters) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  const std::string upper = UpperAscii(all);
  ASSERT_EQ(upper.size(), 256u);
  int changed = 0;
  for (int c = 0; c < 256; ++c) {
    const int expected = (c >= 'a' && c <= 'z') ? c - 0x20 : c;
    EXPECT_EQ(static_cast<unsigned char>(upper[c]), expected) << c;
    changed += expected != c;
  }
  EXPECT_EQ(changed, 26);
}

TEST(TextRules, TrimBlanks) {
  const struct {
    std::string text, trimmed;
  } cases[] = {
      {"\tabc\r\n\x1A", "abc"},
      {" \t  ", ""},
      {"", ""},
      {std::string("\0a\0", 3), "a"},
      {"a b", "a b"},
      {"\xA0x\xA0", "\xA0x\xA0"},  // the code page's no-break space is no blank
      {"\x7F", "\x7F"},
      {"\x20\x21\x20", "\x21"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimBlanks(c.text), c.trimmed) << c.text;
}

TEST(TextRules, Positions) {
  const struct {
    std::string needle, haystack;
    size_t exact;
  } cases[] = {
      {"abc", "xABCabc", 5},
      {"", "abc", 0},
      {"", "", 0},
      {"a", "", 0},
      {"abcd", "abc", 0},
      {"ABC", "abc", 0},
      {"abc", "abc", 1},
      {"bc", "abcbc", 2},
      {"aab", "aaab", 2},
      {"\xE4", "\xC4", 0},  // no folding above 0x7F
      {"\x1A", "abc\x1A", 4},
      {"[", "x[y", 2},
      {"_", "\x7F", 0},  // '_' is 0x5F, 0x7F-0x20: letters only fold
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PosExact(c.needle, c.haystack), c.exact) << c.needle << " in " << c.haystack;
  }
}

TEST(TextRules, SameNoCase) {
  EXPECT_TRUE(SameNoCase("[SCSI]", "[scsi]"));
  EXPECT_FALSE(SameNoCase("[SCSI]", "[SCSI] "));
  EXPECT_TRUE(SameNoCase("", ""));
  EXPECT_FALSE(SameNoCase("", "a"));
  EXPECT_FALSE(SameNoCase("\xE4", "\xC4"));
  EXPECT_FALSE(SameNoCase("@", "`"));  // 0x40 and 0x60 are not letters
  EXPECT_FALSE(SameNoCase("[", "{"));
}

}  // namespace
}  // namespace vornix
