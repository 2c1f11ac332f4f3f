// The Russian texts of the failure reports, keyed by number, and the filling
// of their placeholders. Texts are held as UTF-16 and handed out in the
// platform's 8-bit encoding (the ANSI code page on Windows, UTF-8 on Linux).
#ifndef VORNIX_HOST_MESSAGE_CATALOGUE_H_
#define VORNIX_HOST_MESSAGE_CATALOGUE_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

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
};

/// Texts are handed out cut to this many bytes, as the system's string
/// loader does.
constexpr size_t kCatalogueTextLimit = 4095;

/// Writes the text into `out` (no terminator) and returns its length.
/// Allocates nothing, so it can serve a report of exhausted memory.
size_t CatalogueText(MessageId id, char* out, size_t capacity);
std::string CatalogueText(MessageId id);

/// Converts catalogue text to the platform's 8-bit encoding (one function
/// per platform): at most `capacity` bytes, returns the count written.
size_t HandOutText(std::u16string_view text, char* out, size_t capacity);

/// One value for a placeholder: %s takes text, %d a signed number, %p an
/// address written as eight or more upper-case hexadecimal digits.
struct TemplateValue {
  TemplateValue(std::string_view value) : text(value) {}
  TemplateValue(const char* value) : text(value) {}
  TemplateValue(const std::string& value) : text(value) {}
  TemplateValue(int64_t value) : number(value) {}
  TemplateValue(int value) : number(value) {}
  static TemplateValue Hex(uint64_t value) {
    TemplateValue v(static_cast<int64_t>(0));
    v.hex = value;
    v.is_hex = true;
    return v;
  }
  std::string_view text;
  int64_t number = 0;
  uint64_t hex = 0;
  bool is_hex = false;
};

/// Fills %s, %d and %p in order from `values`; "%%" stands for "%". Writes at
/// most `capacity` bytes, cutting what does not fit; returns the count.
size_t FillTemplate(std::string_view pattern,
                    std::initializer_list<TemplateValue> values, char* out,
                    size_t capacity);
std::string FillTemplate(std::string_view pattern,
                         std::initializer_list<TemplateValue> values);

}  // namespace vornix

#endif  // VORNIX_HOST_MESSAGE_CATALOGUE_H_
