#include "host/failures/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace vornix {
namespace {

// Linux writes UTF-8: one to three bytes a character, cut only between
// characters, with LF for each CR LF.
TEST(TextEncoding, Utf8CutBetweenCharacters) {
  // clang-format off
  const struct { std::u16string text; size_t capacity; std::string bytes; } cases[] = {
      {u"A\u007F\u0080\u07FF\u0800\uFFFF", 16, "A\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
      {u"\u0416\u0416", 4, "\xD0\x96\xD0\x96"}, {u"\u0416\u0416", 3, "\xD0\x96"}, {u"ab", 1, "a"},
      {u"a\r\nb\rc\r", 16, "a\nb\rc\r"}, {u"\r\n\r\n", 1, "\n"},
  };
  // clang-format on
  for (const auto& c : cases) {
    char out[16];
    EXPECT_EQ(std::string(out, EncodeText(c.text, out, c.capacity)), c.bytes) << c.bytes;
  }
}

}  // namespace
}  // namespace vornix
