// Linux: the standard streams are file descriptors 0, 1 and 2.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/console/std_handles.h"

namespace vornix {

namespace {

class PosixStdHandle : public StdHandle {
 public:
  explicit PosixStdHandle(int fd) : fd_(fd) {}

  Type Acquire() override {
    struct stat status;
    if (fstat(fd_, &status) != 0) return Type::kMissing;
    return S_ISCHR(status.st_mode) ? Type::kCharacter : Type::kOther;
  }

  void Release() override {}

  bool Write(const char* data, size_t size, int32_t* error) override {
    for (;;) {
      if (write(fd_, data, size) >= 0) return true;
      if (errno != EINTR) break;
    }
    *error = errno;
    return false;
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
  while (write(fd, data, size) < 0 && errno == EINTR) {
  }
}

}  // namespace

void WriteStdError(const char* data, size_t size) { WriteStd(STDERR_FILENO, data, size); }
void WriteStdOutput(const char* data, size_t size) { WriteStd(STDOUT_FILENO, data, size); }

std::string_view ConsoleLineEnd() { return "\n"; }

}  // namespace vornix
