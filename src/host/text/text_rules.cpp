#include "host/text/text_rules.h"

namespace vornix {

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

}  // namespace vornix
