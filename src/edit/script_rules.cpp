#include "edit/script_rules.h"

#include <algorithm>
#include <string_view>

#include "host/text/line_list.h"
#include "host/text/text_rules.h"

namespace vornix {

bool DropEndOfFileMarker(LineList& lines) {
  const int32_t last = lines.LineCount() - 1;
  const std::string line = lines.GetLine(last);
  const size_t marker = PosExact("\x1A", line);
  if (marker == 0) return false;
  if (marker == 1)
    lines.DeleteLine(last);
  else
    lines.SetLine(last, std::string_view(line).substr(0, marker - 1));
  return true;
}

void DropByteOrderMark(LineList& lines) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (lines.LineCount() == 0) return;
  const std::string first = lines.GetLine(0);
  if (first.compare(0, kMark.size(), kMark) != 0) return;
  if (first == kMark && lines.LineCount() == 1)
    lines.DeleteLine(0);
  else
    lines.SetLine(0, std::string_view(first).substr(kMark.size()));
}

std::vector<std::string_view> DriverNamesOf(const LineList& delete_list) {
  // Sized once for every line, and cut to the names found. Most names begin
  // with a byte that is not blank: told so first, without the search.
  std::vector<std::string_view> names(static_cast<size_t>(delete_list.LineCount()));
  size_t count = 0;
  delete_list.ForEachLine(0, delete_list.LineCount(), [&names, &count](int32_t, std::string_view name) {
    if ((!name.empty() && !IsBlank(name[0])) || std::any_of(name.begin(), name.end(), [](char c) { return !IsBlank(c); }))
      names[count++] = name;
  });
  names.resize(count);
  return names;
}

}  // namespace vornix
