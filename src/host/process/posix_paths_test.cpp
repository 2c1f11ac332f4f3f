#include "host/process/posix_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornix {

namespace {

// Both are read into a buffer that grows until the whole path fits.
TEST(PosixPaths, LongerThanTheFirstBuffer) {
  const std::string link = testing::TempDir() + "vornix-long-link", target(1000, 'x');
  unlink(link.c_str());
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  EXPECT_EQ(ReadLink(link.c_str()), target);
  EXPECT_EQ(ReadLink((link + "-missing").c_str()), "");
  unlink(link.c_str());

  const std::string before = CurrentDirectory();
  std::string deep = testing::TempDir() + "vornix-deep";
  mkdir(deep.c_str(), 0700);
  for (int level = 0; level < 4; ++level) mkdir((deep += "/" + std::string(100, 'd')).c_str(), 0700);
  ASSERT_EQ(chdir(deep.c_str()), 0);
  char resolved[4096];
  EXPECT_EQ(CurrentDirectory(), realpath(".", resolved));
  ASSERT_EQ(chdir(before.c_str()), 0);
}

}  // namespace
}  // namespace vornix
