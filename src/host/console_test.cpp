#include "host/console.h"

#include <gtest/gtest.h>

#include "host/failures.h"
#include "memory_console.h"

namespace vornix {
namespace {

// The code CheckIO raises, 0 for none.
int32_t CheckedCode(Console& console) {
  try {
    console.CheckIO();
  } catch (const EInOutError& failure) {
    return failure.Code();
  }
  return 0;
}

struct ConsoleTest : ::testing::Test {
  MemoryHandle in, out;
  Console console{in, out, "\r\n"};
  std::vector<size_t> Sizes() const {
    std::vector<size_t> sizes;
    for (const std::string& write : out.writes) sizes.push_back(write.size());
    return sizes;
  }
};

TEST_F(ConsoleTest, RedirectedOutputLeavesInBlocksOf128BytesAConsoleInLines) {
  for (int i = 0; i < 3; ++i) console.Print(std::string(98, 'x'));  // 300 bytes
  EXPECT_EQ(Sizes(), (std::vector<size_t>{128, 128}));
  console.Close();
  EXPECT_EQ(Sizes(), (std::vector<size_t>{128, 128, 44}));
  const std::string line = std::string(98, 'x') + "\r\n";
  EXPECT_EQ(out.Written(), line + line + line);
  out.writes.clear();
  out.type = StdHandle::Type::kCharacter;
  Console interactive(in, out, "\r\n");
  for (const char* line : {"Done...", ""}) interactive.Print(line);
  interactive.Print(std::string(200, 'y'));
  interactive.FlushOutput();
  EXPECT_EQ(out.writes, (std::vector<std::string>{"Done...\r\n", "\r\n", std::string(128, 'y'),
                                                  std::string(72, 'y') + "\r\n"}));
}

TEST_F(ConsoleTest, AFailedWriteIsReportedAtItsLineAndItsTextIsLost) {
  out.write_error = 28;
  console.WriteLine(std::string(100, 'a'));
  EXPECT_EQ(CheckedCode(console), 0);  // nothing written yet
  console.WriteLine(std::string(100, 'b'));
  EXPECT_EQ(CheckedCode(console), 28);
  EXPECT_EQ(CheckedCode(console), 0);  // CheckIO clears the code
  out.write_error = 0;
  console.Print("c");
  console.Close();
  EXPECT_EQ(out.writes.back(), "\r\nc\r\n");  // the failed text is gone, its line end is not
}

TEST_F(ConsoleTest, StreamsThatCannotOpenTryAgainAtEveryUse) {
  out.type = StdHandle::Type::kMissing;
  console.WriteLine("x");
  EXPECT_EQ(CheckedCode(console), kErrorNotOpenForOutput);
  EXPECT_EQ(out.acquired, 2);  // the text and the line end
  out.type = StdHandle::Type::kUnknown;
  console.WriteLine("x");
  EXPECT_EQ(CheckedCode(console), kErrorNotOpenForOutput);
  EXPECT_EQ(out.released, 2);
  in.type = StdHandle::Type::kMissing;
  console.ReadLine();
  EXPECT_EQ(CheckedCode(console), kErrorNotOpenForInput);
  in.type = StdHandle::Type::kOther;
  in.read_error = 6;
  console.ReadLine();
  EXPECT_EQ(CheckedCode(console), 6);
}

// ReadLine calls until the input's end is read: one a line and one more. A
// line ends at LF or CR LF, a lone CR does not end it, and 0x1A ends the
// input for good without another read (so the end is never read: 5 calls).
TEST(ReadLine, ConsumesOneLineAtATime) {
  const struct { std::vector<std::string> reads; int calls; } cases[] = {
      {{"abc\rdef\nrest\n"}, 3}, {{"abc\r\nrest\n"}, 3}, {{"abc\r", "\nrest\n"}, 3},
      {{"abc\r", "xy\nrest\n"}, 3}, {{"abc\r"}, 1}, {{"a\n\n\n"}, 4}, {{}, 1},
      {{"abc\x1A" "def\r\n", "more\n"}, 5},
  };
  for (const auto& c : cases) {
    MemoryHandle in, out;
    in.reads = c.reads;
    Console console(in, out, "\n");
    int calls = 0;
    for (; in.read_calls <= static_cast<int>(c.reads.size()) && calls < 5; ++calls) {
      console.ReadLine();
      console.CheckIO();
    }
    EXPECT_EQ(calls, c.calls) << c.reads.size();
    EXPECT_EQ(in.read_calls, calls == 5 ? 1 : static_cast<int>(c.reads.size()) + 1);
  }
}

}  // namespace
}  // namespace vornix
