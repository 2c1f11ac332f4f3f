// The console: standard output and standard input as buffered text streams.
// Stream operations never raise; they record an error code, and the caller
// calls CheckIO after every line written and after the pause's read, which
// turns a recorded code into an EInOutError.
#ifndef VORNIX_HOST_CONSOLE_H_
#define VORNIX_HOST_CONSOLE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vornix {

/// A standard handle as the streams see it. Abstract so that tests can count
/// the platform calls and make them fail; one real implementation per
/// platform.
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
  /// One write call for all of `size` bytes. On failure, false and the
  /// platform's error code.
  virtual bool Write(const char* data, size_t size, int32_t* error) = 0;
  /// One read call for up to `size` bytes; a broken pipe reads 0 bytes.
  virtual bool Read(char* buffer, size_t size, size_t* count,
                    int32_t* error) = 0;
};

/// Error codes of the streams themselves.
constexpr int32_t kErrorNotOpenForInput = 104;
constexpr int32_t kErrorNotOpenForOutput = 105;

class TextStream {
 public:
  static constexpr size_t kBufferSize = 128;
  enum class Direction { kInput, kOutput };

  TextStream(StdHandle& handle, Direction direction, int32_t* io_error_code)
      : handle_(handle), direction_(direction), io_error_code_(io_error_code) {}

  /// Output: one chunk of bytes; the buffer leaves in whole blocks.
  void WriteChunk(std::string_view bytes);
  /// Output: writes the held bytes now if the stream writes through.
  void EndLine();
  /// Output: writes the held bytes now.
  void Flush();
  /// Input: consumes one line (up to LF or CR LF, or the end of input).
  void ReadLine();
  /// The end of the run: output writes its held bytes; failure is ignored.
  void Close();

 private:
  static constexpr int kEndOfInput = -1;
  bool EnsureOpen();
  bool WriteHeld();
  int ReadByte();
  bool Refill();

  StdHandle& handle_;
  const Direction direction_;
  int32_t* const io_error_code_;
  bool open_ = false;
  bool write_through_ = false;
  size_t position_ = 0;
  size_t end_ = 0;
  char buffer_[kBufferSize];
};

class Console {
 public:
  /// `line_end` ends every line printed: CR LF on Windows, LF on Linux.
  Console(StdHandle& input, StdHandle& output, std::string_view line_end)
      : input_(input, TextStream::Direction::kInput, &io_error_code_),
        output_(output, TextStream::Direction::kOutput, &io_error_code_),
        line_end_(line_end) {}

  /// The text and the line end; never raises.
  void WriteLine(std::string_view text);
  /// Reads one line of standard input and discards it; never raises.
  void ReadLine() { input_.ReadLine(); }
  /// Raises EInOutError for a recorded error code and clears the code.
  void CheckIO();
  void FlushOutput() { output_.Flush(); }
  /// Writes out what standard output still holds; a failure is ignored.
  void Close();

  int32_t IOErrorCode() const { return io_error_code_; }
  void ClearIOError() { io_error_code_ = 0; }
  std::string_view LineEnd() const { return line_end_; }

 private:
  int32_t io_error_code_ = 0;
  TextStream input_;
  TextStream output_;
  std::string_view line_end_;
};

/// An error code with a catalogue text of its own (MessageId value).
struct NamedIOError {
  int32_t code;
  uint16_t message_id;
};
/// The platform's named codes, in the order they are searched.
extern const NamedIOError kNamedIOErrors[];
extern const size_t kNamedIOErrorCount;

/// The message of an EInOutError: the platform's named codes have texts of
/// their own, every other code is "Ошибка ввода/вывода" with the number.
std::string InOutErrorMessage(int32_t code);

/// The real standard handles (one implementation per platform).
StdHandle& StdInputHandle();
StdHandle& StdOutputHandle();
/// Writes to standard error with one call; the result is not looked at.
void WriteStdError(const char* data, size_t size);
/// The line end of the platform's console.
std::string_view ConsoleLineEnd();

}  // namespace vornix

#endif  // VORNIX_HOST_CONSOLE_H_
