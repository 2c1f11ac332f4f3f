// Windows: the standard handles of the process.
#include <windows.h>

#include "host/console/std_handles.h"

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

namespace {

void WriteStd(DWORD which, const char* data, size_t size) {
  DWORD written = 0;
  WriteFile(GetStdHandle(which), data, static_cast<DWORD>(size), &written, nullptr);
}

}  // namespace

void WriteStdError(const char* data, size_t size) { WriteStd(STD_ERROR_HANDLE, data, size); }
void WriteStdOutput(const char* data, size_t size) { WriteStd(STD_OUTPUT_HANDLE, data, size); }

std::string_view ConsoleLineEnd() { return "\r\n"; }

}  // namespace vornix
