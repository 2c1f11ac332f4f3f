// Loading a script or side file into a line list, and saving a list in place
// of a script: where what the file system meets becomes a failure.
#ifndef VORNIX_HOST_FILES_SCRIPT_FILES_H_
#define VORNIX_HOST_FILES_SCRIPT_FILES_H_

#include <string>

namespace vornix {

class FileSystem;
class LineList;

/// Replaces the content of `lines` by the lines of the file. Raises
/// EFOpenError, EReadError or EFileFormatError; the list is unchanged after a
/// failure.
void LoadLines(LineList& lines, const std::string& path, FileSystem& fs);
/// Reads the file and raises what LoadLines would, without making lines.
void CheckLines(const std::string& path, FileSystem& fs);

/// Writes every line followed by CR LF, replacing the file in one step.
/// Raises EFCreateError or EWriteError; the file is unchanged after a failure.
void SaveLines(const LineList& lines, const std::string& path, FileSystem& fs);

/// Raises EFCreateError when SaveLines would refuse the file for being a link.
void CheckSaveTarget(const std::string& path, FileSystem& fs);

/// Holds a setup directory for this run alone while it lives. Raises
/// EFOpenError naming what is held when another run holds it.
class SourceHold {
 public:
  SourceHold(const std::string& directory, FileSystem& fs);
  ~SourceHold();
  SourceHold(const SourceHold&) = delete;
  SourceHold& operator=(const SourceHold&) = delete;

 private:
  FileSystem& fs_;
};

}  // namespace vornix

#endif  // VORNIX_HOST_FILES_SCRIPT_FILES_H_
