// Small helpers shared by the unit tests.
#ifndef VORNIX_TESTS_TEST_UTIL_H_
#define VORNIX_TESTS_TEST_UTIL_H_

#include <string>
#include <vector>

#include "host/line_list.h"

namespace vornix {

inline LineList ListOf(const std::vector<std::string>& lines) {
  LineList list;
  for (const std::string& line : lines) list.AddLine(line);
  return list;
}

inline std::vector<std::string> LinesOf(const LineList& list) {
  std::vector<std::string> lines;
  for (int32_t i = 0; i < list.LineCount(); ++i) lines.push_back(list.GetLine(i));
  return lines;
}

}  // namespace vornix

#endif  // VORNIX_TESTS_TEST_UTIL_H_
