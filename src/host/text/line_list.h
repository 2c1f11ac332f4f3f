// A text as an ordered list of 8-bit lines. Its bytes are taken with CR LF,
// a lone CR and a lone LF as line ends, and given back with CR LF after every
// line. The bytes taken stay one buffer that the lines are views into, shared
// by copies of the list; lines set or added later live in a second buffer
// beside it. The text given back is the buffer's runs of unchanged lines as
// they stand, so a script is never copied whole. Reading and writing files is
// host/files/script_files.
#ifndef VORNIX_HOST_TEXT_LINE_LIST_H_
#define VORNIX_HOST_TEXT_LINE_LIST_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

class LineList {
 public:
  int32_t LineCount() const { return static_cast<int32_t>(lines_.size()); }

  /// A copy of line `index`. Raises EStringListError for a bad index.
  std::string GetLine(int32_t index) const;
  /// The same line without a copy; valid until the list next changes.
  std::string_view LineView(int32_t index) const {
    CheckIndex(index);
    return View(lines_[static_cast<size_t>(index)]);
  }
  /// The first line from `from` on that holds `c`, or LineCount(): one search
  /// of the loaded buffer for the lines that stand in it, whatever their number.
  int32_t NextLineWith(char c, int32_t from) const;
  void SetLine(int32_t index, std::string_view text);
  void DeleteLine(int32_t index);
  int32_t AddLine(std::string_view text);
  void AppendLines(const LineList& source);

  /// Replaces the content by the lines of `text`.
  void SetText(std::string_view text);
  /// The same, taking the `size` bytes at `text` as the list's buffer.
  void SetText(std::shared_ptr<char[]> text, size_t size);
  /// Every line followed by CR LF.
  std::string LinesToText() const;
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
    if (static_cast<uint32_t>(index) >= lines_.size()) RaiseIndexError(index);
  }
  [[noreturn]] static void RaiseIndexError(int32_t index);
  Span Store(std::string_view text);
  std::string_view View(Span span) const {
    const char* const buffer = (span.offset & kAdded) != 0 ? added_.data() : text_.get();
    return std::string_view(buffer + (span.offset & ~kAdded), span.length);
  }
  void Mark(size_t index);

  std::shared_ptr<char[]> text_;  // as loaded; never changed
  size_t text_size_ = 0;
  std::string added_;  // each line followed by CR LF
  std::vector<Span> lines_;
  // The leading lines loaded with CR LF after them: the bytes of one that is
  // unchanged begin right after the CR LF of the line before, unless a line
  // between them was deleted. marks_ holds, in order, the lines that were set
  // or follow a deleted line; any other line of that lead continues its
  // neighbour's run of the buffer, so a save costs the pieces, not the lines.
  size_t crlf_loaded_ = 0;
  std::vector<uint32_t> marks_;
};

}  // namespace vornix

#endif  // VORNIX_HOST_TEXT_LINE_LIST_H_
