// The byte rules against plain byte loops. The input is split in two texts;
// besides comparing them with each other, a needle is cut out of the second
// text and some of its letters change case, so that the searches also run
// on texts that do match.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "edit/text_rules.h"
#include "fuzz_check.h"

namespace {

using vornix::fuzz::Expect;
using vornix::fuzz::ExpectSame;

char PlainUpper(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return (byte >= 0x61 && byte <= 0x7A) ? static_cast<char>(byte - 0x20) : c;
}

std::string PlainUpperText(std::string_view text) {
  std::string upper;
  for (const char c : text) upper += PlainUpper(c);
  return upper;
}

bool PlainBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool SameByte(char a, char b, bool fold) {
  return fold ? PlainUpper(a) == PlainUpper(b) : a == b;
}

size_t PlainPos(std::string_view needle, std::string_view haystack, bool fold) {
  if (needle.empty() || haystack.empty()) return 0;
  for (size_t start = 0; start + needle.size() <= haystack.size(); ++start) {
    size_t k = 0;
    while (k < needle.size() && SameByte(needle[k], haystack[start + k], fold))
      ++k;
    if (k == needle.size()) return start + 1;
  }
  return 0;
}

bool PlainSameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!SameByte(a[i], b[i], true)) return false;
  return true;
}

void CheckOneText(std::string_view text) {
  ExpectSame("UpperAscii", vornix::UpperAscii(text), PlainUpperText(text));

  size_t begin = 0;
  while (begin < text.size() && PlainBlank(text[begin])) ++begin;
  size_t end = text.size();
  while (end > begin && PlainBlank(text[end - 1])) --end;
  const std::string_view trimmed = vornix::TrimBlanks(text);
  ExpectSame("TrimBlanks", trimmed, text.substr(begin, end - begin));
  if (!trimmed.empty())
    Expect("TrimBlanks gives a view into its text",
           trimmed.data() == text.data() + begin);
}

void CheckPair(std::string_view a, std::string_view b) {
  ExpectSame("PosExact", vornix::PosExact(a, b), PlainPos(a, b, false));
  ExpectSame("PosNoCase", vornix::PosNoCase(a, b), PlainPos(a, b, true));
  Expect("SameNoCase", vornix::SameNoCase(a, b) == PlainSameNoCase(a, b));
}

// Letters of `text` change case where the matching bit of `mask` is set.
std::string FlipCase(std::string_view text, std::string_view mask) {
  std::string flipped(text);
  for (size_t i = 0; i < flipped.size() && !mask.empty(); ++i) {
    const unsigned char bit = static_cast<unsigned char>(mask[(i / 8) % mask.size()]);
    const char c = flipped[i];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (letter && ((bit >> (i % 8)) & 1)) flipped[i] = static_cast<char>(c ^ 0x20);
  }
  return flipped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = vornix::fuzz::AsText(data, size);
  CheckOneText(input);
  if (size < 2) return 0;

  const std::string_view rest = input.substr(2);
  const size_t split = static_cast<unsigned char>(input[0]) % (rest.size() + 1);
  const std::string_view a = rest.substr(0, split);
  const std::string_view b = rest.substr(split);
  CheckOneText(a);
  CheckOneText(b);
  CheckPair(a, b);
  CheckPair(b, a);
  CheckPair(a, a);

  const std::string a_flipped = FlipCase(a, b);
  Expect("SameNoCase after case changes", vornix::SameNoCase(a, a_flipped));
  CheckPair(a_flipped, a);

  // A needle cut out of b: both searches must find it at or before its place.
  const size_t offset = static_cast<unsigned char>(input[1]) % (b.size() + 1);
  const size_t length = a.size() % (b.size() - offset + 1);
  const std::string_view needle = b.substr(offset, length);
  const std::string needle_flipped = FlipCase(needle, a);
  CheckPair(needle, b);
  CheckPair(needle_flipped, b);
  if (!needle.empty()) {
    Expect("PosExact misses a needle cut out of its haystack",
           vornix::PosExact(needle, b) >= 1 && vornix::PosExact(needle, b) <= offset + 1);
    Expect("PosNoCase misses a needle cut out of its haystack",
           vornix::PosNoCase(needle_flipped, b) >= 1 &&
               vornix::PosNoCase(needle_flipped, b) <= offset + 1);
  }
  return 0;
}
