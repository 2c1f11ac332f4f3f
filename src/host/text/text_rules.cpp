#include "host/text/text_rules.h"

#include <cstdint>

namespace vornix {

namespace {

constexpr std::array<unsigned char, 256> FoldedBytes() {
  std::array<unsigned char, 256> bytes{};
  for (int c = 0; c < 256; ++c) bytes[static_cast<size_t>(c)] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 0x20 : c);
  return bytes;
}

}  // namespace

const std::array<unsigned char, 256> kFoldedBytes = FoldedBytes();

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = FoldAscii(c);
  return upper;
}

size_t PosExact(std::string_view needle, std::string_view haystack) {
  if (needle.empty() || haystack.empty() || needle.size() > haystack.size())
    return 0;
  const size_t found = haystack.find(needle);
  return found == std::string_view::npos ? 0 : found + 1;
}

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k)
    if (FoldAscii(a[k]) != FoldAscii(b[k])) return false;
  return true;
}

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
  // The rest, less than a block: its whole 16-byte pieces in one loop that
  // compilers make wide too, then the bytes left one by one.
  const ptrdiff_t pieces = (to - from) & ~ptrdiff_t{15};
  uint8_t in_pieces = 0;
  for (ptrdiff_t k = 0; k < pieces; ++k) in_pieces += from[k] == c;
  count += in_pieces;
  for (from += pieces; from < to; ++from) count += *from == c;
  return count;
}

}  // namespace vornix
