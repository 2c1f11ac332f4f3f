// The process's standard handles as the console streams see them. The
// streams take them through StdHandle, so that tests can count the platform
// calls and make them fail; the real handles come from the platform's file.
#ifndef VORNIX_HOST_CONSOLE_STD_HANDLES_H_
#define VORNIX_HOST_CONSOLE_STD_HANDLES_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vornix {

class StdHandle {
 public:
  enum class Type {
    kMissing,    // the process has no such handle
    kUnknown,    // a handle of no known type
    kCharacter,  // an interactive console (or another character device)
    kOther,      // a file or a pipe
  };
  virtual ~StdHandle() = default;
  /// Takes the handle from the process and tells its type.
  virtual Type Acquire() = 0;
  /// Lets go of a handle of unknown type.
  virtual void Release() = 0;
  /// One write call for up to `size` bytes: true and the count written, at
  /// least one byte; or false and the platform's error code, also for a call
  /// that wrote nothing.
  virtual bool Write(const char* data, size_t size, size_t* written,
                     int32_t* error) = 0;
  /// One read call for up to `size` bytes; a broken pipe reads 0 bytes.
  virtual bool Read(char* buffer, size_t size, size_t* count,
                    int32_t* error) = 0;
};

StdHandle& StdInputHandle();
StdHandle& StdOutputHandle();
/// Writes to standard error, or past the streams to standard output, until
/// every byte is written or a write fails; the result is not looked at.
void WriteStdError(const char* data, size_t size);
void WriteStdOutput(const char* data, size_t size);
/// The line end of the platform's console: CR LF on Windows, LF on Linux.
std::string_view ConsoleLineEnd();

}  // namespace vornix

#endif  // VORNIX_HOST_CONSOLE_STD_HANDLES_H_
