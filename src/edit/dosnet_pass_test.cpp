#include "edit/dosnet_pass.h"

#include <gtest/gtest.h>

#include "edit/driver_names.h"
#include "reference_passes.h"
#include "test_util.h"

namespace vornix {
namespace {

TEST(DosnetPass, BlanksEveryLineNamingTheSysFile) {
  const struct {
    std::string name, line;
    bool blanked;
  } cases[] = {
      {"abc", "d1,abc.sys", true},
      {"abc", "D1,ABC.SYS", true},
      {"abc", "d1,xabc.sys", true},      // no boundary before the name
      {"abc", "d1,abc.system", true},    // nor after ".sys"
      {"abc", "[abc.sys]", true},        // sections are not read
      {"abc", "; abc.sys", true},
      {"abc", "d1,abc.inf", false},
      {"abc", "d1,abc_sys", false},
      {"abc", "abc.sy", false},
      {"abc", ".sys", false},
      {"abc", "d1,x.sys,abc.sys", true},
      {"abc.sys", "d1,abc.sys", false},  // the needle is abc.sys.sys
      {"abc.sys", "d1,abc.sys.sys", true},
      {"abc ", "d1,abc.sys", false},     // the blank stays in the needle
      {"abc ", "d1,abc .sys", true},
      {" abc", " abc.sys", false},       // the line is trimmed first
      {" abc", "d1, abc.sys", true},
      {"\xE4", "d1,\xC4.sys", false},
      {"a.s", "d1,a.s.sys", true},
      {"a", "d1,ba.sys.x", true},
  };
  for (const auto& c : cases) {
    LineList fast = ListOf({c.line});
    LineList reference = ListOf({c.line});
    ClearDosnetEntries(fast, DriverNames({c.name}));
    ReferenceClearDosnetEntries(reference, c.name);
    const std::string expected = c.blanked ? "" : c.line;
    EXPECT_EQ(fast.GetLine(0), expected) << "'" << c.name << "' in '" << c.line << "'";
    EXPECT_EQ(reference.GetLine(0), expected) << "reference: " << c.name;
  }
}

TEST(DosnetPass, UntouchedLinesKeepEveryByteAndPlace) {
  LineList lines = ListOf({"  [Files] ", "d1,abc.sys", "\td1,other.sys\x1A", ""});
  ClearDosnetEntries(lines, DriverNames({"abc"}));
  EXPECT_EQ(LinesOf(lines),
            (std::vector<std::string>{"  [Files] ", "", "\td1,other.sys\x1A", ""}));
  LineList empty;
  ClearDosnetEntries(empty, DriverNames({"abc"}));
  EXPECT_EQ(empty.LineCount(), 0);
}

}  // namespace
}  // namespace vornix
