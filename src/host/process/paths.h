// Path rules over 8-bit texts. Windows separates with the backslash, knows
// drive colons, and in a double-byte code page must not take the second byte
// of a character for a separator; Linux separates with "/" and has neither.
#ifndef VORNIX_HOST_PROCESS_PATHS_H_
#define VORNIX_HOST_PROCESS_PATHS_H_

#include <string>
#include <string_view>

#include "host/text/lead_bytes.h"

namespace vornix {

struct PathRules {
  char separator;
  bool drive_colons;
  LeadByteSet lead_bytes;
};

PathRules WindowsPathRules(const LeadByteSet& lead_bytes);
PathRules PosixPathRules();

/// The text less one trailing separator that is a character of its own.
std::string DropTrailingBackslash(std::string_view text,
                                  const PathRules& rules);

/// The directory part of a path: the separator before the file name is
/// dropped, except after a drive colon or another separator (so a root keeps
/// its separator); a path without separator gives the empty text.
std::string DirectoryOf(std::string_view path, const PathRules& rules);

/// The part after the last separator of its own.
std::string_view FileNameOf(std::string_view path, const PathRules& rules);

/// The directory, exactly one separator, the name.
std::string JoinPath(std::string_view directory, std::string_view name,
                     const PathRules& rules);

/// `text` made absolute against `current_dir` (an absolute path), with ".",
/// ".." and repeated "/" resolved as text; links are not looked at. A
/// trailing "/" stays.
std::string ResolvePosixPath(std::string_view current_dir,
                             std::string_view text);

}  // namespace vornix

#endif  // VORNIX_HOST_PROCESS_PATHS_H_
