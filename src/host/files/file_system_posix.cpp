// Linux: the file system. The fixed script names are found ignoring ASCII
// case, so a source copied from a CD in upper case reads and writes the same
// files as on Windows; a save goes through a temporary file and a rename.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <new>
#include <optional>
#include <string>

#include "host/files/file_system.h"
#include "host/files/temporary_files.h"
#include "host/process/paths.h"
#include "host/process/posix_paths.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

using Step = FileResult::Step;

struct SplitPath {
  std::string directory;  // "/" for the root
  std::string name;
};

SplitPath SplitAtLastSlash(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return SplitPath{".", path};
  return SplitPath{slash == 0 ? "/" : path.substr(0, slash),
                   path.substr(slash + 1)};
}

// The spellings in one directory: for each name upper-cased, the smallest
// entry in byte order that folds to it.
using Spellings = std::map<std::string, std::string>;

Spellings ListSpellings(const std::string& directory_path) {
  Spellings spellings;
  DIR* directory = opendir(directory_path.c_str());
  if (directory == nullptr) return spellings;
  while (const dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    // The fixed names differ from the entries only in the case of ASCII letters.
    std::string& best = spellings[UpperAscii(name)];
    if (best.empty() || name < best) best = name;
  }
  closedir(directory);
  return spellings;
}

class RealPosixFileSystem : public FileSystem {
 public:
  bool FileIsPresent(const std::string& path) override {
    struct stat status;
    return stat(ResolveNameCase(path).c_str(), &status) == 0 &&
           !S_ISDIR(status.st_mode);
  }

  FileResult ReadWholeFile(const std::string& path, std::string* bytes) override;
  FileResult ReplaceFile(const std::string& path, std::string_view text) override;

  std::optional<std::string> FullPathOf(const std::string& text) override {
    if (!text.empty() && text[0] == '/') return ResolvePosixPath("/", text);
    const std::string current = CurrentDirectory();
    if (current.empty()) return std::nullopt;
    return ResolvePosixPath(current, text);
  }

 private:
  /// The entry of the path's directory whose name equals the path's last
  /// part ignoring ASCII case (the smallest in byte order when there are
  /// several), or the path as given when there is none. An I386 directory
  /// holds thousands of entries and a run looks up its fixed names several
  /// times, so each directory is listed once; the program saves only over
  /// scripts that were there, and its temporary names never match.
  std::string ResolveNameCase(const std::string& path) {
    const SplitPath split = SplitAtLastSlash(path);
    auto listed = spellings_.find(split.directory);
    if (listed == spellings_.end())
      listed = spellings_.emplace(split.directory, ListSpellings(split.directory)).first;
    const auto found = listed->second.find(UpperAscii(split.name));
    if (found == listed->second.end()) return path;
    return split.directory == "/" ? "/" + found->second
                                  : split.directory + "/" + found->second;
  }

  std::map<std::string, Spellings> spellings_;
};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  /// Closes now, so that the caller can see the result.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

// Removes the temporary file unless the replace went through.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) { NoteTemporaryFile(path_); }
  ~TemporaryFile() {
    if (!path_.empty()) unlink(path_.c_str());
    ForgetTemporaryFile();
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;  // no byte taken and no error named: no room
    if (n <= 0) return false;
    text.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool ReadAll(int fd, char* buffer, size_t size) {
  while (size != 0) {
    const ssize_t n = read(fd, buffer, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    buffer += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void SyncDirectory(const std::string& directory) {
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);  // some file systems cannot; the rename itself has happened
  close(fd);
}

std::string RealPath(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string result(resolved);
  free(resolved);
  return result;
}

FileResult RealPosixFileSystem::ReadWholeFile(const std::string& path,
                                              std::string* bytes) {
  // Non-blocking, so that a FIFO in a script's place cannot stall the run.
  FileDescriptor file(
      open(ResolveNameCase(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) return FileResult::Failed(Step::kOpen, errno);
  struct stat status;
  if (fstat(file.get(), &status) != 0)
    return FileResult::Failed(Step::kOpen, errno);
  if (S_ISDIR(status.st_mode)) return FileResult::Failed(Step::kOpen, EISDIR);
  if (!S_ISREG(status.st_mode)) return FileResult::Failed(Step::kOpen, EINVAL);
  if (status.st_size > INT32_MAX) throw std::bad_alloc();

  bytes->assign(static_cast<size_t>(status.st_size), '\0');
  if (!ReadAll(file.get(), bytes->data(), bytes->size()))
    return FileResult::Failed(Step::kRead, errno);
  return FileResult::Done();
}

FileResult RealPosixFileSystem::ReplaceFile(const std::string& path,
                                            std::string_view text) {
  std::string target = ResolveNameCase(path);
  struct stat status;
  const bool exists = stat(target.c_str(), &status) == 0;
  if (exists) {
    target = RealPath(target);  // a link's file is replaced, not the link
    if (S_ISDIR(status.st_mode)) return FileResult::Failed(Step::kCreate, EISDIR);
    if (!S_ISREG(status.st_mode)) return FileResult::Failed(Step::kCreate, EINVAL);
    // Root may write anything; a file without any write bit is still taken
    // as read-only, as Windows takes its read-only attribute.
    if ((status.st_mode & 0222) == 0) return FileResult::Failed(Step::kCreate, EACCES);
    if (access(target.c_str(), W_OK) != 0) return FileResult::Failed(Step::kCreate, errno);
  }

  const SplitPath split = SplitAtLastSlash(target);
  std::string pattern = split.directory + "/.vornix-XXXXXX";
  // An interrupt must not come between making the file and noting it.
  sigset_t interrupts, before;
  sigemptyset(&interrupts);
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&interrupts, signal_number);
  sigprocmask(SIG_BLOCK, &interrupts, &before);
  FileDescriptor file(mkostemp(pattern.data(), O_CLOEXEC));
  const int error = errno;
  std::optional<TemporaryFile> temporary;
  if (file.get() >= 0) temporary.emplace(pattern);
  sigprocmask(SIG_SETMASK, &before, nullptr);
  if (!temporary) return FileResult::Failed(Step::kCreate, error);

  if (!WriteAll(file.get(), text) || fsync(file.get()) != 0)
    return FileResult::Failed(Step::kWrite, errno);
  // The owner first: a change of owner clears the set-user-ID and
  // set-group-ID bits that the mode then sets again.
  if (exists && geteuid() == 0) {
    if (fchown(file.get(), status.st_uid, status.st_gid) != 0) {
      // Keeping the owner is a courtesy; the text is what must arrive.
    }
  }
  fchmod(file.get(), exists ? status.st_mode & 07777 : NewFileMode());
  if (!file.Close()) return FileResult::Failed(Step::kWrite, errno);
  if (rename(temporary->path().c_str(), target.c_str()) != 0)
    return FileResult::Failed(Step::kCreate, errno);
  temporary->Keep();
  SyncDirectory(split.directory);
  return FileResult::Done();
}

}  // namespace

FileSystem& RealFileSystem() {
  static RealPosixFileSystem fs;
  return fs;
}

}  // namespace vornix
