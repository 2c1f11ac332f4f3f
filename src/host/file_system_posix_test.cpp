#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "host/file_system.h"

namespace vornix {
namespace {

class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/vornix-fs-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~ScratchDir() { std::system(("chmod -R u+w '" + path_ + "'; rm -rf '" + path_ + "'").c_str()); }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    DIR* dir = opendir(path_.c_str());
    while (const dirent* entry = readdir(dir))
      if (entry->d_name[0] != '.' || entry->d_name[1] > '.') names.insert(entry->d_name);
    closedir(dir);
    return names;
  }

 private:
  std::string path_;
};

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ReadVia(FileSystem& fs, const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(fs.ReadWholeFile(path, &bytes).ok());
  return bytes;
}

mode_t ModeOf(const std::string& path) {
  struct stat status;
  stat(path.c_str(), &status);
  return status.st_mode & 07777;
}

TEST(PosixFileSystem, FixedNamesAreFoundIgnoringCase) {
  ScratchDir dir;
  FileSystem& fs = RealFileSystem();
  Write(dir / "TXTSETUP.SIF", "upper");
  EXPECT_TRUE(fs.FileIsPresent(dir / "txtsetup.sif"));
  EXPECT_EQ(ReadVia(fs, dir / "txtsetup.sif"), "upper");
  EXPECT_TRUE(fs.ReplaceFile(dir / "TxtSetup.Sif", "new").ok());
  EXPECT_EQ(dir.Entries(), std::set<std::string>{"TXTSETUP.SIF"});
  EXPECT_EQ(Read(dir / "TXTSETUP.SIF"), "new");

  // With several spellings, the smallest in byte order is the one.
  Write(dir / "txtsetup.sif", "lower");
  EXPECT_EQ(ReadVia(fs, dir / "txtsetup.sif"), "new");
  EXPECT_FALSE(fs.FileIsPresent(dir / "dosnet.inf"));
  EXPECT_TRUE(fs.ReplaceFile(dir / "DOSNET.INF", "").ok());
  EXPECT_TRUE(dir.Entries().count("DOSNET.INF"));
  EXPECT_EQ(Read(dir / "DOSNET.INF"), "");
}

TEST(PosixFileSystem, ReplaceKeepsModeAndLeavesNoTemporaryFile) {
  ScratchDir dir;
  Write(dir / "dosnet.inf", "old");
  chmod((dir / "dosnet.inf").c_str(), 0640);
  EXPECT_TRUE(RealFileSystem().ReplaceFile(dir / "DOSNET.INF", "new\r\n").ok());
  EXPECT_EQ(Read(dir / "dosnet.inf"), "new\r\n");
  EXPECT_EQ(ModeOf(dir / "dosnet.inf"), 0640u);
  EXPECT_EQ(dir.Entries(), std::set<std::string>{"dosnet.inf"});
}

// A link to a script stands for the script: the file it points to is
// replaced and the link stays.
TEST(PosixFileSystem, ReplacingALinkReplacesItsFile) {
  ScratchDir dir;
  Write(dir / "real.sif", "old");
  ASSERT_EQ(symlink("real.sif", (dir / "txtsetup.sif").c_str()), 0);
  EXPECT_TRUE(RealFileSystem().ReplaceFile(dir / "TXTSETUP.SIF", "new").ok());
  EXPECT_EQ(Read(dir / "real.sif"), "new");
  struct stat status;
  lstat((dir / "txtsetup.sif").c_str(), &status);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  EXPECT_EQ(dir.Entries(), (std::set<std::string>{"real.sif", "txtsetup.sif"}));
}

}  // namespace
}  // namespace vornix
