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

/// Writes every line followed by CR LF, replacing the file in one step.
/// Raises EFCreateError or EWriteError; the file is unchanged after a failure.
void SaveLines(const LineList& lines, const std::string& path, FileSystem& fs);

}  // namespace vornix

#endif  // VORNIX_HOST_FILES_SCRIPT_FILES_H_
