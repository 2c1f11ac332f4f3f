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
  // Only a text all of whose line ends are CR LF is read without a table of its lines.
  // clang-format off
  const struct { std::string bytes, lines, written; bool unsplit; } cases[] = {
      {"", "", "", false}, {"a\r\nb\r\nc\r\n", "<a><b><c>", "a\r\nb\r\nc\r\n", true}, {"a\nb", "<a><b>", "a\r\nb\r\n", false},
      {"a\rb\r", "<a><b>", "a\r\nb\r\n", false}, {"\r\n", "<>", "\r\n", true}, {"a\rb\rc\r\n", "<a><b><c>", "a\r\nb\r\nc\r\n", false},
      {"a\n\rb", "<a><><b>", "a\r\n\r\nb\r\n", false},     // LF CR is two line ends
      {"a\r\r\nb\n", "<a><><b>", "a\r\n\r\nb\r\n", false}, {"a\n\nb", "<a><><b>", "a\r\n\r\nb\r\n", false},  // CR CR LF, LF LF
      {"\na\r\n", "<><a>", "\r\na\r\n", false}, {"a\r\nb\r", "<a><b>", "a\r\nb\r\n", false}, {"a\r\nb", "<a><b>", "a\r\nb\r\n", true},
      {std::string("a\nb\nc\0d\ne", 9), "<a><b><c>", "a\r\nb\r\nc\r\n", false}, {std::string("\0a", 2), "", "", false},
      {"z\x1A\xEF\xBB", "<z\x1A\xEF\xBB>", "z\x1A\xEF\xBB\r\n", true}, {" \ta \t\r\n", "< \ta \t>", " \ta \t\r\n", true},
  };
  // clang-format on
  for (const auto& c : cases) {
    LineList list;
    list.SetText(c.bytes);
    EXPECT_EQ(list.LinesToText(), c.written) << c.bytes;  // before a line is asked for
    EXPECT_EQ(BracketedLines(list), c.lines) << c.bytes;
    EXPECT_EQ(list.Unsplit(), c.unsplit) << c.bytes;  // nor for reading its lines in order
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
  for (int32_t index : {0, 1}) list.DeleteLine(index);
  EXPECT_EQ(list.AddLine("d"), 1);
  list.SetLine(0, "longer than before");
  list.AppendLines(list);  // the count is taken once
  EXPECT_EQ(BracketedLines(list), "<longer than before><d><longer than before><d>");
}

// Searches see lines as set; a text loaded again forgets what was found and blanked before.
TEST(LineList, SearchesAndReloads) {
  LineList list;
  list.SetText("[a]\r\nb\r\nc[\r\nd\r\n");
  list.SetLine(1, "[");
  list.SetLine(2, "");
  EXPECT_EQ(list.NextLineWith('[', 0), 0);
  EXPECT_EQ(list.NextLineWith('[', 1), 1);
  EXPECT_EQ(list.NextLineWith('[', 2), 4);
  list.SetText("a\r\nb[\r\nc\n");
  EXPECT_EQ(list.NextLineWith('[', 0), 1);
  list.SetLine(1, "");
  list.SetText("[x]\r\nyz\r\nw\r\n");
  EXPECT_EQ(list.LineView(1), "yz");
  list.SetText("[x]\r\ny\r\nw\r\n");  // the line viewed last is forgotten too
  EXPECT_EQ(list.LineView(1), "y");
  for (const char* added : {"v", "u"}) list.AddLine(added);
  EXPECT_EQ(list.LinesToText(), "[x]\r\ny\r\nw\r\nv\r\nu\r\n");
}

// A text loaded whole answers as the same lines added one by one, whatever is
// asked of it in whatever order: views (v), searches (n, the byte after), walks
// (w, to the next line given; f, past lines beginning with "c", blanks each),
// walks through the lines holding either of two bytes (h; H blanks each),
// blanks (b), lines set (s), the last dropped (d), a line added (a), in any
// order; then with line 5 long. The first four ask only what a run asks, and never split the text.
TEST(LineList, LoadedAnswersAsAddedLineByLine) {
  const std::string text = "[a]\r\n b y\r\nc\r\n[Y]\r\ndy\r\n\r\ne[\r\nlast";
  // clang-format off
  const char* const asked[] = {
      "v0 v1 v2 v3 v4 v5 v6 v7", "v5 v2 v6 v0", "ny0 v1 nY2 ny2 v4 v3 n[5 v6 n[7", "w0 8 b7 w0 8 HyY",
      "n[1 w4 6 b4 b5 ny5 v4", "b1 b3 v2 b2 v1 n[0", "d7 d6 s3 v5 w4 6 v1", "w2 6 b5 v6 b6 w0 7",
      "b6 d6 ny0 v5", "nY4 ny6 v7 b2 w0 3", "a0 b8 v8 b3 w2 9", "a0 ny5 b8 v7 d8", "a0 a1 n15 nd9",
      "b3 v1 nz0", "hyY h[e hla b3 Hyy", "a0 hd0 Hd0 v4 v8", "v3 v2 H[t w0 8", "s1 HyY", "b4 HyY",
      "b3 b1", "d1 d1 a0", "s2 d0 b3", "b4 d2 d0 s1", "b2 v2 n[2", "b6 b7 b6", "b6 d7 d6", "v3 b2", "w0 3 v3", "v5 d7 d6 s5 v5", "w7 8 v6",
      "f0 8", "v3 f4 7 v6 b7", "b5 f1 6 w0 8", "a0 f6 9 v8",
  };
  // clang-format on
  const std::string padding(414, '.'), long_text = text.substr(0, 23) + padding + text.substr(23) + "\r\n";  // its end starts a block
  for (size_t n = 0; n < 2 * std::size(asked); ++n) {
    const char* const script = asked[n % std::size(asked)];
    LineList loaded, added;
    loaded.SetText(n < std::size(asked) ? text : long_text);
    for (const char* line : {"[a]", " b y", "c", "[Y]", "dy", "", "e[", "last"}) added.AddLine(line == std::string_view("") && n >= std::size(asked) ? padding : line);
    std::string said[2];
    for (size_t at = 0; script[at] != '\0'; at += script[at] == ' ') {
      const char op = script[at++];
      const char c = op == 'n' || op == 'h' || op == 'H' ? script[at++] : ' ';
      const int32_t index = script[at++] - '0', to = op == 'w' || op == 'f' ? script[++at] - '0' : 0;
      at += op == 'w' || op == 'f';
      LineList* const lists[] = {&loaded, &added};
      for (int l = 0; l < 2; ++l) {
        LineList& list = *lists[l];
        if (op == 'v') said[l] += "<" + list.GetLine(index) + ">";
        if (op == 'n') said[l] += std::to_string(list.NextLineWith(c, index)) + " ";
        const auto say = [&](int32_t k, std::string_view line) { said[l] += std::to_string(k) + "<" + std::string(line) + ">"; };
        if (op == 'w') list.ForEachLine(index, to, say);
        const auto blank = [&](int32_t k, std::string_view line) { say(k, line), list.BlankLine(k); };
        if (op == 'f') list.ForEachLine(index, to, blank, [](std::string_view line) { return line.empty() || line[0] != 'c'; });
        if (op == 'h' || op == 'H') {
          list.ForEachLineHolding(std::string{c, static_cast<char>('0' + index)}, [&](int32_t k, std::string_view line) {
            say(k, line);
            if (op == 'H') list.BlankLine(k);
          });
        }
        if (op == 'b' || op == 's') list.SetLine(index, op == 'b' ? "" : "set");
        if (op == 'd') list.DeleteLine(index);
        if (op == 'a') list.AddLine("added" + std::to_string(index));
      }
    }
    EXPECT_EQ(said[0], said[1]) << script;
    EXPECT_TRUE(n % std::size(asked) >= 4 || loaded.Unsplit()) << script;
    EXPECT_EQ(loaded.LinesToText(), added.LinesToText()) << script;
  }
}

}  // namespace
}  // namespace vornix
