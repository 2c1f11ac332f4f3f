// Windows: FormatMessage's texts in the system's language, and the codes of
// the runtime's console errors.
#include <windows.h>

#include "host/failures/system_errors.h"

namespace vornix {

std::string PlatformErrorText(int32_t code) {
  char text[256];
  const DWORD size = FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
          FORMAT_MESSAGE_ARGUMENT_ARRAY,
      nullptr, static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
  return std::string(text, size);
}

NamedError NameOfError(int32_t code) {
  switch (code) {
    case 2:
      return NamedError::kFileNotFound;
    case 3:
      return NamedError::kBadFileName;
    case 4:
      return NamedError::kTooManyOpenFiles;
    case 5:
      return NamedError::kAccessDenied;
    case 100:
      return NamedError::kReadBeyondEnd;
    case 101:
      return NamedError::kDiskFull;
    case 106:
      return NamedError::kBadNumericInput;
    default:
      return NamedError::kNone;
  }
}

}  // namespace vornix
