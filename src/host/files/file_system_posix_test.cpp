#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/files/file_system.h"

namespace vornix {
namespace {

// Releasing a hold again closes nothing opened since, such as a file given the hold's number.
TEST(RealFileSystem, ReleaseEndsTheHoldOnce) {
  const std::string directory = testing::TempDir() + "vornix-hold";
  mkdir(directory.c_str(), 0700);
  FileSystem& fs = RealFileSystem();
  std::string held;
  ASSERT_EQ(fs.HoldDirectory(directory, &held).failed, FileResult::Step::kDone);
  fs.ReleaseDirectory();
  const int opened = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  fs.ReleaseDirectory();
  EXPECT_NE(fcntl(opened, F_GETFD), -1);
  close(opened);
  rmdir(directory.c_str());
}

}  // namespace
}  // namespace vornix
