// The byte rules by which every script line is judged: which bytes are
// blanks, which letters fold, and what an empty text matches. Nothing here
// consults a locale or a code page; the results depend on byte values only.
#ifndef VORNIX_HOST_TEXT_TEXT_RULES_H_
#define VORNIX_HOST_TEXT_TEXT_RULES_H_

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace vornix {

/// Each byte as FoldAscii gives it: one load where the walks of names fold
/// every byte they read.
extern const std::array<unsigned char, 256> kFoldedBytes;

/// Only a-z fold; every other byte, 0x80-0xFF included, keeps its value.
inline char FoldAscii(char c) { return static_cast<char>(kFoldedBytes[static_cast<unsigned char>(c)]); }

/// Blanks are NUL, every control byte and the space: 0x00-0x20.
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string UpperAscii(std::string_view text);

/// The text without blank bytes at either end; a view into `text`.
inline std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

/// 1-based position of the leftmost occurrence of `needle` in `haystack`,
/// 0 when it is absent or when either text is empty.
size_t PosExact(std::string_view needle, std::string_view haystack);

/// Equality after UpperAscii, folding while comparing. Does not trim.
bool SameNoCase(std::string_view a, std::string_view b);

/// How many bytes of [from, to) are `c`.
size_t CountByte(const char* from, const char* to, char c);

/// The first `c` in [from, to), or `to`.
inline const char* FindByte(const char* from, const char* to, char c) {
  const void* found = std::memchr(from, c, static_cast<size_t>(to - from));
  return found != nullptr ? static_cast<const char*>(found) : to;
}

}  // namespace vornix

#endif  // VORNIX_HOST_TEXT_TEXT_RULES_H_
