#include "host/text/text_rules.h"

#include <gtest/gtest.h>

namespace vornix {
namespace {

TEST(TextRules, UpperAsciiTrimBlanksPosExactSameNoCase) {
  std::string all, upper;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c), upper += static_cast<char>(c - 32 * (c >= 'a' && c <= 'z'));
  EXPECT_EQ(UpperAscii(all), upper);
  // clang-format off
  const struct { std::string text, trimmed; } trims[] = {
      {"\tabc\r\n\x1A", "abc"}, {" \t  ", ""}, {std::string("\0a\0", 3), "a"}, {"a b", "a b"},
      {"\xA0x\xA0", "\xA0x\xA0"}, {"\x7F", "\x7F"}, {"\x20\x21\x20", "\x21"},
  };
  // clang-format on
  for (const auto& c : trims) EXPECT_EQ(TrimBlanks(c.text), c.trimmed) << c.text;
  // clang-format off
  const struct { std::string needle, haystack; size_t position; bool same_no_case; } pairs[] = {
      {"abc", "xABCabc", 5, false}, {"", "abc", 0, false}, {"", "", 0, true}, {"a", "", 0, false},
      {"abcd", "abc", 0, false}, {"ABC", "abc", 0, true}, {"abc", "abc", 1, true}, {"aab", "aaab", 2, false},
      {"\x1A", "abc\x1A", 4, false}, {"[SCSI]", "[SCSI] ", 1, false}, {"\xE4", "\xC4", 0, false},
      {"@", "`", 0, false}, {"[", "{", 0, false},
  };
  // clang-format on
  for (const auto& c : pairs) {
    EXPECT_EQ(PosExact(c.needle, c.haystack), c.position) << c.needle << " in " << c.haystack;
    EXPECT_EQ(SameNoCase(c.needle, c.haystack), c.same_no_case) << c.needle << ", " << c.haystack;
  }
}

}  // namespace
}  // namespace vornix
