// A text as an ordered list of 8-bit lines. Its bytes are taken with CR LF,
// a lone CR and a lone LF as line ends, and given back with CR LF after every
// line. The bytes taken stay one buffer that the lines are views into, shared
// by copies of the list; lines set or added later live in a second buffer
// beside it. The text given back is the buffer's runs of unchanged lines as
// they stand, so a script is never copied whole. A text whose every line ends
// with CR LF is not split into a table of lines unless it must be: its lines
// are counted on load, its last line is found from the end, and lines read
// front to back (as the removal passes read them) are found from the line
// before, so a list that is loaded, walked, has lines blanked or added and is
// given back never splits it. Reading and writing files is
// host/files/script_files.
#ifndef VORNIX_HOST_TEXT_LINE_LIST_H_
#define VORNIX_HOST_TEXT_LINE_LIST_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/text/text_rules.h"

namespace vornix {

class LineList {
 public:
  int32_t LineCount() const { return static_cast<int32_t>(buffered_ + lines_.size()); }

  /// A copy of line `index`. Raises EStringListError for a bad index.
  std::string GetLine(int32_t index) const;
  /// The same line without a copy; valid until the list next changes.
  std::string_view LineView(int32_t index) const {
    CheckIndex(index);
    if (buffered_ == 0) return View(lines_[static_cast<size_t>(index)]);
    // The line after the one viewed last, not the last line: the walk of a
    // pass through a text not split; or that line again, not blanked since.
    const size_t at = static_cast<size_t>(index);
    if (ViewedStands(at)) return View(ViewedSpan());
    return View(at == viewed_.index + 1 && at + 1 < buffered_ ? ViewFrom(at, viewed_.next) : BufferedSpan(index));
  }
  /// Calls f(index, line) for each line of [from, to) in order, as LineView
  /// gives it, that maybe(line) does not rule out. f may change that line,
  /// but no line after it. A cheap `maybe` spares the bookkeeping of a line.
  struct AnyLine {
    bool operator()(std::string_view) const { return true; }
  };
  template <class F, class Maybe = AnyLine>
  void ForEachLine(int32_t from, int32_t to, F f, Maybe maybe = {}) const;
  /// Calls f(index, line) for each line that holds one of `bytes`, in order:
  /// a search of the loaded buffer for each byte, not a look at every line.
  /// A byte found at offset `at` of the loaded buffer `text` that
  /// maybe(text, at) rules out is passed over, and a line with no other may
  /// be too. f may change that line, but no line after it.
  struct AnyPlace {
    bool operator()(std::string_view, size_t) const { return true; }
  };
  template <class F, class Maybe = AnyPlace>
  void ForEachLineHolding(std::string_view bytes, F f, Maybe maybe = {}) const;
  /// The first line from `from` on that holds `c`, or LineCount(): one search
  /// of the loaded buffer for the lines that stand in it, whatever their number.
  int32_t NextLineWith(char c, int32_t from) const;
  void SetLine(int32_t index, std::string_view text);
  /// SetLine(index, ""), with no call when it is the line a walk has just
  /// passed, as the removal passes blank theirs.
  void BlankLine(int32_t index) {
    const size_t at = static_cast<size_t>(index);
    if (ViewedStands(at))
      blanks_.push_back(Blank{static_cast<uint32_t>(at), ViewedSpan()});
    else
      SetLine(index, std::string_view());
  }
  void DeleteLine(int32_t index);
  int32_t AddLine(std::string_view text);
  void AppendLines(const LineList& source);

  /// Replaces the content by the lines of `text`.
  void SetText(std::string_view text);
  /// The same, taking the `size` bytes at `text` as the list's buffer. The
  /// text is the bytes before the first NUL; how many those are.
  size_t SetText(std::shared_ptr<char[]> text, size_t size);
  /// Every line followed by CR LF.
  std::string LinesToText() const;
  /// Whether the loaded text is still read without a table of its lines.
  bool Unsplit() const { return buffered_ != 0; }
  /// The same text as pieces to be written one after the other: runs of the
  /// loaded buffer where lines stand with their CR LF, and what lies between.
  std::vector<std::string_view> TextPieces() const;

 private:
  struct Span {
    uint32_t offset;  // kAdded set: in added_
    uint32_t length;
  };
  static constexpr uint32_t kAdded = 0x80000000u;
  void CheckIndex(int32_t index) const {
    if (static_cast<uint32_t>(index) >= static_cast<size_t>(LineCount())) RaiseIndexError(index);
  }
  [[noreturn]] static void RaiseIndexError(int32_t index);
  Span Store(std::string_view text);
  // The size of the blocks whose LFs are counted on load: under 256, so that
  // a block's counts fit a byte, and a whole number of 32-byte compares.
  static constexpr size_t kBlock = 224;
  // The number of LFs in [begin, end) when every line end there is CR LF,
  // and for each block the LFs up to its first byte.
  static std::optional<size_t> CrLfLineEnds(const char* begin, const char* end, std::vector<uint32_t>* feeds_before);
  // Splits [begin, end), a text with a line end other than CR LF, into `lines`.
  static void SplitLines(const char* begin, const char* end, std::vector<Span>* lines);
  std::string_view View(Span span) const {
    const char* const buffer = (span.offset & kAdded) != 0 ? added_.data() : text_.get();
    return std::string_view(buffer + (span.offset & ~kAdded), span.length);
  }
  // The lines of the text not split yet: the last of them is found from the
  // end; asking for any other splits them all.
  Span BufferedSpan(int32_t index) const;
  Span ViewFrom(size_t index, size_t start) const;  // of a line not last, starting at `start`
  // Whether line `at` is the line viewed last, in the text not split but not
  // its last line, and not blanked since: its span is ViewedSpan().
  bool ViewedStands(size_t at) const {
    return at == viewed_.index && at + 1 < buffered_ && (blanks_.empty() || at > blanks_.back().index);
  }
  Span ViewedSpan() const {
    return Span{static_cast<uint32_t>(viewed_.offset), static_cast<uint32_t>(viewed_.next - 2 - viewed_.offset)};
  }
  // A line of the text not split is found from the line viewed or found
  // last, with the start of the next; else from the count of LFs before its
  // block. A line at or before one blanked is not.
  bool StartOf(size_t index, size_t* start) const {
    if (index >= buffered_ || (!blanks_.empty() && index <= blanks_.back().index)) return false;
    *start = index == viewed_.index       ? viewed_.offset
             : index == viewed_.index + 1 ? viewed_.next
             : index == 0                 ? 0
                                          : StartInBlock(index);
    return true;
  }
  size_t StartInBlock(size_t index) const;
  // The number of lines of the text not split that end before `at`.
  size_t LinesBefore(const char* at) const;
  static size_t FeedsIn(const char* from, size_t count);
  // Blanks a line of the text not split, unless it must be split for it.
  bool BlankBuffered(size_t index);
  Span LastBuffered() const;
  void Split() const;
  // Drops the last line of the text not split yet; its span.
  Span CutLastBuffered();

  std::shared_ptr<char[]> text_;  // as loaded; never changed
  size_t text_size_ = 0;
  std::string added_;  // each line followed by CR LF
  // The list is the buffered_ lines of the text's first limit_ bytes, not yet
  // split and each ended by CR LF but perhaps the last, followed by lines_.
  // Once split, buffered_ is 0 and lines_ holds every line.
  mutable size_t buffered_ = 0;
  size_t limit_ = 0;
  mutable std::vector<Span> lines_;
  // The line viewed or found last, at first as if a line before the first
  // ended at 0.
  struct Place {
    size_t index;
    size_t offset;
    size_t next;
  };
  mutable Place viewed_ = {SIZE_MAX, 0, 0};
  // For each block of kBlock bytes of the text as loaded, the LFs up to and
  // including its first byte.
  std::vector<uint32_t> feeds_before_;
  // The lines of the text not split that were blanked, in order.
  struct Blank {
    uint32_t index;  // lines are counted in 31 bits
    Span line;
  };
  mutable std::vector<Blank> blanks_;
};

template <class F, class Maybe>
void LineList::ForEachLine(int32_t from, int32_t to, F f, Maybe maybe) const {
  int32_t k = from;
  size_t start = 0;
  if (k < to && StartOf(static_cast<size_t>(k), &start)) {
    // Through the text not split, one LF search a line, the last line aside.
    // The line passed last counts as the one viewed last.
    const char* const text = text_.get();
    const char* const limit = text + limit_;
    const int32_t stop = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(to), buffered_ - 1));
    const char* line_start = text + start;
    const char* next = line_start;
    for (; k < stop; ++k) {
      line_start = next;
      // A CR stands only before an LF here: a line that starts with one is
      // empty. A walk with a filter, through the long sections where empty
      // lines stand, steps over them without a search.
      if (!std::is_same_v<Maybe, AnyLine> && *line_start == '\r')
        next = line_start + 2;
      else
        next = static_cast<const char*>(std::memchr(line_start, '\n', static_cast<size_t>(limit - line_start))) + 1;
      const std::string_view line(line_start, static_cast<size_t>(next - 2 - line_start));
      if (!maybe(line)) continue;
      viewed_ = Place{static_cast<size_t>(k), static_cast<size_t>(line_start - text), static_cast<size_t>(next - text)};
      f(k, line);
      if (buffered_ == 0) {  // split: the lines after it are read from the table
        ++k;
        break;
      }
    }
    if (buffered_ != 0 && k > from) viewed_ = Place{static_cast<size_t>(k) - 1, static_cast<size_t>(line_start - text), static_cast<size_t>(next - text)};
  }
  for (; k < to; ++k) {
    const std::string_view line = LineView(k);
    if (maybe(line)) f(k, line);
  }
}

template <class F, class Maybe>
void LineList::ForEachLineHolding(std::string_view bytes, F f, Maybe maybe) const {
  int32_t k = 0;
  if (buffered_ > 1) {
    // Through the text not split, its last line aside: from the nearest
    // place where one of the bytes stands, back to its line's start.
    const char* const text = text_.get();
    const char* const end = text + limit_;
    std::vector<const char*> found(bytes.size());
    for (size_t b = 0; b < bytes.size(); ++b) found[b] = FindByte(text, end, bytes[b]);
    const char* counted = text;  // the start of line k, the line after the last taken
    for (;;) {
      const char* const at = found.empty() ? end : *std::min_element(found.begin(), found.end());
      if (at != end && !maybe(std::string_view(text, limit_), static_cast<size_t>(at - text))) {
        for (const char*& next : found)
          if (next == at) next = FindByte(at + 1, end, *at);
        continue;
      }
      const char* line = at;
      while (line > counted && line[-1] != '\n') --line;
      // Its number: counted on from line k when that is nearer than a block.
      k = line - counted < static_cast<ptrdiff_t>(kBlock) ? k + static_cast<int32_t>(CountByte(counted, line, '\n')) : static_cast<int32_t>(LinesBefore(line));
      if (at == end || static_cast<size_t>(k) + 1 >= buffered_) break;
      const char* const line_feed = FindByte(at, end, '\n');
      viewed_ = Place{static_cast<size_t>(k), static_cast<size_t>(line - text), static_cast<size_t>(line_feed + 1 - text)};
      f(k, std::string_view(line, static_cast<size_t>(line_feed - 1 - line)));  // perhaps splitting the text
      ++k;
      counted = line_feed + 1;
      for (size_t b = 0; b < bytes.size(); ++b)
        if (found[b] < counted) found[b] = FindByte(counted, end, bytes[b]);
    }
  }
  for (; k < LineCount(); ++k) {
    const std::string_view line = LineView(k);
    if (line.find_first_of(bytes) != std::string_view::npos) f(k, line);
  }
}

}  // namespace vornix

#endif  // VORNIX_HOST_TEXT_LINE_LIST_H_
