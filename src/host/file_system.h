// What the program needs from the file system. Abstract so that the line-list
// files and the run can be tested against an in-memory file system; the real
// implementation is RealFileSystem(), one per platform.
#ifndef VORNIX_HOST_FILE_SYSTEM_H_
#define VORNIX_HOST_FILE_SYSTEM_H_

#include <optional>
#include <string>
#include <string_view>

namespace vornix {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  /// The path names an existing entry that is not a directory.
  virtual bool FileIsPresent(const std::string& path) = 0;

  /// The file's bytes, read whole. Raises EFOpenError when it cannot be
  /// opened and EReadError when fewer bytes arrive than the file holds.
  virtual std::string ReadWholeFile(const std::string& path) = 0;

  /// Puts `text` in place of the file in one step: afterwards the file holds
  /// either its old bytes or exactly `text`, never a part. Raises
  /// EFCreateError (no new file can be made, or the target is read-only or
  /// cannot be replaced) and EWriteError (the bytes could not be written or
  /// forced to disk).
  virtual void ReplaceFile(const std::string& path, std::string_view text) = 0;

  /// The absolute form of `text`; nothing when the platform cannot resolve
  /// it.
  virtual std::optional<std::string> FullPathOf(const std::string& text) = 0;
};

FileSystem& RealFileSystem();

}  // namespace vornix

#endif  // VORNIX_HOST_FILE_SYSTEM_H_
