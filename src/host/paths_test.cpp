#include "host/paths.h"

#include <gtest/gtest.h>

namespace vornix {
namespace {

LeadByteSet ShiftJis() {
  const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  return LeadBytesFromRanges(ranges, sizeof ranges);
}

// "\x95\\" is one Shift-JIS character whose second byte is a backslash.
constexpr char kTrailBackslash[] = "\x95\\";

TEST(Paths, DropTrailingBackslash) {
  const PathRules plain = WindowsPathRules(LeadByteSet());
  const PathRules sjis = WindowsPathRules(ShiftJis());
  const struct {
    std::string text;
    const PathRules& rules;
    std::string dropped;
  } cases[] = {
      {"C:\\I386\\", plain, "C:\\I386"},
      {"C:\\I386", plain, "C:\\I386"},
      {"C:\\I386\\\\", plain, "C:\\I386\\"},
      {"C:\\", plain, "C:"},
      {"", plain, ""},
      {std::string("C:\\") + kTrailBackslash, sjis, std::string("C:\\") + kTrailBackslash},
      {std::string("C:\\") + kTrailBackslash, plain, "C:\\\x95"},
      {std::string("C:\\\x95\x95\\"), sjis, "C:\\\x95\x95"},  // a pair, then its own
      {"/srv/I386/", PosixPathRules(), "/srv/I386"},
      {"/", PosixPathRules(), ""},
      {"C:\\I386\\", PosixPathRules(), "C:\\I386\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(DropTrailingBackslash(c.text, c.rules), c.dropped) << c.text;
}

TEST(Paths, DirectoryOf) {
  const PathRules plain = WindowsPathRules(LeadByteSet());
  const PathRules sjis = WindowsPathRules(ShiftJis());
  const struct {
    std::string path;
    const PathRules& rules;
    std::string directory;
  } cases[] = {
      {"C:\\Tools\\vornix.exe", plain, "C:\\Tools"},
      {"C:\\vornix.exe", plain, "C:\\"},
      {"C:vornix.exe", plain, "C:"},
      {"vornix.exe", plain, ""},
      {"\\\\server\\share\\vornix.exe", plain, "\\\\server\\share"},
      {"C:\\a\\\\vornix.exe", plain, "C:\\a\\\\"},
      {std::string("C:\\x") + kTrailBackslash + "vornix.exe", sjis, "C:\\"},
      {std::string("C:\\d") + kTrailBackslash + "\\vornix.exe", sjis,
       std::string("C:\\d") + kTrailBackslash},
      {"/usr/bin/vornix", PosixPathRules(), "/usr/bin"},
      {"/vornix", PosixPathRules(), "/"},
      {"C:/a:b/vornix", PosixPathRules(), "C:/a:b"},
  };
  for (const auto& c : cases) EXPECT_EQ(DirectoryOf(c.path, c.rules), c.directory) << c.path;
}

TEST(Paths, JoinAndFileName) {
  const PathRules windows = WindowsPathRules(LeadByteSet());
  EXPECT_EQ(JoinPath("C:\\I386", "txtsetup.sif", windows), "C:\\I386\\txtsetup.sif");
  EXPECT_EQ(JoinPath("C:", "txtsetup.sif", windows), "C:\\txtsetup.sif");
  EXPECT_EQ(JoinPath("C:\\", "txtfiles.del", windows), "C:\\\\txtfiles.del");
  EXPECT_EQ(JoinPath("", "txtsetup.sif", PosixPathRules()), "/txtsetup.sif");
  EXPECT_EQ(FileNameOf("C:\\Tools\\vornix.exe", windows), "vornix.exe");
  EXPECT_EQ(FileNameOf(std::string("C:\\a") + kTrailBackslash + "b.exe",
                       WindowsPathRules(ShiftJis())),
            std::string("a") + kTrailBackslash + "b.exe");
  EXPECT_EQ(FileNameOf("/usr/bin/vornix", PosixPathRules()), "vornix");
}

TEST(Paths, ResolvePosixPath) {
  const struct {
    std::string current, text, resolved;
  } cases[] = {
      {"/home/u", "I386", "/home/u/I386"},
      {"/home/u", "I386/", "/home/u/I386/"},
      {"/home/u", "./a/../I386/.", "/home/u/I386"},
      {"/home/u", "../../../..", "/"},
      {"/home/u", "/srv//x///I386", "/srv/x/I386"},
      {"/home/u", "/", "/"},
      {"/", "a b/c", "/a b/c"},
      {"/home/u", "-Q", "/home/u/-Q"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePosixPath(c.current, c.text), c.resolved) << c.text;
}

TEST(Paths, LeadBytes) {
  const LeadByteSet sjis = ShiftJis();
  EXPECT_TRUE(sjis.Contains('\x81'));
  EXPECT_TRUE(sjis.Contains('\xFC'));
  EXPECT_FALSE(sjis.Contains('\xA0'));
  EXPECT_FALSE(sjis.Contains('\\'));
  const unsigned char reversed_then_end[12] = {0x90, 0x80, 0, 0, 0xA0, 0xA1};
  const LeadByteSet none = LeadBytesFromRanges(reversed_then_end, 12);
  for (int byte : {0x80, 0x85, 0x90, 0xA0, 0xA1}) EXPECT_FALSE(none.Contains(static_cast<char>(byte)));
  EXPECT_TRUE(HasSingleByteCodePage(0x00));       // neutral
  EXPECT_TRUE(HasSingleByteCodePage(0x09));       // English
  EXPECT_FALSE(HasSingleByteCodePage(0x11));      // Japanese
  EXPECT_FALSE(HasSingleByteCodePage(0x19));      // Russian: asks the code page
}

}  // namespace
}  // namespace vornix
