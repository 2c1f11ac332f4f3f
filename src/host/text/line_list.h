// A text as an ordered list of 8-bit lines. Its bytes are taken with CR LF,
// a lone CR and a lone LF as line ends, and given back with CR LF after every
// line. Lines live in one buffer, so taking a script's bytes costs one
// allocation for them and one for the line table. Reading and writing files
// is host/files/script_files.
#ifndef VORNIX_HOST_TEXT_LINE_LIST_H_
#define VORNIX_HOST_TEXT_LINE_LIST_H_

#include <cstddef>
#include <cstdint>
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
  std::string_view LineView(int32_t index) const;
  void SetLine(int32_t index, std::string_view text);
  void DeleteLine(int32_t index);
  int32_t AddLine(std::string_view text);
  void AppendLines(const LineList& source);

  /// Replaces the content by the lines of `text` (see TextToLines).
  void SetText(std::string text);
  /// Every line followed by CR LF.
  std::string LinesToText() const;

 private:
  struct Span {
    uint32_t offset;
    uint32_t length;
  };
  void CheckIndex(int32_t index) const;
  Span Store(std::string_view text);

  std::string storage_;
  std::vector<Span> lines_;
};

}  // namespace vornix

#endif  // VORNIX_HOST_TEXT_LINE_LIST_H_
