#include "host/text/line_list.h"

#include <gtest/gtest.h>

#include "host/failures/failures.h"

namespace vornix {
namespace {

std::string BracketedLines(const LineList& list) {
  std::string lines;
  for (int32_t i = 0; i < list.LineCount(); ++i) lines += "<" + list.GetLine(i) + ">";
  return lines;
}

TEST(LineList, ReadsEveryLineEndStopsAtNulAndWritesCrLf) {
  const struct { std::string bytes, lines, written; } cases[] = {
      {"", "", ""}, {"a\r\nb\r\nc\r\n", "<a><b><c>", "a\r\nb\r\nc\r\n"}, {"a\nb", "<a><b>", "a\r\nb\r\n"},
      {"a\rb\r", "<a><b>", "a\r\nb\r\n"}, {"\r\n", "<>", "\r\n"},
      {"a\n\rb", "<a><><b>", "a\r\n\r\nb\r\n"},     // LF CR is two line ends
      {"a\r\r\nb\n", "<a><><b>", "a\r\n\r\nb\r\n"},  // CR CR LF one empty line
      {std::string("a\nb\nc\0d\ne", 9), "<a><b><c>", "a\r\nb\r\nc\r\n"}, {std::string("\0a", 2), "", ""},
      {"z\x1A\xEF\xBB", "<z\x1A\xEF\xBB>", "z\x1A\xEF\xBB\r\n"}, {" \ta \t\r\n", "< \ta \t>", " \ta \t\r\n"},
  };
  for (const auto& c : cases) {
    LineList list;
    list.SetText(c.bytes);
    EXPECT_EQ(BracketedLines(list), c.lines) << c.bytes;
    EXPECT_EQ(list.LinesToText(), c.written) << c.bytes;
  }
}

TEST(LineList, EditsByIndex) {
  LineList list;
  list.SetText("a\nb\nc\n");
  for (int32_t index : {-1, 3, INT32_MIN}) {
    try {
      list.GetLine(index);
      ADD_FAILURE() << index;
    } catch (const EStringListError& failure) {
      EXPECT_EQ(failure.Message(), "Индекс списка вышел за границы (" + std::to_string(index) + ")");
    }
    EXPECT_THROW(list.SetLine(index, "x"), EStringListError);
    EXPECT_THROW(list.DeleteLine(index), EStringListError);
  }
  list.DeleteLine(0);
  list.DeleteLine(1);
  EXPECT_EQ(list.AddLine("d"), 1);
  list.SetLine(0, "longer than before");
  list.AppendLines(list);  // the count is taken once
  EXPECT_EQ(BracketedLines(list), "<longer than before><d><longer than before><d>");
}

}  // namespace
}  // namespace vornix
