#include "host/text/line_list.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <optional>

#include "host/failures/failures.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

// Sizes, counts and indices are signed 32-bit, so no list holds more bytes.
constexpr size_t kStorageLimit = std::numeric_limits<int32_t>::max();

}  // namespace

void LineList::RaiseIndexError(int32_t index) { Raise<EStringListError>(index); }

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
  if (buffered_ != 0 && static_cast<size_t>(index) + 1 == buffered_) {
    const Span last = CutLastBuffered();
    lines_.insert(lines_.begin(), text.empty() ? Span{last.offset + last.length, 0} : Store(text));
    return;
  }
  if (buffered_ != 0 && text.empty() && BlankBuffered(static_cast<size_t>(index))) return;
  if (buffered_ != 0) Split();
  Span& span = lines_[static_cast<size_t>(index)];
  // Blanking, the passes' only edit, needs no new bytes: the empty line
  // stands where the old one ended, before its line end.
  span = text.empty() ? Span{span.offset + span.length, 0} : Store(text);
}

void LineList::DeleteLine(int32_t index) {
  CheckIndex(index);
  if (buffered_ != 0 && static_cast<size_t>(index) + 1 == buffered_) {
    CutLastBuffered();
    return;
  }
  if (buffered_ != 0) Split();
  lines_.erase(lines_.begin() + index);
}

int32_t LineList::AddLine(std::string_view text) {
  if (static_cast<size_t>(LineCount()) >= kStorageLimit) throw std::bad_alloc();
  const Span span = Store(text);
  lines_.push_back(span);
  return LineCount() - 1;
}

void LineList::AppendLines(const LineList& source) {
  const int32_t count = source.LineCount();  // once: source may be this list
  for (int32_t i = 0; i < count; ++i) AddLine(source.GetLine(i));
}

void LineList::SetText(std::string_view text) {
  std::shared_ptr<char[]> copy(new char[text.size()]);
  if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
  SetText(std::move(copy), text.size());
}

// Every line end is CR LF when each CR stands right before an LF and each LF
// right after a CR. Counted a block at a time with counts that fit a byte: a
// loop that compilers turn into wide compares, which the build may also make
// for AVX2 (VORNIX_WIDE_LOOP).
VORNIX_WIDE_LOOP std::optional<size_t> LineList::CrLfLineEnds(const char* begin, const char* end, std::vector<uint32_t>* feeds_before) {
  if (begin < end && (*begin == '\n' || end[-1] == '\r')) return std::nullopt;
  feeds_before->resize(static_cast<size_t>(end - begin) / kBlock + 1);
  uint32_t* before = feeds_before->data();
  size_t feeds = 0, lone = 0;
  const auto count = [&](const char* from, ptrdiff_t size) {  // each byte judged with the next
    *before++ = static_cast<uint32_t>(feeds);
    uint8_t lf_count = 0, lone_count = 0;
    for (ptrdiff_t k = 0; k < size; ++k) {
      const uint8_t cr = from[k] == '\r', lf = from[k + 1] == '\n';
      lf_count += lf;
      lone_count += cr ^ lf;  // a CR with no LF after it, or an LF with no CR before
    }
    feeds += lf_count;
    lone += lone_count;
  };
  const char* from = begin;
  const char* const last = end - 1;  // the bytes before it are judged
  for (; last - from >= static_cast<ptrdiff_t>(kBlock); from += kBlock) count(from, kBlock);
  if (from < last) count(from, last - from);
  std::fill(before, feeds_before->data() + feeds_before->size(), static_cast<uint32_t>(feeds));  // a block at the last byte
  if (lone != 0) return std::nullopt;
  return feeds;
}

void LineList::SplitLines(const char* begin, const char* end, std::vector<Span>* lines) {
  const char* line_feed = FindByte(begin, end, '\n');  // the first at or after p
  for (const char* p = begin; p < end;) {
    if (line_feed < p) line_feed = FindByte(p, end, '\n');
    const char* const after = FindByte(p, line_feed, '\r');  // a CR before it ends the line first
    lines->push_back(Span{static_cast<uint32_t>(p - begin), static_cast<uint32_t>(after - p)});
    p = after;
    if (p < end && *p == '\r') ++p;
    if (p < end && *p == '\n') ++p;
  }
}

size_t LineList::SetText(std::shared_ptr<char[]> text, size_t size) {
  if (size > kStorageLimit) throw std::bad_alloc();
  const char* const begin = text.get();
  const char* const end = FindByte(begin, begin + size, '\0');
  text_ = std::move(text);
  text_size_ = size;
  limit_ = static_cast<size_t>(end - begin);
  added_.clear();
  lines_.clear();
  blanks_.clear();
  viewed_ = Place{SIZE_MAX, 0, 0};
  if (const std::optional<size_t> feeds = CrLfLineEnds(begin, end, &feeds_before_)) {
    buffered_ = *feeds + (begin < end && end[-1] != '\n');
    return limit_;
  }
  buffered_ = 0;
  SplitLines(begin, end, &lines_);
  return limit_;
}

LineList::Span LineList::LastBuffered() const {
  const char* const text = text_.get();
  size_t end = limit_;
  if (text[end - 1] == '\n') end -= 2;  // before its CR LF
  size_t start = end;
  while (start > 0 && text[start - 1] != '\n') --start;
  return Span{static_cast<uint32_t>(start), static_cast<uint32_t>(end - start)};
}

size_t LineList::StartInBlock(size_t index) const {
  // Line `index` begins after LF number `index`: from the last block with
  // fewer LFs up to its first byte, the LFs left after that byte.
  const size_t block = static_cast<size_t>(std::lower_bound(feeds_before_.begin(), feeds_before_.end(), index) - feeds_before_.begin()) - 1;
  const char* const text = text_.get();
  const char* const end = text + limit_;
  const char* at = text + block * kBlock + 1;
  for (size_t left = index - feeds_before_[block]; left > 0; --left) at = FindByte(at, end, '\n') + 1;
  return static_cast<size_t>(at - text);
}

// The LFs among the first `count` bytes of the kBlock bytes from `from`: the
// whole block is read, so that the loop has a fixed length and no tail.
VORNIX_WIDE_LOOP size_t LineList::FeedsIn(const char* from, size_t count) {
  uint8_t feeds = 0;
  const uint8_t stop = static_cast<uint8_t>(count);
  for (uint8_t k = 0; k < kBlock; ++k) feeds += (from[k] == '\n') & (k < stop);
  return feeds;
}

size_t LineList::LinesBefore(const char* at) const {
  const char* const text = text_.get();
  if (at == text) return 0;
  const size_t block = static_cast<size_t>(at - text - 1) / kBlock;
  const char* const from = text + block * kBlock + 1;
  if (static_cast<size_t>(from - text) + kBlock <= limit_) return feeds_before_[block] + FeedsIn(from, static_cast<size_t>(at - from));
  return feeds_before_[block] + CountByte(from, at, '\n');
}

LineList::Span LineList::ViewFrom(size_t index, size_t start) const {
  const char* const text = text_.get();
  const size_t line_feed = static_cast<size_t>(static_cast<const char*>(std::memchr(text + start, '\n', limit_ - start)) - text);
  viewed_ = Place{index, start, line_feed + 1};
  return Span{static_cast<uint32_t>(start), static_cast<uint32_t>(line_feed - 1 - start)};
}

LineList::Span LineList::BufferedSpan(int32_t index) const {
  const size_t at = static_cast<size_t>(index);
  if (at + 1 == buffered_) return LastBuffered();
  size_t start = 0;
  if (StartOf(at, &start)) return ViewFrom(at, start);
  if (at < buffered_) Split();
  return lines_[at - buffered_];
}

bool LineList::BlankBuffered(size_t index) {
  if (index >= buffered_) return false;                                // a line added after the text (its last is cut before)
  if (!blanks_.empty() && index == blanks_.back().index) return true;  // blank already
  if (ViewedStands(index)) {                                           // as a walk blanks
    blanks_.push_back(Blank{static_cast<uint32_t>(index), ViewedSpan()});
    return true;
  }
  const Span line = BufferedSpan(static_cast<int32_t>(index));
  if (buffered_ == 0) return false;  // split to find it
  blanks_.push_back(Blank{static_cast<uint32_t>(index), line});
  return true;
}

void LineList::Split() const {
  // Every line of the text but perhaps the last ends with CR LF: one search
  // for each LF, into a table of the size counted on load.
  std::vector<Span> lines(buffered_ + lines_.size());
  const char* const begin = text_.get();
  const char* const end = begin + limit_;
  Span* line = lines.data();
  for (const char* p = begin; p < end; ++line) {
    const char* const line_feed = FindByte(p, end, '\n');
    *line = Span{static_cast<uint32_t>(p - begin), static_cast<uint32_t>(line_feed - (line_feed < end) - p)};
    p = line_feed + 1;
  }
  std::copy(lines_.begin(), lines_.end(), line);
  lines_ = std::move(lines);
  buffered_ = 0;
  for (const Blank& blank : blanks_) {
    lines_[blank.index] = Span{blank.line.offset + blank.line.length, 0};
  }
  blanks_.clear();
}

LineList::Span LineList::CutLastBuffered() {
  const Span last = LastBuffered();
  limit_ = last.offset;
  --buffered_;
  if (!blanks_.empty() && blanks_.back().index == buffered_) blanks_.pop_back();  // the line goes with its blank
  return last;
}

int32_t LineList::NextLineWith(char c, int32_t from) const {
  const size_t first = static_cast<size_t>(std::max(from, 0));
  size_t start = 0;
  if (StartOf(first, &start)) {
    // Found in the text not split, its line is counted by the LFs before it.
    const char* const text = text_.get();
    const char* const found = FindByte(text + start, text + limit_, c);
    if (found == text + limit_) {  // then in the lines after the text, if any
      for (size_t i = 0; i < lines_.size(); ++i)
        if (View(lines_[i]).find(c) != std::string_view::npos) return static_cast<int32_t>(buffered_ + i);
      return LineCount();
    }
    const char* line = found;
    while (line > text && line[-1] != '\n') --line;
    const size_t index = LinesBefore(line);
    if (index + 1 < buffered_) viewed_ = Place{index, static_cast<size_t>(line - text), static_cast<size_t>(FindByte(found, text + limit_, '\n') + 1 - text)};
    return static_cast<int32_t>(index);
  }
  if (buffered_ != 0) Split();
  const char* const begin = text_.get();
  int64_t found = -1;  // the next `c` of the buffer, once looked for from a line before
  for (size_t i = first; i < lines_.size(); ++i) {
    const Span span = lines_[i];
    if (span.offset >= kAdded) {  // set or added
      if (View(span).find(c) != std::string_view::npos) return static_cast<int32_t>(i);
      continue;
    }
    const int64_t line_end = int64_t{span.offset} + span.length;
    if (found >= line_end) continue;
    if (found < int64_t{span.offset}) found = FindByte(begin + span.offset, begin + text_size_, c) - begin;
    if (found < line_end) return static_cast<int32_t>(i);
  }
  return LineCount();
}

std::vector<std::string_view> LineList::TextPieces() const {
  std::vector<std::string_view> pieces;
  pieces.reserve(blanks_.size() + 2 * lines_.size() + 2);  // at most
  // Each piece is joined to the one before when it follows it in memory.
  const auto add = [&pieces](const char* from, size_t size) {
    if (!pieces.empty() && pieces.back().data() + pieces.back().size() == from)
      pieces.back() = std::string_view(pieces.back().data(), pieces.back().size() + size);
    else
      pieces.push_back(std::string_view(from, size));
  };
  const auto add_line = [&](Span span) {
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
  // The text not split yet, as it stands.
  if (buffered_ != 0) {
    size_t at = 0;
    for (const Blank& blank : blanks_) {
      add(text_.get() + at, blank.line.offset - at);
      at = blank.line.offset + blank.line.length;
    }
    add(text_.get() + at, limit_ - at);
    if (text_[limit_ - 1] != '\n') add("\r\n", 2);
  }
  // Then each line with its CR LF, where it has one in the buffer: the
  // unchanged lines of a text split are runs of it again.
  for (const Span span : lines_) add_line(span);
  return pieces;
}

std::string LineList::LinesToText() const {
  std::string text;
  for (const std::string_view piece : TextPieces()) text.append(piece);
  return text;
}

}  // namespace vornix
