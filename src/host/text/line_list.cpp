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

void LineList::RaiseIndexError(int32_t index) { Raise<EStringListError>(index); }

void LineList::Mark(size_t index) {
  // The passes set lines in order, after every mark but the one that
  // dropping the last line may have left: the place is tried from the end.
  const size_t count = marks_.size();
  auto at = marks_.end();
  if (count > 0 && marks_[count - 1] >= index) {
    at = count > 1 && marks_[count - 2] < index
             ? at - 1
             : std::lower_bound(marks_.begin(), marks_.end(), index);
  }
  if (at == marks_.end() || *at != index) marks_.insert(at, static_cast<uint32_t>(index));
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

std::string LineList::GetLine(int32_t index) const {
  return std::string(LineView(index));
}

void LineList::SetLine(int32_t index, std::string_view text) {
  CheckIndex(index);
  Mark(static_cast<size_t>(index));
  Span& span = lines_[static_cast<size_t>(index)];
  // Blanking, the passes' only edit, needs no new bytes: the empty line
  // stands where the old one ended, before its line end.
  span = text.empty() ? Span{span.offset + span.length, 0} : Store(text);
}

void LineList::DeleteLine(int32_t index) {
  CheckIndex(index);
  lines_.erase(lines_.begin() + index);
  if (static_cast<size_t>(index) < crlf_loaded_) --crlf_loaded_;
  // The marks after it move down with their lines; the line that takes its
  // place no longer follows its neighbour in the buffer.
  auto at = std::lower_bound(marks_.begin(), marks_.end(), static_cast<uint32_t>(index));
  if (at != marks_.end() && *at == static_cast<uint32_t>(index)) at = marks_.erase(at);
  for (auto m = at; m != marks_.end(); ++m) --*m;
  Mark(static_cast<size_t>(index));
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
    return Span{static_cast<uint32_t>(from - begin), static_cast<uint32_t>(to - from)};
  };
  std::vector<Span> lines;
  // Room for lines of 10 bytes on average, so that the table is not moved as
  // it grows; only the entries used are touched.
  lines.reserve(size / 10 + 1);
  // Most files end their lines with LF or CR LF alone: split at each LF and
  // take a CR before it with the line end. When that accounts for every CR,
  // the split is done; otherwise the file has lone CRs and is split again.
  size_t returns_taken = 0;
  bool unended = false;  // the last line has no line end
  const char* p = begin;
  if (p < end && *p == '\n') {  // so that a later LF always has a byte before it
    lines.push_back(span(p, p));
    ++p;
  }
  while (p < end) {
    const char* const line_feed = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    if (line_feed == nullptr) {
      lines.push_back(span(p, end));
      unended = true;
      break;
    }
    const bool cr = line_feed[-1] == '\r';
    returns_taken += cr;
    lines.push_back(span(p, line_feed - cr));
    p = line_feed + 1;
  }
  size_t crlf_lines = returns_taken;  // when that is all lines but an unended last
  if (returns_taken != CountByte(begin, end, '\r')) {
    // CR LF, a lone CR and a lone LF each end a line.
    lines.clear();
    crlf_lines = 0;
    unended = false;
    const char* next_cr = Find(begin, end, '\r');
    const char* next_lf = Find(begin, end, '\n');
    p = begin;
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
  if (crlf_lines + unended != lines.size()) {
    const auto ends_crlf = [begin, end](Span line) {
      const char* const after = begin + line.offset + line.length;
      return end - after >= 2 && after[0] == '\r' && after[1] == '\n';
    };
    crlf_lines = 0;
    while (crlf_lines < lines.size() && ends_crlf(lines[crlf_lines])) ++crlf_lines;
  }
  text_ = std::move(text);
  text_size_ = size;
  added_.clear();
  lines_ = std::move(lines);
  crlf_loaded_ = crlf_lines;
  marks_.clear();
}

int32_t LineList::NextLineWith(char c, int32_t from) const {
  const char* const begin = text_.get();
  int64_t found = -1;  // the next `c` of the buffer, once looked for from a line before
  for (size_t i = static_cast<size_t>(std::max(from, 0)); i < lines_.size(); ++i) {
    const Span span = lines_[i];
    if ((span.offset & kAdded) != 0) {
      if (View(span).find(c) != std::string_view::npos) return static_cast<int32_t>(i);
      continue;
    }
    const int64_t line_end = int64_t{span.offset} + span.length;
    if (found >= line_end) continue;
    if (found < int64_t{span.offset}) found = Find(begin + span.offset, begin + text_size_, c) - begin;
    if (found < line_end) return static_cast<int32_t>(i);
  }
  return LineCount();
}

std::vector<std::string_view> LineList::TextPieces() const {
  std::vector<std::string_view> pieces;
  // Each piece is joined to the one before when it follows it in memory.
  const auto add = [&pieces](const char* from, size_t size) {
    if (!pieces.empty() && pieces.back().data() + pieces.back().size() == from)
      pieces.back() = std::string_view(pieces.back().data(), pieces.back().size() + size);
    else
      pieces.emplace_back(from, size);
  };
  const auto add_line = [&](size_t i) {
    const Span span = lines_[i];
    const std::string_view line = View(span);
    const char* const after = line.data() + line.size();
    const char* const limit =
        (span.offset & kAdded) != 0 ? added_.data() + added_.size() : text_.get() + text_size_;
    if (limit - after >= 2 && after[0] == '\r' && after[1] == '\n') {
      add(line.data(), line.size() + 2);
    } else {
      if (!line.empty()) add(line.data(), line.size());
      add("\r\n", 2);
    }
  };
  // Through the lines loaded with CR LF: a line that may stand apart, then
  // the run of the buffer up to the next mark.
  const size_t lead = std::min(crlf_loaded_, lines_.size());
  size_t i = 0;
  for (auto mark = marks_.begin(); i < lead;) {
    add_line(i);
    while (mark != marks_.end() && *mark <= i) ++mark;
    const size_t next = mark == marks_.end() ? lead : std::min<size_t>(*mark, lead);
    if (next > i + 1) {
      const Span first = lines_[i + 1];
      const Span last = lines_[next - 1];
      add(text_.get() + first.offset, last.offset + last.length + 2 - first.offset);
    }
    i = next;
  }
  for (; i < lines_.size(); ++i) add_line(i);
  return pieces;
}

std::string LineList::LinesToText() const {
  std::string text;
  for (const std::string_view piece : TextPieces()) text.append(piece);
  return text;
}

}  // namespace vornix
