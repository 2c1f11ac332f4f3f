// Windows: the standard handles, the code pages of texts and error codes.
#include <windows.h>

#include <cstring>

#include "host/console.h"
#include "host/failure_report.h"
#include "host/message_catalogue.h"

namespace vornix {

namespace {

class Win32StdHandle : public StdHandle {
 public:
  explicit Win32StdHandle(DWORD which) : which_(which) {}

  Type Acquire() override {
    handle_ = GetStdHandle(which_);
    if (handle_ == INVALID_HANDLE_VALUE) return Type::kMissing;
    switch (GetFileType(handle_)) {
      case FILE_TYPE_CHAR:
        return Type::kCharacter;
      case FILE_TYPE_UNKNOWN:
        return Type::kUnknown;
      default:
        return Type::kOther;
    }
  }

  void Release() override { CloseHandle(handle_); }

  bool Write(const char* data, size_t size, int32_t* error) override {
    DWORD written = 0;
    if (WriteFile(handle_, data, static_cast<DWORD>(size), &written, nullptr))
      return true;
    *error = static_cast<int32_t>(GetLastError());
    return false;
  }

  bool Read(char* buffer, size_t size, size_t* count, int32_t* error) override {
    DWORD read = 0;
    if (ReadFile(handle_, buffer, static_cast<DWORD>(size), &read, nullptr)) {
      *count = read;
      return true;
    }
    const DWORD code = GetLastError();
    if (code == ERROR_BROKEN_PIPE) {
      *count = 0;
      return true;
    }
    *error = static_cast<int32_t>(code);
    return false;
  }

 private:
  DWORD which_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

StdHandle& StdInputHandle() {
  static Win32StdHandle handle(STD_INPUT_HANDLE);
  return handle;
}

StdHandle& StdOutputHandle() {
  static Win32StdHandle handle(STD_OUTPUT_HANDLE);
  return handle;
}

void WriteStdError(const char* data, size_t size) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), data, static_cast<DWORD>(size),
            &written, nullptr);
}

std::string_view ConsoleLineEnd() { return "\r\n"; }

const NamedIOError kNamedIOErrors[] = {
    {2, static_cast<uint16_t>(MessageId::kFileNotFound)},
    {3, static_cast<uint16_t>(MessageId::kBadFileName)},
    {4, static_cast<uint16_t>(MessageId::kTooManyOpenFiles)},
    {5, static_cast<uint16_t>(MessageId::kAccessDenied)},
    {100, static_cast<uint16_t>(MessageId::kReadBeyondEnd)},
    {101, static_cast<uint16_t>(MessageId::kDiskFull)},
    {106, static_cast<uint16_t>(MessageId::kBadNumericInput)},
};
const size_t kNamedIOErrorCount = sizeof kNamedIOErrors / sizeof *kNamedIOErrors;

// Texts are handed out in the ANSI code page, as the system's string loader
// does; what does not fit is cut at a whole character.
size_t HandOutText(std::u16string_view text, char* out, size_t capacity) {
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

size_t ConvertReportEncoding(char* text, size_t size, size_t capacity) {
  static wchar_t wide[kReportCapacity];
  const int length = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(size),
                                         wide, kReportCapacity);
  if (length <= 0) return size;
  static char oem[kReportCapacity];
  const int converted =
      WideCharToMultiByte(CP_OEMCP, 0, wide, length, oem, sizeof oem, nullptr,
                          nullptr);
  if (converted <= 0 || static_cast<size_t>(converted) > capacity) return size;
  std::memcpy(text, oem, static_cast<size_t>(converted));
  return static_cast<size_t>(converted);
}

}  // namespace vornix
