// What the program needs from the file system. Operations report what failed
// and leave it to the caller to raise; abstract so that the line-list files
// and the run can be tested against an in-memory file system. The real
// implementation is RealFileSystem(), one per platform.
#ifndef VORNIX_HOST_FILES_FILE_SYSTEM_H_
#define VORNIX_HOST_FILES_FILE_SYSTEM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

/// What a file operation met: the step that failed, if any, and the system's
/// error code for it (0 where the system gave none).
struct FileResult {
  enum class Step {
    kDone,
    kOpen,    // the file could not be opened for reading
    kRead,    // fewer bytes arrived than the file holds
    kCreate,  // no new file could be made, or the target cannot be replaced
    kWrite,   // the new bytes could not be written or forced to disk
  };
  Step failed;  // kDone, the first, when value-initialized
  int32_t error;

  static FileResult Done() { return FileResult{}; }
  static FileResult Failed(Step step, int32_t error) {
    return FileResult{step, error};
  }
};

/// A file's bytes in one buffer that nothing fills before the read does.
struct FileBytes {
  std::unique_ptr<char[]> data;
  size_t size;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  /// The path names an existing entry that is not a directory.
  virtual bool FileIsPresent(const std::string& path) = 0;

  /// The file's bytes, read whole, into `bytes`. A file too large for a
  /// line list (2 GiB or more) is exhausted memory: std::bad_alloc.
  virtual FileResult ReadWholeFile(const std::string& path,
                                   FileBytes* bytes) = 0;

  /// Puts the text that `pieces` make, one after the other, in place of the
  /// file in one step: afterwards the file holds either its old bytes or
  /// exactly that text, never a part. The new file has the old one's owner,
  /// permissions, ACL and extended attributes; when the owner, the
  /// permissions or the ACL cannot be carried over, or the target is
  /// read-only or a link (see CheckReplaceable), it is refused (kCreate).
  virtual FileResult ReplaceFile(const std::string& path,
                                 const std::vector<std::string_view>& pieces) = 0;

  /// A symbolic link or other reparse point cannot be replaced (kCreate):
  /// a save would write through it to a file anywhere, or break it.
  virtual FileResult CheckReplaceable(const std::string& path) = 0;

  /// Holds `directory` for this process alone until ReleaseDirectory or the
  /// end of the process, however it ends: a lock of a run that died never
  /// blocks another. kOpen when another process holds it; `held` names what
  /// is held, for the report. Where the system can keep no such hold, none
  /// is taken, and the run goes on.
  virtual FileResult HoldDirectory(const std::string& directory,
                                   std::string* held) = 0;
  virtual void ReleaseDirectory() = 0;

  /// The absolute form of `text`; nothing when the platform cannot resolve
  /// it.
  virtual std::optional<std::string> FullPathOf(const std::string& text) = 0;
};

FileSystem& RealFileSystem();

}  // namespace vornix

#endif  // VORNIX_HOST_FILES_FILE_SYSTEM_H_
