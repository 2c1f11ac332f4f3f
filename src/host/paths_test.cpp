#include "host/paths.h"

#include <gtest/gtest.h>

namespace vornix {
namespace {

const unsigned char kShiftJis[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0xA0, 0xA1};
const PathRules kPlain = WindowsPathRules(LeadByteSet());
const PathRules kSjis = WindowsPathRules(LeadBytesFromRanges(kShiftJis, 12));
const PathRules kPosix = PosixPathRules();
// "\x95\\" is one Shift-JIS character whose second byte is a backslash.
const std::string kTrail = "\x95\\";

TEST(Paths, DropTrailingBackslashAndDirectoryOf) {
  const struct { std::string path; const PathRules& rules; std::string dropped, directory; } cases[] = {
      {"C:\\I386\\", kPlain, "C:\\I386", "C:\\I386"},
      {"C:\\Tools\\vornix.exe", kPlain, "C:\\Tools\\vornix.exe", "C:\\Tools"},
      {"C:\\I386\\\\", kPlain, "C:\\I386\\", "C:\\I386\\\\"},
      {"C:\\", kPlain, "C:", "C:\\"},
      {"C:vornix.exe", kPlain, "C:vornix.exe", "C:"},
      {"vornix.exe", kPlain, "vornix.exe", ""},
      {"\\\\server\\share\\v.exe", kPlain, "\\\\server\\share\\v.exe", "\\\\server\\share"},
      {"C:\\" + kTrail, kSjis, "C:\\" + kTrail, "C:\\"},
      {"C:\\" + kTrail, kPlain, "C:\\\x95", "C:\\\x95"},
      {"C:\\\x95\x95\\", kSjis, "C:\\\x95\x95", "C:\\\x95\x95"},  // a pair, then its own
      {"C:\\d" + kTrail + "\\v.exe", kSjis, "C:\\d" + kTrail + "\\v.exe", "C:\\d" + kTrail},
      {"/srv/I386/", kPosix, "/srv/I386", "/srv/I386"},
      {"/vornix", kPosix, "/vornix", "/"},
      {"/", kPosix, "", "/"},
      {"C:/a:b/c\\d", kPosix, "C:/a:b/c\\d", "C:/a:b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DropTrailingBackslash(c.path, c.rules), c.dropped) << c.path;
    EXPECT_EQ(DirectoryOf(c.path, c.rules), c.directory) << c.path;
  }
}

TEST(Paths, JoinPathAndFileNameOf) {
  EXPECT_EQ(JoinPath("C:", "txtsetup.sif", kPlain), "C:\\txtsetup.sif");
  EXPECT_EQ(JoinPath("C:\\", "txtfiles.del", kPlain), "C:\\\\txtfiles.del");
  EXPECT_EQ(JoinPath("", "txtsetup.sif", kPosix), "/txtsetup.sif");
  EXPECT_EQ(FileNameOf("C:\\a" + kTrail + "b.exe", kSjis), "a" + kTrail + "b.exe");
  EXPECT_EQ(FileNameOf("C:\\a" + kTrail + "b.exe", kPlain), "b.exe");
  EXPECT_EQ(FileNameOf("/usr/bin/vornix", kPosix), "vornix");
}

TEST(Paths, ResolvePosixPath) {
  const struct { std::string current, text, resolved; } cases[] = {
      {"/home/u", "I386", "/home/u/I386"},    {"/home/u", "I386/", "/home/u/I386/"},
      {"/home/u", "./a/../I386/.", "/home/u/I386"}, {"/home/u", "../../../..", "/"},
      {"/home/u", "/srv//x///I386", "/srv/x/I386"}, {"/", "a b/c", "/a b/c"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePosixPath(c.current, c.text), c.resolved) << c.text;
}

TEST(Paths, LeadBytesOfTheCodePage) {
  const LeadByteSet sjis = LeadBytesFromRanges(kShiftJis, 12);
  for (int byte : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(sjis.Contains(static_cast<char>(byte)));
  for (int byte : {0x80, 0xA0, 0xFD, 0x5C}) EXPECT_FALSE(sjis.Contains(static_cast<char>(byte)));
  const unsigned char reversed[4] = {0x90, 0x80, 0x70, 0x71};
  EXPECT_FALSE(LeadBytesFromRanges(reversed, 2).Contains('\x85'));
  EXPECT_FALSE(LeadBytesFromRanges(reversed, 3).Contains('\x70'));  // no whole pair
  EXPECT_TRUE(HasSingleByteCodePage(0x09));   // English
  EXPECT_FALSE(HasSingleByteCodePage(0x19));  // Russian: the code page is asked
}

}  // namespace
}  // namespace vornix
