#include "host/report/failure_report.h"

#include <gtest/gtest.h>

#include <set>

#include "host/failures/failures.h"
#include "host/failures/message_catalogue.h"
#include "host/failures/text_encoding.h"

namespace vornix {
namespace {

// The whole runs show the report of every failure; these are its edges.
TEST(FailureReport, Edges) {
  char out[kReportCapacity];
  const auto report = [&](std::string_view message, uint64_t offset) {
    return std::string(out, BuildFailureReport("EFOpenError", "vornix.exe", offset, message, out));
  };
  EXPECT_EQ(report("ends in a dot.", 0x4C1D),
            "Исключительная ситуация EFOpenError в модуле vornix.exe по адресу "
            "00004C1D.\nends in a dot.\n");
  EXPECT_EQ(report("", 0), "Исключительная ситуация EFOpenError в модуле vornix.exe по адресу 00000000.\n\n");
  EXPECT_NE(report("x", 0x123456789ULL).find("по адресу 123456789."), std::string::npos);
  EXPECT_EQ(report(std::string(5000, '%'), 0).substr(1023), "%");  // cut after 1024 bytes
  EXPECT_EQ(TrimSystemErrorText("Access is denied.\r\n"), "Access is denied");
  EXPECT_EQ(TrimSystemErrorText(". ."), "");
  EXPECT_EQ(TrimSystemErrorText("a.b"), "a.b");
  EXPECT_EQ(EInOutError(-3).Message(), "Ошибка ввода/вывода -3");
}

// Each of the 24 messages has a text of its own (no number given to two); other numbers have none.
TEST(FailureReport, EveryMessageHasATextOfItsOwn) {
  std::set<std::string> texts;
  for (int id = 0; id <= 0xFFFF; ++id) texts.insert(CatalogueText(static_cast<MessageId>(id)));
  EXPECT_EQ(texts.size(), 24u + 1);
}

// Linux writes UTF-8, one to three bytes a character, cut between characters, LF for CR LF.
TEST(FailureReport, Utf8CutBetweenCharacters) {
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
