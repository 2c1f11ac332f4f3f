// The system's error codes as the failure messages need them: the system's
// own words for a code, and the codes that have a text of their own in the
// message catalogue. One implementation per platform; the codes are
// GetLastError's on Windows and errno values on Linux.
#ifndef VORNIX_HOST_FAILURES_SYSTEM_ERRORS_H_
#define VORNIX_HOST_FAILURES_SYSTEM_ERRORS_H_

#include <cstdint>
#include <string>

namespace vornix {

/// The system's text for `code` as the system words it, line end and final
/// period included; empty when the system has none.
std::string PlatformErrorText(int32_t code);

/// Console error codes with a text of their own, in catalogue order.
enum class NamedError {
  kNone,
  kFileNotFound,
  kBadFileName,
  kTooManyOpenFiles,
  kAccessDenied,
  kReadBeyondEnd,
  kDiskFull,
  kBadNumericInput,
  kCount,  // not a code: the number of the above
};
NamedError NameOfError(int32_t code);

}  // namespace vornix

#endif  // VORNIX_HOST_FAILURES_SYSTEM_ERRORS_H_
