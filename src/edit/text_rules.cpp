#include "edit/text_rules.h"

#include <cstring>

namespace vornix {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = FoldAscii(c);
  return upper;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

size_t PosExact(std::string_view needle, std::string_view haystack) {
  if (needle.empty() || haystack.empty() || needle.size() > haystack.size())
    return 0;
  const size_t found = haystack.find(needle);
  return found == std::string_view::npos ? 0 : found + 1;
}

namespace {

bool SameNoCaseAt(std::string_view needle, const char* at) {
  for (size_t k = 0; k < needle.size(); ++k)
    if (FoldAscii(needle[k]) != FoldAscii(at[k])) return false;
  return true;
}

}  // namespace

size_t PosNoCase(std::string_view needle, std::string_view haystack) {
  if (needle.empty() || haystack.empty() || needle.size() > haystack.size())
    return 0;
  const size_t last_start = haystack.size() - needle.size();
  const char first = FoldAscii(needle[0]);
  for (size_t i = 0; i <= last_start; ++i) {
    if (FoldAscii(haystack[i]) == first &&
        SameNoCaseAt(needle.substr(1), haystack.data() + i + 1))
      return i + 1;
  }
  return 0;
}

bool SameNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && SameNoCaseAt(a, b.data());
}

}  // namespace vornix
