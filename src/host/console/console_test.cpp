#include "host/console/console.h"

#include <gtest/gtest.h>

#include "host/failures/failures.h"
#include "memory_host.h"

namespace vornix {
namespace {

// The code CheckIO raises, 0 for none. Whole runs show the blocks and lines
// on a real file, pipe and terminal; these are the edges they cannot reach.
int32_t CheckedCode(Console& console) {
  try {
    console.CheckIO();
  } catch (const EInOutError& failure) {
    return failure.Code();
  }
  return 0;
}

TEST(Console, WritesAndTheirFailures) {
  MemoryHandle in, out;
  Console console(in, out, "\r\n");
  out.write_error = 28;
  console.WriteLine(std::string(100, 'a'));
  EXPECT_EQ(CheckedCode(console), 0);                               // nothing written yet
  console.WriteLine({std::string(40, 'b'), std::string(60, 'b')});  // the failed piece drops the next
  EXPECT_EQ(CheckedCode(console), 28);
  EXPECT_EQ(CheckedCode(console), 0);  // CheckIO clears the code
  out.write_error = 0;
  console.Print("c");
  console.Close();
  EXPECT_EQ(out.writes.back(), "\r\nc\r\n");  // the failed text is gone, its line end is not
  for (const auto type : {StdHandle::Type::kMissing, StdHandle::Type::kUnknown}) {
    out.type = type;
    Console closed(in, out, "\n");
    closed.WriteLine("x");
    EXPECT_EQ(CheckedCode(closed), kErrorNotOpenForOutput);
  }
  EXPECT_EQ(out.acquired, 5);  // the text and the line end each try again
  EXPECT_EQ(out.released, 2);  // a handle of unknown type is let go
  MemoryHandle part;           // a write that takes part of the bytes is followed by one for the rest
  part.write_limit = 50;
  Console pieces(in, part, "\n");
  pieces.WriteLine(std::string(200, 'd'));
  pieces.Close();
  EXPECT_EQ(part.writes, (std::vector<std::string>{std::string(50, 'd'), std::string(50, 'd'), std::string(28, 'd'),
                                                   std::string(50, 'd'), std::string(22, 'd') + "\n"}));
}

// ReadLine calls until the input's end is read, one a line and one more (a lone CR
// ends none); 0x1A and the end end the input for good. A failed read is reported.
TEST(Console, ReadLine) {
  // clang-format off
  const struct { std::vector<std::string> reads; int calls, error; } cases[] = {
      {{"abc\rdef\nrest\n"}, 3, 0}, {{"abc\r\nrest\n"}, 3, 0}, {{"abc\r", "\nrest\n"}, 3, 0},
      {{"abc\r", "xy\nrest\n"}, 3, 0}, {{"abc\r"}, 1, 0}, {{"a\n\n\n"}, 4, 0}, {{}, 1, 0},
      {{std::string("a\0b\n", 4)}, 2, 0}, {{"abc\x1A" "def\r\n", "more\n"}, 5, 0}, {{}, 1, 6},
  };
  // clang-format on
  for (const auto& c : cases) {
    MemoryHandle in, out;
    in.reads = c.reads;
    in.read_error = c.error;
    Console console(in, out, "\n");
    int calls = 0;
    for (; in.read_calls <= static_cast<int>(c.reads.size()) && calls < 5; ++calls) console.ReadLine();
    EXPECT_EQ(CheckedCode(console), c.error);
    console.ReadLine();
    EXPECT_EQ(calls, c.calls) << c.reads.size();
    EXPECT_EQ(in.read_calls, calls == 5 ? 1 : static_cast<int>(c.reads.size()) + 1 + (c.error != 0));
  }
  MemoryHandle in, out;
  in.type = StdHandle::Type::kMissing;
  Console closed(in, out, "\n");
  closed.ReadLine();
  EXPECT_EQ(CheckedCode(closed), kErrorNotOpenForInput);
}

}  // namespace
}  // namespace vornix
