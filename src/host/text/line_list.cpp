#include "host/text/line_list.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "host/failures/failures.h"

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

}  // namespace vornix
