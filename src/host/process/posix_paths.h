// The paths that POSIX calls report, of any length: a link's target and
// the current directory. Linux only.
#ifndef VORNIX_HOST_PROCESS_POSIX_PATHS_H_
#define VORNIX_HOST_PROCESS_POSIX_PATHS_H_

#include <string>

namespace vornix {

/// The target of a symbolic link, of any length; empty on failure.
std::string ReadLink(const char* path);
/// The current directory, of any length; empty when it has none.
std::string CurrentDirectory();

}  // namespace vornix

#endif  // VORNIX_HOST_PROCESS_POSIX_PATHS_H_
