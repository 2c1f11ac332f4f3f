#include "host/console/console.h"

#include <cstring>

#include "host/failures/failures.h"

namespace vornix {

bool TextStream::EnsureOpen() {
  if (open_) return true;
  const StdHandle::Type type = handle_.Acquire();
  if (direction_ == Direction::kOutput && type == StdHandle::Type::kUnknown)
    handle_.Release();
  open_ = type != StdHandle::Type::kMissing &&
          (direction_ == Direction::kInput || type != StdHandle::Type::kUnknown);
  if (!open_) {
    *io_error_code_ = direction_ == Direction::kInput ? kErrorNotOpenForInput
                                                      : kErrorNotOpenForOutput;
    return false;
  }
  write_through_ = type == StdHandle::Type::kCharacter;
  position_ = end_ = 0;
  return true;
}

// Writes until every held byte is out: a partial write is no success. The
// buffer is emptied whether or not the write succeeds: the text of a failed
// write is lost, and only its error code remains.
bool TextStream::WriteHeld() {
  int32_t error = 0;
  size_t done = 0, count = 0;
  while (done < position_ && handle_.Write(buffer_ + done, position_ - done, &count, &error))
    done += count;
  const bool written = done == position_;
  position_ = 0;
  if (!written) *io_error_code_ = error;
  return written;
}

bool TextStream::WriteBlocks(std::string_view bytes) {
  if (!EnsureOpen()) return false;
  while (bytes.size() >= kBufferSize - position_) {
    const size_t room = kBufferSize - position_;
    std::memcpy(buffer_ + position_, bytes.data(), room);
    bytes.remove_prefix(room);
    position_ = kBufferSize;
    if (!WriteHeld()) return false;  // the rest of this chunk is dropped
  }
  if (!bytes.empty()) std::memcpy(buffer_ + position_, bytes.data(), bytes.size());
  position_ += bytes.size();
  return true;
}

void TextStream::FlushIfWriteThrough() {
  if (open_ && write_through_ && position_ != 0) WriteHeld();
}

void TextStream::Flush() {
  if (direction_ == Direction::kOutput && position_ != 0) WriteHeld();  // held bytes: open
}

void TextStream::Close() {
  Flush();
  open_ = false;
}

bool TextStream::Refill() {
  position_ = end_ = 0;
  size_t count = 0;
  int32_t error = 0;
  if (!handle_.Read(buffer_, kBufferSize, &count, &error)) {
    *io_error_code_ = error;
    return false;
  }
  if (count == 0) {
    // Every later read meets the end at once, without asking the platform.
    buffer_[0] = '\x1A';
    count = 1;
  }
  end_ = count;
  return true;
}

int TextStream::ReadByte() {
  if (!EnsureOpen()) return kEndOfInput;
  if (position_ >= end_ && !Refill()) return kEndOfInput;
  const char c = buffer_[position_];
  if (c == '\x1A') return kEndOfInput;  // not consumed
  ++position_;
  return static_cast<unsigned char>(c);
}

void TextStream::ReadLine() {
  for (;;) {
    const int c = ReadByte();
    if (c == kEndOfInput || c == '\n') return;
    if (c != '\r') continue;
    // A lone CR does not end the line: the byte after it is put back.
    const int next = ReadByte();
    if (next == kEndOfInput || next == '\n') return;
    --position_;
  }
}

void Console::WriteLine(std::initializer_list<std::string_view> pieces) {
  // A piece whose write failed drops the rest of the line's text.
  for (const std::string_view piece : pieces) {
    if (!output_.WriteChunk(piece)) break;
  }
  output_.WriteChunk(line_end_);
  output_.FlushIfWriteThrough();
}

void Console::CheckIO() {
  if (io_error_code_ == 0) return;
  const int32_t code = io_error_code_;
  io_error_code_ = 0;
  Raise<EInOutError>(code);
}

void Console::Close() {
  input_.Close();
  output_.Close();
}

}  // namespace vornix
