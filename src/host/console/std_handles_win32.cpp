// Windows: the standard handles of the process.
#include <windows.h>

#include "host/console/std_handles.h"

namespace vornix {

namespace {

// The runtime's code for a write that took fewer bytes than it was given:
// "disk full".
constexpr int32_t kErrorShortWrite = 101;

// One write. A write that takes no byte fails as the runtime's short write.
bool WriteOnce(HANDLE handle, const char* data, size_t size, size_t* written, int32_t* error) {
  DWORD count = 0;
  if (!WriteFile(handle, data, static_cast<DWORD>(size), &count, nullptr)) {
    *error = static_cast<int32_t>(GetLastError());
    return false;
  }
  *written = count;
  if (count == 0) *error = kErrorShortWrite;
  return count != 0;
}

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

  bool Write(const char* data, size_t size, size_t* written, int32_t* error) override {
    return WriteOnce(handle_, data, size, written, error);
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
  const HANDLE handle = GetStdHandle(which);
  size_t written = 0;
  int32_t error = 0;
  for (; size != 0 && WriteOnce(handle, data, size, &written, &error); data += written, size -= written) {
  }
}

}  // namespace

void WriteStdError(const char* data, size_t size) { WriteStd(STD_ERROR_HANDLE, data, size); }
void WriteStdOutput(const char* data, size_t size) { WriteStd(STD_OUTPUT_HANDLE, data, size); }

std::string_view ConsoleLineEnd() { return "\r\n"; }

}  // namespace vornix
