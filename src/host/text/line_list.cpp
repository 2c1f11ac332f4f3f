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
  if (text.size() + 2 > kStorageLimit - text_size_ - added_.size())
    throw std::bad_alloc();
  const Span span{kAdded | static_cast<uint32_t>(added_.size()),
                  static_cast<uint32_t>(text.size())};
  added_.append(text);
  added_.append("\r\n");
  return span;
}

std::string_view LineList::View(Span span) const {
  const char* const buffer =
      (span.offset & kAdded) != 0 ? added_.data() : text_.get();
  return std::string_view(buffer + (span.offset & ~kAdded), span.length);
}

std::string LineList::GetLine(int32_t index) const {
  return std::string(LineView(index));
}

std::string_view LineList::LineView(int32_t index) const {
  CheckIndex(index);
  return View(lines_[static_cast<size_t>(index)]);
}

void LineList::SetLine(int32_t index, std::string_view text) {
  CheckIndex(index);
  as_loaded_ = std::min(as_loaded_, static_cast<size_t>(index));
  Span& span = lines_[static_cast<size_t>(index)];
  // Blanking, the passes' only edit, needs no new bytes: the empty line
  // stands where the old one ended, before its line end.
  span = text.empty() ? Span{span.offset + span.length, 0} : Store(text);
}

void LineList::DeleteLine(int32_t index) {
  CheckIndex(index);
  as_loaded_ = std::min(as_loaded_, static_cast<size_t>(index));
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

void LineList::SetText(std::string_view text) {
  std::shared_ptr<char[]> copy(new char[text.size()]);
  if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
  SetText(std::move(copy), text.size());
}

namespace {

// How many bytes of [from, to) are `c`, counted in blocks whose count fits a
// byte: a loop that compilers turn into wide compares.
size_t CountByte(const char* from, const char* to, char c) {
  constexpr ptrdiff_t kBlock = 240;
  size_t count = 0;
  for (; to - from >= kBlock; from += kBlock) {
    uint8_t in_block = 0;
    for (ptrdiff_t k = 0; k < kBlock; ++k) in_block += from[k] == c;
    count += in_block;
  }
  for (; from < to; ++from) count += *from == c;
  return count;
}

}  // namespace

void LineList::SetText(std::shared_ptr<char[]> text, size_t size) {
  if (size > kStorageLimit) throw std::bad_alloc();
  const char* const begin = text.get();
  const char* const end = Find(begin, begin + size, '\0');
  const auto span = [begin](const char* from, const char* to) {
    return Span{static_cast<uint32_t>(from - begin),
                static_cast<uint32_t>(to - from)};
  };
  std::vector<Span> lines;
  lines.reserve(size / 16);  // most scripts: no move of the table as it grows
  // Most files end their lines with LF or CR LF alone: split at each LF and
  // take a CR before it with the line end. When that accounts for every CR,
  // the split is done; otherwise the file has lone CRs and is split again.
  size_t returns_taken = 0;
  size_t crlf_lines = 0;  // leading lines that end with CR LF
  for (const char* p = begin; p < end;) {
    const char* const line_feed = Find(p, end, '\n');
    const char* line_end = line_feed;
    if (line_feed != end && line_feed != p && line_feed[-1] == '\r') {
      --line_end;
      ++returns_taken;
    }
    crlf_lines += crlf_lines == lines.size() && line_end != line_feed;
    lines.push_back(span(p, line_end));
    p = line_feed == end ? end : line_feed + 1;
  }
  if (returns_taken != CountByte(begin, end, '\r')) {
    // CR LF, a lone CR and a lone LF each end a line.
    lines.clear();
    crlf_lines = 0;
    const char* next_cr = Find(begin, end, '\r');
    const char* next_lf = Find(begin, end, '\n');
    const char* p = begin;
    while (p < end) {
      if (next_cr < p) next_cr = Find(p, end, '\r');
      if (next_lf < p) next_lf = Find(p, end, '\n');
      const char* const line_end = std::min(next_cr, next_lf);
      lines.push_back(span(p, line_end));
      p = line_end;
      if (p < end && *p == '\r') ++p;
      if (p < end && *p == '\n') ++p;
    }
  }
  text_ = std::move(text);
  text_size_ = size;
  added_.clear();
  lines_ = std::move(lines);
  as_loaded_ = crlf_lines;
}

std::vector<std::string_view> LineList::TextPieces() const {
  std::vector<std::string_view> pieces;
  // The leading lines as loaded are one run, then each line with its line
  // end, joined to the piece before when it follows it in memory.
  const size_t first = std::min(as_loaded_, lines_.size());
  if (first != 0) pieces.emplace_back(text_.get(), lines_[first - 1].offset + lines_[first - 1].length + 2);
  const auto add = [&pieces](const char* from, size_t size) {
    if (!pieces.empty() && pieces.back().data() + pieces.back().size() == from)
      pieces.back() = std::string_view(pieces.back().data(), pieces.back().size() + size);
    else
      pieces.emplace_back(from, size);
  };
  for (size_t i = first; i < lines_.size(); ++i) {
    const Span span = lines_[i];
    const std::string_view line = View(span);
    const char* const after = line.data() + line.size();
    const char* const limit = (span.offset & kAdded) != 0
                                  ? added_.data() + added_.size()
                                  : text_.get() + text_size_;
    if (limit - after >= 2 && after[0] == '\r' && after[1] == '\n') {
      add(line.data(), line.size() + 2);
    } else {
      if (!line.empty()) add(line.data(), line.size());
      add("\r\n", 2);
    }
  }
  return pieces;
}

std::string LineList::LinesToText() const {
  std::string text;
  for (const std::string_view piece : TextPieces()) text.append(piece);
  return text;
}

}  // namespace vornix
