// The Russian texts of the failure reports, keyed by number. Texts are held
// as UTF-16 and handed out in the platform's 8-bit encoding (the ANSI code
// page on Windows, UTF-8 on Linux).
#ifndef VORNIX_HOST_FAILURES_MESSAGE_CATALOGUE_H_
#define VORNIX_HOST_FAILURES_MESSAGE_CATALOGUE_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace vornix {

enum class MessageId : uint16_t {
  kFailureReport = 65511,
  kOutOfMemory = 65520,
  kInOutError = 65521,
  kFileNotFound = 65522,
  kBadFileName = 65523,
  kTooManyOpenFiles = 65524,
  kAccessDenied = 65525,
  kReadBeyondEnd = 65526,
  kDiskFull = 65527,
  kBadNumericInput = 65528,
  kFileOpen = 65453,
  kFileCreate = 65452,
  kStreamWrite = 65429,
  kStreamRead = 65430,
  kListIndex = 65425,
  kNotText = 65400,
  kAccessViolation = 65440,
  kReadOf = 65441,
  kWriteOf = 65442,
  kStackOverflow = 65443,
  kDivByZero = 65444,
  kPrivilege = 65445,
  kInPageError = 65446,
  kExternalException = 65447,
};

/// Texts are handed out cut to this many bytes, as the system's string
/// loader does.
constexpr size_t kCatalogueTextLimit = 4095;

/// Writes the text into `out` (no terminator) and returns its length.
/// Allocates nothing, so it can serve a report of exhausted memory.
size_t CatalogueText(MessageId id, char* out, size_t capacity);
std::string CatalogueText(MessageId id);

}  // namespace vornix

#endif  // VORNIX_HOST_FAILURES_MESSAGE_CATALOGUE_H_
