// Linux: the standard streams are file descriptors 0, 1 and 2.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/console/std_handles.h"

namespace vornix {

namespace {

// One write, an interrupted one tried again. A write that takes no byte is
// a full device, as a short write to a full disk is.
bool WriteOnce(int fd, const char* data, size_t size, size_t* written, int32_t* error) {
  ssize_t n;
  while ((n = write(fd, data, size)) < 0 && errno == EINTR) {
  }
  if (n > 0) {
    *written = static_cast<size_t>(n);
    return true;
  }
  *error = n == 0 ? ENOSPC : errno;
  return false;
}

class PosixStdHandle : public StdHandle {
 public:
  explicit PosixStdHandle(int fd) : fd_(fd) {}

  Type Acquire() override {
    struct stat status;
    if (fstat(fd_, &status) != 0) return Type::kMissing;
    return S_ISCHR(status.st_mode) ? Type::kCharacter : Type::kOther;
  }

  void Release() override {}

  bool Write(const char* data, size_t size, size_t* written, int32_t* error) override {
    return WriteOnce(fd_, data, size, written, error);
  }

  bool Read(char* buffer, size_t size, size_t* count, int32_t* error) override {
    for (;;) {
      const ssize_t n = read(fd_, buffer, size);
      if (n >= 0) {
        *count = static_cast<size_t>(n);
        return true;
      }
      if (errno != EINTR) break;
    }
    *error = errno;
    return false;
  }

 private:
  int fd_;
};

}  // namespace

StdHandle& StdInputHandle() {
  static PosixStdHandle handle(STDIN_FILENO);
  return handle;
}

StdHandle& StdOutputHandle() {
  static PosixStdHandle handle(STDOUT_FILENO);
  return handle;
}

namespace {

void WriteStd(int fd, const char* data, size_t size) {
  size_t written = 0;
  int32_t error = 0;
  for (; size != 0 && WriteOnce(fd, data, size, &written, &error); data += written, size -= written) {
  }
}

}  // namespace

void WriteStdError(const char* data, size_t size) { WriteStd(STDERR_FILENO, data, size); }
void WriteStdOutput(const char* data, size_t size) { WriteStd(STDOUT_FILENO, data, size); }

std::string_view ConsoleLineEnd() { return "\n"; }

}  // namespace vornix
