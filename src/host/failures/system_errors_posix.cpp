// Linux: strerror's English texts; errno values named by meaning.
#include <cerrno>
#include <cstring>

#include "host/failures/system_errors.h"

namespace vornix {

std::string PlatformErrorText(int32_t code) { return std::strerror(code); }

NamedError NameOfError(int32_t code) {
  switch (code) {
    case ENOENT:
      return NamedError::kFileNotFound;
    case EMFILE:
      return NamedError::kTooManyOpenFiles;
    case EACCES:
      return NamedError::kAccessDenied;
    case ENOSPC:
      return NamedError::kDiskFull;
    default:
      return NamedError::kNone;
  }
}

}  // namespace vornix
