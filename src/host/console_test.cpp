#include "host/console.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "host/failures.h"

namespace vornix {
namespace {

// Counts the platform calls and fails them on request.
class FakeHandle : public StdHandle {
 public:
  Type type = Type::kOther;
  std::vector<std::string> writes;
  int32_t write_error = 0;   // every write fails with this code
  int32_t read_error = 0;
  std::vector<std::string> reads;  // what each read call returns, in turn
  int acquired = 0, released = 0, read_calls = 0, empty_reads = 0;

  Type Acquire() override {
    ++acquired;
    return type;
  }
  void Release() override { ++released; }
  bool Write(const char* data, size_t size, int32_t* error) override {
    writes.emplace_back(data, size);
    if (write_error == 0) return true;
    *error = write_error;
    return false;
  }
  bool Read(char* buffer, size_t size, size_t* count, int32_t* error) override {
    ++read_calls;
    if (read_error != 0) {
      *error = read_error;
      return false;
    }
    std::string next;
    if (!reads.empty()) {
      next = reads.front().substr(0, size);
      reads.erase(reads.begin());
    }
    next.copy(buffer, next.size());
    *count = next.size();
    empty_reads += next.empty();
    return true;
  }
};

std::string Joined(const std::vector<std::string>& parts) {
  std::string all;
  for (const std::string& part : parts) all += part;
  return all;
}

struct ConsoleTest : ::testing::Test {
  FakeHandle in, out;
  Console console{in, out, "\r\n"};
};

TEST_F(ConsoleTest, RedirectedOutputLeavesInWholeBlocks) {
  const std::string line(98, 'x');  // with CR LF, three lines are 300 bytes
  for (int i = 0; i < 3; ++i) {
    console.WriteLine(line);
    console.CheckIO();
  }
  ASSERT_EQ(out.writes.size(), 2u);
  EXPECT_EQ(out.writes[0].size(), 128u);
  EXPECT_EQ(out.writes[1].size(), 128u);
  console.Close();
  ASSERT_EQ(out.writes.size(), 3u);
  EXPECT_EQ(out.writes[2].size(), 44u);
  EXPECT_EQ(Joined(out.writes), line + "\r\n" + line + "\r\n" + line + "\r\n");
}

TEST_F(ConsoleTest, ConsoleWritesEachLineInOneCall) {
  out.type = StdHandle::Type::kCharacter;
  console.WriteLine("Done...");
  console.WriteLine("");
  EXPECT_EQ(out.writes, (std::vector<std::string>{"Done...\r\n", "\r\n"}));
  const std::string long_line(200, 'y');
  console.WriteLine(long_line);
  EXPECT_EQ(out.writes.size(), 4u);  // a block of 128, then the rest with CR LF
  EXPECT_EQ(out.writes[3], std::string(72, 'y') + "\r\n");
  EXPECT_EQ(out.acquired, 1);
}

TEST_F(ConsoleTest, FailedWriteIsReportedAtItsLine) {
  out.type = StdHandle::Type::kCharacter;
  out.write_error = 28;
  console.WriteLine("lost");
  try {
    console.CheckIO();
    FAIL();
  } catch (const EInOutError& failure) {
    EXPECT_EQ(failure.Code(), 28);
  }
  console.CheckIO();  // CheckIO clears the code
}

TEST_F(ConsoleTest, RedirectedFailureSurfacesWhereABlockFills) {
  out.write_error = 5;
  console.WriteLine(std::string(100, 'a'));
  console.CheckIO();  // nothing written yet
  console.WriteLine(std::string(100, 'b'));
  EXPECT_THROW(console.CheckIO(), EInOutError);
  // The failed block is dropped; the rest of that chunk is gone as well.
  console.WriteLine("c");
  console.CheckIO();
  EXPECT_EQ(out.writes.size(), 1u);
}

TEST_F(ConsoleTest, StreamsThatCannotOpen) {
  out.type = StdHandle::Type::kMissing;
  console.WriteLine("x");
  EXPECT_THROW(console.CheckIO(), EInOutError);
  EXPECT_EQ(out.acquired, 2);  // the text and the line end each try again

  FakeHandle unknown;
  unknown.type = StdHandle::Type::kUnknown;
  Console other(in, unknown, "\n");
  other.WriteLine("x");
  EXPECT_THROW(other.CheckIO(), EInOutError);
  EXPECT_EQ(unknown.released, 2);

  in.type = StdHandle::Type::kMissing;
  console.ReadLine();
  EXPECT_THROW(console.CheckIO(), EInOutError);
}

// How many ReadLine calls it takes to reach the end of the input: one per
// line, and one more that meets the end.
int ReadLinesUntilEnd(const std::vector<std::string>& reads) {
  FakeHandle input, output;
  input.reads = reads;
  Console reader(input, output, "\r\n");
  int calls = 0;
  while (input.empty_reads == 0 && calls < 10) {
    reader.ReadLine();
    reader.CheckIO();
    ++calls;
  }
  return calls;
}

TEST(ReadLine, EndsAtLfOrCrLfOnly) {
  const struct {
    std::vector<std::string> reads;
    int calls;
  } cases[] = {
      {{"abc\rdef\nrest\n"}, 3},     // a lone CR does not end the line
      {{"abc\r\nrest\n"}, 3},
      {{"abc\r", "\nrest\n"}, 3},    // CR LF split between two reads
      {{"abc\r", "xy\nrest\n"}, 3},  // the byte after CR is put back
      {{"abc\r"}, 1},                 // CR at the end of input
      {{"a\n\n\n"}, 4},
      {{}, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadLinesUntilEnd(c.reads), c.calls) << c.reads.size();
}

TEST_F(ConsoleTest, EndOfFileByteStopsEveryRead) {
  in.reads = {"abc\x1A" "def\r\n"};
  for (int i = 0; i < 3; ++i) console.ReadLine();
  EXPECT_EQ(in.read_calls, 1);
  console.CheckIO();
}

TEST_F(ConsoleTest, EndOfInputIsRememberedAndErrorsRecorded) {
  console.ReadLine();
  console.ReadLine();
  EXPECT_EQ(in.read_calls, 1);  // the end is met once, then remembered
  console.CheckIO();

  FakeHandle failing;
  failing.read_error = 6;
  Console reader(failing, out, "\r\n");
  reader.ReadLine();
  EXPECT_THROW(reader.CheckIO(), EInOutError);
}

TEST(InOutErrorMessage, NamedCodesAndNumbers) {
  EXPECT_EQ(EInOutError(kErrorNotOpenForOutput).Message(), "Ошибка ввода/вывода 105");
  EXPECT_EQ(EInOutError(-3).Message(), "Ошибка ввода/вывода -3");
  EXPECT_EQ(EInOutError(ENOENT).Message(), "Файл не найден");
}

}  // namespace
}  // namespace vornix
