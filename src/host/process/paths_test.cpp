#include "host/process/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/process/posix_paths.h"

namespace vornix {
namespace {

const unsigned char kShiftJis[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0xA0, 0xA1};
const PathRules kPlain = WindowsPathRules(LeadByteSet()), kPosix = PosixPathRules();
const PathRules kSjis = WindowsPathRules(LeadBytesFromRanges(kShiftJis, 12));
const std::string kTrail = "\x95\\";  // one Shift-JIS character, its second byte a backslash

TEST(Paths, DropTrailingBackslashDirectoryOfFileNameOf) {
  // clang-format off
  const struct { std::string path; const PathRules& rules; std::string dropped, directory, name; } cases[] = {
      {"C:\\I386\\", kPlain, "C:\\I386", "C:\\I386", ""},
      {"C:\\Tools\\v.exe", kPlain, "C:\\Tools\\v.exe", "C:\\Tools", "v.exe"},
      {"C:\\I386\\\\", kPlain, "C:\\I386\\", "C:\\I386\\\\", ""},
      {"C:\\", kPlain, "C:", "C:\\", ""}, {"C:v.exe", kPlain, "C:v.exe", "C:", "C:v.exe"},
      {"v.exe", kPlain, "v.exe", "", "v.exe"},
      {"\\\\server\\share\\v.exe", kPlain, "\\\\server\\share\\v.exe", "\\\\server\\share", "v.exe"},
      {"C:\\" + kTrail, kSjis, "C:\\" + kTrail, "C:\\", kTrail},
      {"C:\\" + kTrail, kPlain, "C:\\\x95", "C:\\\x95", ""},
      {"C:\\\x95\x95\\", kSjis, "C:\\\x95\x95", "C:\\\x95\x95", ""},  // a pair, then its own
      {"C:\\d" + kTrail + "\\v.exe", kSjis, "C:\\d" + kTrail + "\\v.exe", "C:\\d" + kTrail, "v.exe"},
      {"/srv/I386/", kPosix, "/srv/I386", "/srv/I386", ""}, {"/vornix", kPosix, "/vornix", "/", "vornix"},
      {"/", kPosix, "", "/", ""}, {"C:/a:b/c\\d", kPosix, "C:/a:b/c\\d", "C:/a:b", "c\\d"},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(DropTrailingBackslash(c.path, c.rules), c.dropped) << c.path;
    EXPECT_EQ(DirectoryOf(c.path, c.rules), c.directory) << c.path;
    EXPECT_EQ(FileNameOf(c.path, c.rules), c.name) << c.path;
  }
  EXPECT_EQ(JoinPath("C:\\", "txtfiles.del", kPlain), "C:\\\\txtfiles.del");
  EXPECT_EQ(JoinPath("", "txtsetup.sif", kPosix), "/txtsetup.sif");
}

TEST(Paths, ResolvePosixPath) {  // whole runs resolve plain relative paths
  EXPECT_EQ(ResolvePosixPath("/home/u", "../../../../srv/./a/..//x///I386/."), "/srv/x/I386");
  EXPECT_EQ(ResolvePosixPath("/home/u", "I386/"), "/home/u/I386/");
}

TEST(Paths, LeadBytesOfTheCodePage) {
  const LeadByteSet sjis = LeadBytesFromRanges(kShiftJis, 12);
  for (int byte = 0x7F; byte <= 0xFF; ++byte)
    EXPECT_EQ(sjis.Contains(static_cast<char>(byte)), (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0 && byte <= 0xFC);
  const unsigned char reversed[4] = {0x90, 0x80, 0x70, 0x71};
  EXPECT_FALSE(LeadBytesFromRanges(reversed, 2).Contains('\x85'));
  EXPECT_FALSE(LeadBytesFromRanges(reversed, 3).Contains('\x70'));  // no whole pair
  EXPECT_TRUE(HasSingleByteCodePage(0x09));                         // English
  EXPECT_FALSE(HasSingleByteCodePage(0x19));                        // Russian: the code page is asked
}

// Both are read into a buffer that grows until the whole path fits.
TEST(Paths, PosixPathsLongerThanTheFirstBuffer) {
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
