#include "edit/driver_names.h"

#include <algorithm>
#include <cstring>

namespace vornix {

namespace {

std::vector<std::string> UpperNames(const std::vector<std::string>& names,
                                    bool reverse) {
  std::vector<std::string> upper;
  upper.reserve(names.size());
  for (const std::string& name : names) {
    upper.push_back(UpperAscii(name));
    if (reverse) std::reverse(upper.back().begin(), upper.back().end());
  }
  return upper;
}

constexpr auto kAnyName = [](size_t) { return true; };

}  // namespace

DriverNames::DriverNames(const std::vector<std::string>& names)
    : forward_(UpperNames(names, false)), reversed_(UpperNames(names, true)) {}

bool DriverNames::BeginsText(std::string_view text) const {
  return forward_.Match(text.data(), 1, text.size(), kAnyName);
}

bool DriverNames::QuotedIn(std::string_view text) const {
  for (size_t quote = text.find('"'); quote != std::string_view::npos;
       quote = text.find('"', quote + 1)) {
    const size_t start = quote + 1;
    const bool found = forward_.Match(
        text.data() + start, 1, text.size() - start, [&](size_t length) {
          return start + length < text.size() && text[start + length] == '"';
        });
    if (found) return true;
  }
  return false;
}

bool DriverNames::OccursIn(std::string_view text) const {
  for (size_t start = 0; start < text.size(); ++start) {
    if (forward_.Match(text.data() + start, 1, text.size() - start, kAnyName))
      return true;
  }
  return false;
}

bool DriverNames::IsName(std::string_view text) const {
  return forward_.Match(text.data(), 1, text.size(),
                        [&](size_t length) { return length == text.size(); });
}

bool DriverNames::SysFileIn(std::string_view text) const {
  // Each ".sys" is read backwards from the byte before it.
  for (size_t dot = text.find('.'); dot != std::string_view::npos;
       dot = text.find('.', dot + 1)) {
    if (dot == 0 || text.size() - dot < 4 || FoldAscii(text[dot + 1]) != 'S' ||
        FoldAscii(text[dot + 2]) != 'Y' || FoldAscii(text[dot + 3]) != 'S')
      continue;
    if (reversed_.Match(text.data() + dot - 1, -1, dot, kAnyName)) return true;
  }
  return false;
}

}  // namespace vornix
