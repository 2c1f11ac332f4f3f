// A text file as an ordered list of 8-bit lines, read and written whole.
// Reading accepts CR LF, a lone CR and a lone LF as line ends; writing puts
// CR LF after every line. Lines live in one buffer, so loading a script costs
// one allocation for its bytes and one for the line table.
#ifndef VORNIX_HOST_LINE_LIST_H_
#define VORNIX_HOST_LINE_LIST_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

class FileSystem;

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

  /// Replaces the content by the lines of the file. Raises EFOpenError,
  /// EReadError or EFileFormatError; the list is unchanged after a failure.
  void LoadLines(const std::string& path, FileSystem& fs);
  /// Writes every line followed by CR LF, replacing the file in one step.
  void SaveLines(const std::string& path, FileSystem& fs) const;

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

/// The offset of the first NUL byte when a byte other than NUL follows it
/// anywhere: such a file is not text, and reading it as text would lose
/// everything after the NUL. NUL padding at the very end is fine.
std::optional<size_t> FindEmbeddedNul(std::string_view bytes);

}  // namespace vornix

#endif  // VORNIX_HOST_LINE_LIST_H_
