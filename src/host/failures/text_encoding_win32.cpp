// Windows: the ANSI code page for texts, the OEM code page for the console.
#include <windows.h>

#include <cstring>

#include "host/failures/text_encoding.h"

namespace vornix {

size_t EncodeText(std::u16string_view text, char* out, size_t capacity) {
  const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
  for (int length = static_cast<int>(text.size()); length > 0; --length) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, out,
                                         static_cast<int>(capacity), nullptr,
                                         nullptr);
    if (size > 0) return static_cast<size_t>(size);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return 0;
  }
  return 0;
}

size_t ToConsoleEncoding(char* text, size_t size, size_t capacity) {
  // Fixed areas, so that a report of exhausted memory can be converted.
  static wchar_t wide[1024];
  static char oem[sizeof wide];
  const int length = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(size),
                                         wide, sizeof wide / sizeof *wide);
  if (length <= 0) return size;
  const int converted = WideCharToMultiByte(CP_OEMCP, 0, wide, length, oem,
                                            sizeof oem, nullptr, nullptr);
  if (converted <= 0 || static_cast<size_t>(converted) > capacity) return size;
  std::memcpy(text, oem, static_cast<size_t>(converted));
  return static_cast<size_t>(converted);
}

}  // namespace vornix
