#include "app/run_driver.h"

#include <gtest/gtest.h>

#include "host/command_line.h"
#include "host/console.h"
#include "host/failures.h"
#include "host/line_list.h"
#include "host/paths.h"
#include "memory_file_system.h"
#include "test_util.h"

namespace vornix {
namespace {

class Recorder : public StdHandle {
 public:
  std::string text;
  std::string input;
  int reads = 0;
  Type Acquire() override { return Type::kOther; }
  void Release() override {}
  bool Write(const char* data, size_t size, int32_t*) override {
    text.append(data, size);
    return true;
  }
  bool Read(char* buffer, size_t size, size_t* count, int32_t*) override {
    ++reads;
    *count = input.copy(buffer, size);
    input.erase(0, *count);
    return true;
  }
};

constexpr char kBanner[] =
    "MassStorage driver deleter v1.0.0.2\n"
    "Written by the Vornix developers\n"
    "Made on the Internet, 2026\n\n";
constexpr char kWorkDone[] =
    "Delete 3rd party MSST drivers...\nDone...\n"
    "Restore stok replaced/deleted MSST drivers...\nDone...\n";
constexpr char kPause[] = "\nHit <Enter> to exit\n";

struct RunTest : ::testing::Test {
  MemoryFileSystem fs;
  Recorder in, out;
  Console console{in, out, "\n"};

  void SetUp() override {
    fs.files["/src/I386/txtsetup.sif"] =
        "[SCSI.Load]\r\nabc = abc.sys,4\r\nxyz = xyz.sys,4\r\n\x1A";
    fs.files["/src/I386/dosnet.inf"] = "[Files]\nd1,abc.sys\nd1,xyz.sys\n";
    fs.files["/tool/txtfiles.del"] = "abc\r\n";
  }
  void Run(std::vector<std::string> arguments) {
    const Arguments args("/tool/vornix", std::move(arguments));
    RunDriver(RunHost{args, fs, console, PosixPathRules()});
    console.Close();
  }
};

TEST_F(RunTest, CompleteRunInteractiveAndBatch) {
  Run({"/src/I386/"});
  EXPECT_EQ(out.text, std::string(kBanner) + kWorkDone + kPause);
  EXPECT_EQ(in.reads, 1);
  EXPECT_EQ(fs.files["/src/I386/TXTSETUP.SIF"], "[SCSI.Load]\r\n\r\nxyz = xyz.sys,4\r\n");
  EXPECT_EQ(fs.files["/src/I386/DOSNET.INF"], "[Files]\r\n\r\nd1,xyz.sys\r\n");
  EXPECT_EQ(fs.replaced, (std::vector<std::string>{"/src/I386/TXTSETUP.SIF",
                                                   "/src/I386/DOSNET.INF"}));
  out.text.clear();
  Run({"/src/I386", "-q"});
  EXPECT_EQ(out.text, std::string(kBanner) + kWorkDone);
  EXPECT_EQ(in.reads, 1);
}

TEST_F(RunTest, UsageAndStopScreens) {
  Run({});
  EXPECT_EQ(out.text, std::string(kBanner) +
                          "Usage: Vornix <I386_DIR>  [-Q]\n\n"
                          "I386_DIR dir - I386 source dir to MassStorage driver integration\n"
                          "-Q (optional) - batch mode - no wait user input\n\n"
                          "For more info see readme.txt (to future...)\n" + kPause);
  out.text.clear();
  Run({"/nowhere", "-Q"});
  EXPECT_EQ(out.text, std::string(kBanner) + "Unnable to open txtsetup.sif!\n\nProcess stopped.\n");
  out.text.clear();
  fs.files.erase("/src/I386/dosnet.inf");
  Run({"/src/I386"});
  EXPECT_EQ(out.text, std::string(kBanner) + "Unnable to open dosnet.inf!\n\nProcess stopped.\n" + kPause);
  out.text.clear();
  Run({"unresolvable", "-Q"});
  EXPECT_EQ(out.text, std::string(kBanner) + "Unnable to open txtsetup.sif!\n\nProcess stopped.\n");
  EXPECT_TRUE(fs.replaced.empty());
}

TEST_F(RunTest, SideFilesAreOptionalAndAddLinesAppended) {
  fs.files.erase("/tool/txtfiles.del");
  fs.files["/tool/dosnet.add"] = "d1,stock.sys";
  fs.files["/tool/txtsetup.add"] = "[SCSI.Load]\nstock = stock.sys,4\n";
  Run({"/src/I386", "-Q"});
  EXPECT_EQ(fs.files["/src/I386/TXTSETUP.SIF"],
            "[SCSI.Load]\r\nabc = abc.sys,4\r\nxyz = xyz.sys,4\r\n"
            "[SCSI.Load]\r\nstock = stock.sys,4\r\n");
  EXPECT_EQ(fs.files["/src/I386/DOSNET.INF"],
            "[Files]\r\nd1,abc.sys\r\nd1,xyz.sys\r\nd1,stock.sys\r\n");
}

TEST_F(RunTest, BlankNamesRemoveNothing) {
  fs.files["/tool/txtfiles.del"] = "\r\n \t\r\n\r\n";
  Run({"/src/I386", "-Q"});
  EXPECT_EQ(fs.files["/src/I386/DOSNET.INF"], "[Files]\r\nd1,abc.sys\r\nd1,xyz.sys\r\n");
}

TEST_F(RunTest, EndOfFileMarker) {
  const struct {
    std::vector<std::string> lines, kept;
  } cases[] = {
      {{"a", "\x1A"}, {"a"}},
      {{"a", "last\x1A"}, {"a", "last"}},       // text before the marker stays
      {{"a", "x\x1A" "y\x1A"}, {"a", "x"}},
      {{"\x1A", "a"}, {"\x1A", "a"}},           // only the last line counts
      {{"  \x1A"}, {"  "}},
  };
  for (const auto& c : cases) {
    LineList list = ListOf(c.lines);
    DropEndOfFileMarker(list);
    EXPECT_EQ(LinesOf(list), c.kept);
  }
  LineList empty;
  EXPECT_THROW(DropEndOfFileMarker(empty), EStringListError);
}

TEST_F(RunTest, FailuresStopTheRunWhereTheyHappen) {
  fs.files["/src/I386/txtsetup.sif"] = "";
  EXPECT_THROW(Run({"/src/I386", "-Q"}), EStringListError);
  EXPECT_TRUE(fs.replaced.empty());

  SetUp();
  fs.read_only.insert("/src/I386/TXTSETUP.SIF");
  EXPECT_THROW(Run({"/src/I386", "-Q"}), EFCreateError);
  EXPECT_TRUE(fs.replaced.empty());  // DOSNET.INF is not written either

  fs.read_only.clear();
  fs.full_disk.insert("/src/I386/DOSNET.INF");
  EXPECT_THROW(Run({"/src/I386", "-Q"}), EWriteError);
  EXPECT_EQ(fs.replaced, std::vector<std::string>{"/src/I386/TXTSETUP.SIF"});

  fs.unreadable.insert("/src/I386/dosnet.inf");
  EXPECT_THROW(Run({"/src/I386", "-Q"}), EFOpenError);
}

}  // namespace
}  // namespace vornix
