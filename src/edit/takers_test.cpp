#include "edit/takers.h"

#include <gtest/gtest.h>

#include "host/text/line_list.h"

namespace vornix {
namespace {

std::string Listed(const std::vector<int32_t>& takers) {
  std::string listed;
  for (const int32_t taker : takers) listed += taker == kNoTaker ? "-" : std::to_string(taker);
  return listed;
}

// Each line goes to the lowest index among the names whose rule takes it.
TEST(FindTakers, GivesTheFirstNameWhoseRuleTakesEachLine) {
  const struct { std::vector<std::string> names; std::string txtsetup, dosnet, txtsetup_takers, dosnet_takers; } cases[] = {
      {{"abcd", "abc", "AB"}, "[SCSI]\nabcd = x\nabc = y\nab\n[HardwareIdsDatabase]\nid = \"abc\"\nid = \"ABCD\"",
       "d1,abc.sys\nd1,xabcd.SYS,ab.sys\nab.sy", "-012-10", "10-"},
      {{"zz", "ABC", "abc", "b"}, "[SCSI]\nabc = 1\n[files.abc]\n\nbc.sys\n [files.zz] \nb\n[BusExtenders]\nx = abc",
       "", "-111100-1", ""},
  };
  for (const auto& c : cases) {
    LineList txtsetup, dosnet;
    txtsetup.SetText(c.txtsetup);
    dosnet.SetText(c.dosnet);
    const Takers takers = FindTakers(txtsetup, dosnet, c.names);
    EXPECT_EQ(Listed(takers.txtsetup), c.txtsetup_takers) << c.txtsetup;
    EXPECT_EQ(Listed(takers.dosnet), c.dosnet_takers) << c.dosnet;
  }
}

}  // namespace
}  // namespace vornix
