// Linux: the file system. The fixed script names are found ignoring ASCII
// case, so a source copied from a CD in upper case reads and writes the same
// files as on Windows; a save goes through a temporary file and a rename.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

  FileResult ReadWholeFile(const std::string& path, FileBytes* bytes) override;
  FileResult ReplaceFile(const std::string& path,
                         const std::vector<std::string_view>& pieces) override;

  FileResult CheckReplaceable(const std::string& path) override {
    struct stat status;
    if (lstat(ResolveNameCase(path).c_str(), &status) == 0 && S_ISLNK(status.st_mode))
      return FileResult::Failed(Step::kCreate, ELOOP);  // as opening it without following says
    return FileResult::Done();
  }

  // An advisory lock on the directory, which the system drops with the last
  // descriptor, so also when the process dies. Only a lock held elsewhere
  // stops the run: a directory that cannot be opened or locked here (no
  // read permission, a network file system without locks) cannot be held,
  // and its saves fail, or not, on their own.
  FileResult HoldDirectory(const std::string& directory, std::string* held) override {
    *held = directory;
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return FileResult::Done();
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      close(fd);
      return error == EWOULDBLOCK ? FileResult::Failed(Step::kOpen, error) : FileResult::Done();
    }
    held_ = fd;
    return FileResult::Done();
  }

  void ReleaseDirectory() override {
    if (held_ >= 0) close(held_);
    held_ = -1;
  }

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
  int held_ = -1;
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
  bool Close() { return close(std::exchange(fd_, -1)) == 0; }

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

// Gathers the pieces, IOV_MAX at a time, and goes on after a short write.
bool WriteAll(int fd, const std::vector<std::string_view>& pieces) {
  std::vector<iovec> rest;
  rest.reserve(pieces.size());
  for (const std::string_view piece : pieces)
    if (!piece.empty())
      rest.push_back(iovec{const_cast<char*>(piece.data()), piece.size()});
  for (size_t first = 0; first < rest.size();) {
    const int count = static_cast<int>(std::min<size_t>(rest.size() - first, IOV_MAX));
    ssize_t n = writev(fd, rest.data() + first, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    for (; first < rest.size() && static_cast<size_t>(n) >= rest[first].iov_len; ++first)
      n -= static_cast<ssize_t>(rest[first].iov_len);
    if (n > 0) {
      rest[first].iov_base = static_cast<char*>(rest[first].iov_base) + n;
      rest[first].iov_len -= static_cast<size_t>(n);
    }
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

// The old file's extended attributes, by name, its POSIX ACL among them.
using Attributes = std::vector<std::pair<std::string, std::string>>;
constexpr char kAccessAcl[] = "system.posix_acl_access";

// A list or value whose size may change between asking for it and taking it.
template <class Call>
bool ReadSized(Call call, std::string* out) {
  for (;;) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0) return false;
    out->resize(static_cast<size_t>(size));
    const ssize_t got = call(out->data(), out->size());
    if (got >= 0) {
      out->resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;
  }
}

// False with errno when they cannot be read; none where the file system
// keeps none.
bool ReadAttributes(int fd, Attributes* attributes) {
  std::string names;
  if (!ReadSized([fd](char* buffer, size_t size) { return flistxattr(fd, buffer, size); }, &names))
    return errno == ENOTSUP;
  for (size_t at = 0; at < names.size();) {
    const size_t end = std::min(names.find('\0', at), names.size());
    const std::string name = names.substr(at, end - at);
    at = end + 1;
    std::string value;
    if (ReadSized([&](char* buffer, size_t size) { return fgetxattr(fd, name.c_str(), buffer, size); }, &value))
      attributes->emplace_back(name, std::move(value));
    else if (errno != ENODATA)  // ENODATA: removed meanwhile
      return false;
  }
  return true;
}

// Gives the new file the old one's owner, mode, ACL and other attributes, in
// that order: a change of owner clears the set-ID bits and the file
// capabilities, and a mode set after the ACL would rewrite its mask. False
// with errno when what decides who may do what cannot be carried over: the
// owner, the mode, the ACL (a "system." attribute). Other attributes go
// where the file system takes them.
bool CarryRights(int fd, const struct stat& old, const Attributes& attributes) {
  struct stat now;
  if (fstat(fd, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && fchown(fd, old.st_uid, old.st_gid) != 0)
    return false;
  // An ACL the directory handed down to the new file is not the old one's.
  bool has_acl = false;
  for (const auto& attribute : attributes) has_acl = has_acl || attribute.first == kAccessAcl;
  if (!has_acl && fremovexattr(fd, kAccessAcl) != 0 && errno != ENODATA && errno != ENOTSUP) return false;
  if (fchmod(fd, old.st_mode & 07777) != 0) return false;
  for (const auto& [name, value] : attributes) {
    if (fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0 && name.rfind("system.", 0) == 0)
      return false;
  }
  return true;
}

FileResult RealPosixFileSystem::ReadWholeFile(const std::string& path,
                                              FileBytes* bytes) {
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

  bytes->size = static_cast<size_t>(status.st_size);
  bytes->data.reset(new char[bytes->size]);
  if (!ReadAll(file.get(), bytes->data.get(), bytes->size))
    return FileResult::Failed(Step::kRead, errno);
  return FileResult::Done();
}

FileResult RealPosixFileSystem::ReplaceFile(
    const std::string& path, const std::vector<std::string_view>& pieces) {
  const std::string target = ResolveNameCase(path);
  // The old file itself, never one a link leads to (that open fails, ELOOP):
  // what it allows is what the new one may allow.
  FileDescriptor old(open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  const bool exists = old.get() >= 0;
  if (!exists && errno != ENOENT) return FileResult::Failed(Step::kCreate, errno);
  struct stat status = {};
  Attributes attributes;
  if (exists) {
    if (fstat(old.get(), &status) != 0) return FileResult::Failed(Step::kCreate, errno);
    if (S_ISDIR(status.st_mode)) return FileResult::Failed(Step::kCreate, EISDIR);
    if (!S_ISREG(status.st_mode)) return FileResult::Failed(Step::kCreate, EINVAL);
    // Root may write anything; a file without any write bit is still taken
    // as read-only, as Windows takes its read-only attribute.
    if ((status.st_mode & 0222) == 0) return FileResult::Failed(Step::kCreate, EACCES);
    if (access(target.c_str(), W_OK) != 0 || !ReadAttributes(old.get(), &attributes))
      return FileResult::Failed(Step::kCreate, errno);
  }

  const SplitPath split = SplitAtLastSlash(target);
  std::string pattern = split.directory + "/.vornix-XXXXXX";
  std::optional<FileDescriptor> file;
  std::optional<TemporaryFile> temporary;
  {
    const InterruptsDeferred deferred;
    file.emplace(mkostemp(pattern.data(), O_CLOEXEC));
    if (file->get() < 0) return FileResult::Failed(Step::kCreate, errno);
    temporary.emplace(pattern);
  }

  if (!WriteAll(file->get(), pieces)) return FileResult::Failed(Step::kWrite, errno);
  // After the bytes: a write clears file capabilities.
  if (exists ? !CarryRights(file->get(), status, attributes) : fchmod(file->get(), NewFileMode()) != 0)
    return FileResult::Failed(Step::kCreate, errno);
  if (fsync(file->get()) != 0 || !file->Close()) return FileResult::Failed(Step::kWrite, errno);
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
