#include "host/line_list.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "host/failures.h"
#include "host/file_system.h"

namespace vornix {

namespace {

// Sizes, counts and indices are signed 32-bit, so no list holds more bytes.
constexpr size_t kStorageLimit = std::numeric_limits<int32_t>::max();

}  // namespace

void LineList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= LineCount()) Raise<EStringListError>(index);
}

LineList::Span LineList::Store(std::string_view text) {
  if (text.size() > kStorageLimit - storage_.size()) throw std::bad_alloc();
  const Span span{static_cast<uint32_t>(storage_.size()),
                  static_cast<uint32_t>(text.size())};
  storage_.append(text);
  return span;
}

std::string LineList::GetLine(int32_t index) const {
  return std::string(LineView(index));
}

std::string_view LineList::LineView(int32_t index) const {
  CheckIndex(index);
  const Span span = lines_[static_cast<size_t>(index)];
  return std::string_view(storage_.data() + span.offset, span.length);
}

void LineList::SetLine(int32_t index, std::string_view text) {
  CheckIndex(index);
  // Blanking, the passes' only edit, needs no new bytes.
  lines_[static_cast<size_t>(index)] =
      text.empty() ? Span{0, 0} : Store(text);
}

void LineList::DeleteLine(int32_t index) {
  CheckIndex(index);
  lines_.erase(lines_.begin() + index);
}

int32_t LineList::AddLine(std::string_view text) {
  if (lines_.size() >= kStorageLimit) throw std::bad_alloc();
  const Span span = Store(text);
  lines_.push_back(span);
  return LineCount() - 1;
}

void LineList::AppendLines(const LineList& source) {
  const int32_t count = source.LineCount();  // once: source may be this list
  for (int32_t i = 0; i < count; ++i) AddLine(source.GetLine(i));
}

namespace {

// The first `c` in [from, end), or `end`.
const char* Find(const char* from, const char* end, char c) {
  const void* found = std::memchr(from, c, static_cast<size_t>(end - from));
  return found != nullptr ? static_cast<const char*>(found) : end;
}

}  // namespace

void LineList::SetText(std::string text) {
  if (text.size() > kStorageLimit) throw std::bad_alloc();
  const char* const begin = text.data();
  const char* const end = Find(begin, begin + text.size(), '\0');
  std::vector<Span> lines;
  // The next CR and the next LF are each looked for once and remembered, so
  // that a file with only one kind of line end stays one pass.
  const char* next_cr = Find(begin, end, '\r');
  const char* next_lf = Find(begin, end, '\n');
  const char* p = begin;
  while (p < end) {
    if (next_cr < p) next_cr = Find(p, end, '\r');
    if (next_lf < p) next_lf = Find(p, end, '\n');
    const char* const line_end = std::min(next_cr, next_lf);
    lines.push_back(Span{static_cast<uint32_t>(p - begin),
                         static_cast<uint32_t>(line_end - p)});
    p = line_end;
    if (p < end && *p == '\r') ++p;
    if (p < end && *p == '\n') ++p;
  }
  storage_ = std::move(text);
  lines_ = std::move(lines);
}

std::string LineList::LinesToText() const {
  size_t size = 0;
  for (const Span& span : lines_) size += span.length + 2;
  std::string text(size, '\0');
  char* out = text.data();
  for (const Span& span : lines_) {
    std::memcpy(out, storage_.data() + span.offset, span.length);
    out += span.length;
    *out++ = '\r';
    *out++ = '\n';
  }
  return text;
}

namespace {

// The full path a file message names: as FullPathOf forms it, or as given
// when the platform cannot resolve it.
std::string FullPathForMessage(const std::string& path, FileSystem& fs) {
  return fs.FullPathOf(path).value_or(path);
}

// The one place where what the file system met becomes a failure.
void RaiseIfFailed(const FileResult& result, const std::string& path,
                   FileSystem& fs) {
  using Step = FileResult::Step;
  switch (result.failed) {
    case Step::kDone:
      return;
    case Step::kOpen:
      Raise<EFOpenError>(FullPathForMessage(path, fs),
                         SystemErrorText(result.error));
    case Step::kCreate:
      Raise<EFCreateError>(FullPathForMessage(path, fs),
                           SystemErrorText(result.error));
    case Step::kRead:
      Raise<EReadError>();
    case Step::kWrite:
      Raise<EWriteError>();
  }
}

}  // namespace

void LineList::LoadLines(const std::string& path, FileSystem& fs) {
  std::string bytes;
  RaiseIfFailed(fs.ReadWholeFile(path, &bytes), path, fs);
  if (const std::optional<size_t> nul = FindEmbeddedNul(bytes))
    Raise<EFileFormatError>(FullPathForMessage(path, fs),
                            static_cast<int64_t>(*nul));
  SetText(std::move(bytes));
}

void LineList::SaveLines(const std::string& path, FileSystem& fs) const {
  RaiseIfFailed(fs.ReplaceFile(path, LinesToText()), path, fs);
}

std::optional<size_t> FindEmbeddedNul(std::string_view bytes) {
  const size_t nul = bytes.find('\0');
  if (nul == std::string_view::npos) return std::nullopt;
  if (bytes.find_first_not_of('\0', nul) == std::string_view::npos)
    return std::nullopt;
  return nul;
}

}  // namespace vornix
