#include "app/run_driver.h"

#include <gtest/gtest.h>

#include "host/failures.h"
#include "host/line_list.h"
#include "test_util.h"

namespace vornix {
namespace {

TEST(RunDriver, EndOfFileMarker) {
  const struct {
    std::vector<std::string> lines, kept;
  } cases[] = {
      {{"a", "\x1A"}, {"a"}},
      {{"a", "last\x1A"}, {"a", "last"}},       // text before the marker stays
      {{"a", "x\x1A" "y\x1A"}, {"a", "x"}},
      {{"\x1A", "a"}, {"\x1A", "a"}},           // only the last line counts
      {{"  \x1A"}, {"  "}},
  };
  for (const auto& c : cases) {
    LineList list = ListOf(c.lines);
    DropEndOfFileMarker(list);
    EXPECT_EQ(LinesOf(list), c.kept);
  }
  LineList empty;
  EXPECT_THROW(DropEndOfFileMarker(empty), EStringListError);
}

}  // namespace
}  // namespace vornix
