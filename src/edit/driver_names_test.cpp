#include "edit/driver_names.h"

#include <gtest/gtest.h>

namespace vornix {
namespace {

// The quick tests let through every place a name may begin or end, in any case, and little else.
TEST(DriverNames, QuickTestsRuleOutOnlyWhatNoNameBeginsOrEnds) {
  const std::vector<std::string_view> list = {"abcd", "Xy2", "q"};
  const DriverNames names(list);
  // clang-format off
  const struct { std::string text; bool begins, ends; } cases[] = {
      {"ABCD.sys", true, false}, {"abcdx", true, false}, {"1,abcd", false, true}, {"1,ABCD", false, true},
      {"xy2 = 1", true, false}, {"1,xY2", false, true}, {"qzzz", true, false}, {"zzzQ", false, true},
      {"abxd", false, false}, {"zzzz", false, false}, {"xz2.", false, false}, {"1,xbcd", false, false},
      {"xy", true, false}, {" zzz", true, false}, {"\tzzz", true, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(names.MayBeginTrimmed(c.text), c.begins) << c.text;
    if (c.text.size() >= 4) EXPECT_EQ(names.MayEndAt(c.text.data() + c.text.size()), c.ends) << c.text;
  }
}

}  // namespace
}  // namespace vornix
