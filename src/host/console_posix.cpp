// Linux: the standard streams, message encoding and error codes.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/console.h"
#include "host/failure_report.h"
#include "host/message_catalogue.h"

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

size_t Utf8Length(char32_t c) {
  return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

}  // namespace

StdHandle& StdInputHandle() {
  static PosixStdHandle handle(STDIN_FILENO);
  return handle;
}

StdHandle& StdOutputHandle() {
  static PosixStdHandle handle(STDOUT_FILENO);
  return handle;
}

void WriteStdError(const char* data, size_t size) {
  while (write(STDERR_FILENO, data, size) < 0 && errno == EINTR) {
  }
}

std::string_view ConsoleLineEnd() { return "\n"; }

// errno values with a text of their own; the rest are numbered I/O errors.
const NamedIOError kNamedIOErrors[] = {
    {ENOENT, static_cast<uint16_t>(MessageId::kFileNotFound)},
    {EMFILE, static_cast<uint16_t>(MessageId::kTooManyOpenFiles)},
    {EACCES, static_cast<uint16_t>(MessageId::kAccessDenied)},
    {ENOSPC, static_cast<uint16_t>(MessageId::kDiskFull)},
};
const size_t kNamedIOErrorCount = sizeof kNamedIOErrors / sizeof *kNamedIOErrors;

// Linux texts are UTF-8 with LF line ends.
size_t HandOutText(std::u16string_view text, char* out, size_t capacity) {
  size_t size = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() &&
        text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    const size_t length = Utf8Length(c);
    if (size + length > capacity) break;
    if (length == 1) {
      out[size] = static_cast<char>(c);
    } else {
      for (size_t k = length - 1; k > 0; --k) {
        out[size + k] = static_cast<char>(0x80 | (c & 0x3F));
        c >>= 6;
      }
      static const unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
      out[size] = static_cast<char>(kLead[length] | c);
    }
    size += length;
  }
  return size;
}

size_t ConvertReportEncoding(char*, size_t size, size_t) { return size; }

}  // namespace vornix
