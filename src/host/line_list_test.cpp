#include "host/line_list.h"

#include <gtest/gtest.h>

#include "host/failures.h"
#include "memory_file_system.h"
#include "test_util.h"

namespace vornix {
namespace {

using Lines = std::vector<std::string>;

LineList FromBytes(const std::string& bytes) {
  LineList list;
  list.SetText(bytes);
  return list;
}

TEST(LineList, SplitsAtEveryLineEndAndStopsAtNul) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a\r\nb\r\nc\r\n", {"a", "b", "c"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\n\rb", {"a", "", "b"}},        // LF CR is two line ends
      {"a\r\r\nb", {"a", "", "b"}},      // CR CR LF is one empty line
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {std::string("a\nb\nc\0d\ne", 9), {"a", "b", "c"}},
      {std::string("\0a", 2), {}},
      {std::string("a\xFF\xFE\0", 4), {"a\xFF\xFE"}},
      {"\xEF\xBB\xBFx\r\n", {"\xEF\xBB\xBFx"}},  // a UTF-8 mark is text
      {"z\x1A", {"z\x1A"}},                      // 0x1A is an ordinary byte
      {" \ta \t\r\n", {" \ta \t"}},
  };
  for (const auto& c : cases) EXPECT_EQ(LinesOf(FromBytes(c.bytes)), c.lines) << c.bytes;
}

TEST(LineList, WritesCrLfAfterEveryLine) {
  EXPECT_EQ(FromBytes("").LinesToText(), "");
  EXPECT_EQ(FromBytes("a\r\nb\r\nc\r\n").LinesToText(), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(FromBytes("a\nb").LinesToText(), "a\r\nb\r\n");
  EXPECT_EQ(FromBytes("a\rb\r").LinesToText(), "a\r\nb\r\n");
  EXPECT_EQ(FromBytes("\r\n").LinesToText(), "\r\n");
  LineList blanked = FromBytes("x\r\ny\r\n");
  blanked.SetLine(0, "");
  EXPECT_EQ(blanked.LinesToText(), "\r\ny\r\n");
}

TEST(LineList, BadIndexRaisesAndChangesNothing) {
  LineList list = ListOf({"a", "b"});
  for (int32_t index : {-1, 2, INT32_MIN, INT32_MAX}) {
    try {
      list.GetLine(index);
      FAIL() << index;
    } catch (const EStringListError& failure) {
      EXPECT_EQ(failure.Message(),
                "Индекс списка вышел за границы (" + std::to_string(index) + ")");
    }
    EXPECT_THROW(list.SetLine(index, "x"), EStringListError);
    EXPECT_THROW(list.DeleteLine(index), EStringListError);
  }
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b"}));
  EXPECT_THROW(LineList().GetLine(-1), EStringListError);
}

TEST(LineList, EditsKeepOrder) {
  LineList list = ListOf({"a", "b", "c"});
  list.DeleteLine(0);
  EXPECT_EQ(LinesOf(list), (Lines{"b", "c"}));
  list.DeleteLine(1);
  EXPECT_EQ(LinesOf(list), (Lines{"b"}));
  list.SetLine(0, "longer than before");
  EXPECT_EQ(list.AddLine("d"), 1);
  EXPECT_EQ(LinesOf(list), (Lines{"longer than before", "d"}));

  list.AppendLines(LineList());
  EXPECT_EQ(list.LineCount(), 2);
  list.AppendLines(ListOf({"d", "e"}));
  list.AppendLines(list);  // the count is taken once
  EXPECT_EQ(LinesOf(list), (Lines{"longer than before", "d", "d", "e",
                                  "longer than before", "d", "d", "e"}));
}

TEST(LineList, EmbeddedNul) {
  EXPECT_EQ(FindEmbeddedNul("abc"), std::nullopt);
  EXPECT_EQ(FindEmbeddedNul(std::string("abc\0\0\0", 6)), std::nullopt);
  EXPECT_EQ(FindEmbeddedNul(std::string("ab\0c", 4)), 2u);
  EXPECT_EQ(FindEmbeddedNul(std::string("\xFF\xFEz\0\r\0", 6)), 3u);
}

TEST(LineList, LoadAndSaveThroughTheFileSystem) {
  MemoryFileSystem fs;
  fs.files["/d/a.txt"] = "one\ntwo";
  LineList list;
  list.LoadLines("/d/a.txt", fs);
  EXPECT_EQ(LinesOf(list), (Lines{"one", "two"}));
  list.SaveLines("/d/b.txt", fs);
  EXPECT_EQ(fs.files["/d/b.txt"], "one\r\ntwo\r\n");

  // A failed load leaves the list as it was.
  fs.files["/d/utf16.txt"] = std::string("\xFF\xFEo\0k\0", 6);
  try {
    list.LoadLines("/d/utf16.txt", fs);
    FAIL();
  } catch (const EFileFormatError& failure) {
    EXPECT_EQ(failure.Message(),
              "Файл \"/d/utf16.txt\" не является текстовым: нулевой байт по смещению 3");
  }
  fs.files["/d/short.txt"] = "x";
  fs.failing["/d/short.txt"] = FileResult::Step::kRead;
  EXPECT_THROW(list.LoadLines("/d/short.txt", fs), EReadError);
  EXPECT_THROW(list.LoadLines("/d/missing.txt", fs), EFOpenError);
  EXPECT_EQ(LinesOf(list), (Lines{"one", "two"}));

  fs.files["/d/padded.txt"] = std::string("end\r\n\0\0\0", 8);
  list.LoadLines("/d/padded.txt", fs);
  EXPECT_EQ(LinesOf(list), (Lines{"end"}));
}

}  // namespace
}  // namespace vornix
