// The console: standard output and standard input as buffered text streams.
// Stream operations never raise; they record an error code, and the caller
// calls CheckIO after every line written and after the pause's read, which
// turns a recorded code into an EInOutError.
#ifndef VORNIX_HOST_CONSOLE_CONSOLE_H_
#define VORNIX_HOST_CONSOLE_CONSOLE_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "host/console/std_handles.h"

namespace vornix {

/// Error codes of the streams themselves.
constexpr int32_t kErrorNotOpenForInput = 104;
constexpr int32_t kErrorNotOpenForOutput = 105;

class TextStream {
 public:
  static constexpr size_t kBufferSize = 128;
  enum class Direction { kInput,
                         kOutput };

  TextStream(StdHandle& handle, Direction direction, int32_t* io_error_code)
      : handle_(handle), direction_(direction), io_error_code_(io_error_code) {}

  /// Output: one chunk of bytes; the buffer leaves in whole blocks. False
  /// when a write failed or the stream is not open: the rest is dropped.
  bool WriteChunk(std::string_view bytes) {
    if (!open_ || bytes.size() >= kBufferSize - position_) return WriteBlocks(bytes);
    if (!bytes.empty()) std::memcpy(buffer_ + position_, bytes.data(), bytes.size());  // fits: held
    position_ += bytes.size();
    return true;
  }
  /// Output: writes the held bytes now if the stream is an interactive
  /// console, so that each line leaves in one call.
  void FlushIfWriteThrough();
  /// Output: writes the held bytes now.
  void Flush();
  /// Input: consumes one line (up to LF or CR LF, or the end of input).
  void ReadLine();
  /// The end of the run: output writes its held bytes; failure is ignored.
  void Close();

 private:
  static constexpr int kEndOfInput = -1;
  bool EnsureOpen();
  bool WriteBlocks(std::string_view bytes);  // a chunk that fills the buffer, or the first
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
  void WriteLine(std::string_view text) { WriteLine({text}); }
  /// The pieces one after the other as one line's text: what the text
  /// they make would print, byte for byte.
  void WriteLine(std::initializer_list<std::string_view> pieces);
  /// Reads one line of standard input and discards it; never raises.
  void ReadLine() { input_.ReadLine(); }
  /// Raises EInOutError for a recorded error code and clears the code.
  void CheckIO();
  /// WriteLine and CheckIO: how every line of the program is printed, so
  /// that a failed line ends the run before the next is tried.
  void Print(std::string_view text) {
    WriteLine(text);
    CheckIO();
  }
  void Print(std::initializer_list<std::string_view> pieces) {
    WriteLine(pieces);
    CheckIO();
  }
  void FlushOutput() { output_.Flush(); }
  /// Writes out what standard output still holds; a failure is ignored.
  void Close();

 private:
  int32_t io_error_code_ = 0;
  TextStream input_;
  TextStream output_;
  std::string_view line_end_;
};

}  // namespace vornix

#endif  // VORNIX_HOST_CONSOLE_CONSOLE_H_
