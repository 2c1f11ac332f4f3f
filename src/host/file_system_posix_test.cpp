#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "host/failures.h"
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
  EXPECT_EQ(fs.ReadWholeFile(dir / "txtsetup.sif"), "upper");
  fs.ReplaceFile(dir / "TxtSetup.Sif", "new");
  EXPECT_EQ(dir.Entries(), std::set<std::string>{"TXTSETUP.SIF"});
  EXPECT_EQ(Read(dir / "TXTSETUP.SIF"), "new");

  // With several spellings, the smallest in byte order is the one.
  Write(dir / "txtsetup.sif", "lower");
  EXPECT_EQ(fs.ReadWholeFile(dir / "txtsetup.sif"), "new");
  EXPECT_FALSE(fs.FileIsPresent(dir / "dosnet.inf"));
  fs.ReplaceFile(dir / "DOSNET.INF", "");
  EXPECT_TRUE(dir.Entries().count("DOSNET.INF"));
  EXPECT_EQ(Read(dir / "DOSNET.INF"), "");
}

TEST(PosixFileSystem, ReplaceKeepsModeAndLeavesNoTemporaryFile) {
  ScratchDir dir;
  Write(dir / "dosnet.inf", "old");
  chmod((dir / "dosnet.inf").c_str(), 0640);
  RealFileSystem().ReplaceFile(dir / "DOSNET.INF", "new\r\n");
  EXPECT_EQ(Read(dir / "dosnet.inf"), "new\r\n");
  EXPECT_EQ(ModeOf(dir / "dosnet.inf"), 0640u);
  EXPECT_EQ(dir.Entries(), std::set<std::string>{"dosnet.inf"});
}

TEST(PosixFileSystem, RefusedTargetsStayAsTheyWere) {
  ScratchDir dir;
  FileSystem& fs = RealFileSystem();
  Write(dir / "txtsetup.sif", "keep");
  chmod((dir / "txtsetup.sif").c_str(), 0444);
  try {
    fs.ReplaceFile(dir / "TXTSETUP.SIF", "lost");
    FAIL();
  } catch (const EFCreateError& failure) {
    EXPECT_EQ(failure.Message(), "Не могу создать файл \"" + dir / "TXTSETUP.SIF" +
                                     "\". Permission denied");
  }
  EXPECT_EQ(Read(dir / "txtsetup.sif"), "keep");

  mkdir((dir / "dosnet.inf").c_str(), 0755);
  EXPECT_FALSE(fs.FileIsPresent(dir / "dosnet.inf"));
  EXPECT_THROW(fs.ReplaceFile(dir / "DOSNET.INF", "x"), EFCreateError);
  EXPECT_THROW(fs.ReadWholeFile(dir / "dosnet.inf"), EFOpenError);
  EXPECT_THROW(fs.ReplaceFile(dir / "missing/DOSNET.INF", "x"), EFCreateError);
  EXPECT_EQ(dir.Entries(), (std::set<std::string>{"dosnet.inf", "txtsetup.sif"}));
}

TEST(PosixFileSystem, OddEntriesInAScriptsPlace) {
  ScratchDir dir;
  FileSystem& fs = RealFileSystem();
  ASSERT_EQ(mkfifo((dir / "dosnet.inf").c_str(), 0644), 0);
  EXPECT_TRUE(fs.FileIsPresent(dir / "dosnet.inf"));
  EXPECT_THROW(fs.ReadWholeFile(dir / "dosnet.inf"), EFOpenError);  // and does not wait

  ASSERT_EQ(symlink("nowhere", (dir / "txtsetup.sif").c_str()), 0);
  EXPECT_FALSE(fs.FileIsPresent(dir / "txtsetup.sif"));

  Write(dir / "real.sif", "old");
  ASSERT_EQ(symlink("real.sif", (dir / "link.sif").c_str()), 0);
  fs.ReplaceFile(dir / "link.sif", "new");
  EXPECT_EQ(Read(dir / "real.sif"), "new");
  struct stat status;
  lstat((dir / "link.sif").c_str(), &status);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
}

TEST(PosixFileSystem, OpenFailureNamesTheFullPath) {
  try {
    RealFileSystem().ReadWholeFile("/nonexistent-dir/txtfiles.del");
    FAIL();
  } catch (const EFOpenError& failure) {
    EXPECT_EQ(failure.Message(),
              "Не могу открыть файл \"/nonexistent-dir/txtfiles.del\". No such file or directory");
  }
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(RealFileSystem().FullPathOf("a/../b/"), std::string(cwd) + "/b/");
}

}  // namespace
}  // namespace vornix
