#include "edit/txtsetup_pass.h"

#include <gtest/gtest.h>

#include "edit/driver_names.h"
#include "reference_passes.h"
#include "test_util.h"

namespace vornix {
namespace {

struct Row {
  std::string line;
  bool blanked;
};

// Runs the pass and the per-name reference walk over the same lines and
// checks both against the expected outcome of every row.
void ExpectOutcome(const std::vector<std::string>& names,
                   const std::vector<Row>& rows) {
  std::vector<std::string> lines;
  for (const Row& row : rows) lines.push_back(row.line);
  LineList fast = ListOf(lines);
  LineList reference = ListOf(lines);
  ClearTxtsetupEntries(fast, DriverNames(names));
  for (const std::string& name : names) ReferenceClearTxtsetupEntries(reference, name);
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string expected = rows[i].blanked ? "" : rows[i].line;
    EXPECT_EQ(fast.GetLine(static_cast<int32_t>(i)), expected) << "row " << i << ": " << rows[i].line;
    EXPECT_EQ(reference.GetLine(static_cast<int32_t>(i)), expected) << "reference row " << i;
  }
}

TEST(TxtsetupPass, WorkedExample) {
  ExpectOutcome({"abc"}, {
      {"; abc.sys", false},
      {"[SourceDisksFiles]", false},
      {"abc.sys = 1", true},
      {"  ABCD.SYS = 1", true},
      {"xabc.sys = 1", false},
      {"; abc", false},
      {"[SCSI] ; comment", false},
      {"abc = x", false},
      {"[SCSI.Load]", false},
      {"abc = abc.sys,4", true},
      {"[HardwareIdsDatabase]", false},
      {"id = \"abc\"", true},
      {"id = \"abcd\"", false},
      {"[BusExtenders]", false},
      {"x = xabcx", true},
      {"\t[files.ABC]", true},
      {"abc.sys", true},
      {"other.sys", true},
      {"[files.other]", false},
      {"abc.sys", false},
  });
}

TEST(TxtsetupPass, HeaderRecognition) {
  ExpectOutcome({"abc"}, {
      {"abc.sys = 1", false},                 // before any header
      {"  [scsi.load]\t", false},             // blanks and case don't matter
      {"abc = abc.sys,4", true},
      {"[ SCSI ]", false},                    // a blank inside: no header
      {"abc = x", false},
      {"[SCSI.Load]", false},
      {"; see [SCSI] below", false},          // any other "[" ends the section
      {"abc = abc.sys,4", false},
      {"[SourceDisksFiles.x86]", false},
      {"abc.sys = 1", true},
      {"[SourceDisksFiles.amd64]", false},
      {"ABC.SYS = 1", true},
      {"[SourceDisksFiles.ia64]", false},
      {"abc.sys = 1", true},
      {"[SourceDisksFiles.arm]", false},
      {"abc.sys = 1", false},
      {"[BusExtenders.Load]", false},
      {"abc = abc.sys", true},
      {"[HwIdsDatabase]", false},
      {"id = \"abc\"", false},
  });
}

TEST(TxtsetupPass, OwnFilesSection) {
  ExpectOutcome({"abc"}, {
      {"[files.abcd]", false},   // another driver whose name begins alike
      {"abc.sys", false},
      {"[FILES.abc]", true},
      {"; comment", true},
      {"", true},
      {"dll = 1,x.dll", true},
      {"[Files.abc ]", false},   // a blank inside the brackets: no header
      {"abc.sys", false},
  });
}

// A name that occurs in a bus-extender header must not blank it: the lines
// below would fall under the section before it for every later name.
TEST(TxtsetupPass, RecognisedHeadersAreSpared) {
  ExpectOutcome({"bus", "load", "scsi", "[s"}, {
      {"[SCSI]", false},
      {"[scsi.load]", false},
      {"[SourceDisksFiles]", false},
      {"[BusExtenders]", false},
      {"pcmcia = bus", true},
      {"[BusExtenders.Load]", false},
      {"load = x.sys", true},
      {"[SCSI.Load]", false},
      {"scsiport = scsiport.sys", true},
  });
}

TEST(TxtsetupPass, NameForms) {
  // Other case blanks the same lines; a leading blank never matches a
  // begins-with rule; a trailing blank misses the quoted name and the header.
  ExpectOutcome({"ABC"}, {{"[SCSI]", false}, {"abc = x", true}});
  ExpectOutcome({" abc"}, {{"[SCSI]", false}, {"abc = x", false},
                           {"[BusExtenders]", false}, {"x = y abc", true}});
  ExpectOutcome({"abc "}, {{"[HardwareIdsDatabase]", false}, {"id = \"abc\"", false},
                           {"[files.abc]", false}, {"abc.sys", false},
                           {"[SCSI]", false}, {"abc = x", true}});
}

TEST(TxtsetupPass, QuotedNameIsWhole) {
  ExpectOutcome({"abc"}, {
      {"[HardwareIdsDatabase]", false},
      {"PCI\\VEN_1 = \"xabc\"", false},
      {"PCI\\VEN_2 = abc", false},
      {"PCI\\VEN_3 = \"ABC\"", true},
      {"\"abc\" = other", true},
      {"PCI\\VEN_4 = \"abc", false},
  });
  // The name itself may hold a quote.
  ExpectOutcome({"a\"b"}, {{"[HardwareIdsDatabase]", false}, {"x = \"a\"b\"", true},
                           {"x = \"a\"", false}});
}

TEST(TxtsetupPass, NamesListedTwiceOrNestedBlankOnce) {
  ExpectOutcome({"abc", "abc", "ab", "abcdef"}, {
      {"[SCSI.Load]", false},
      {"abc = abc.sys,4", true},
      {"ab = ab.sys,4", true},
      {"abcde = abcde.sys,4", true},
      {"a = a.sys,4", false},
      {"[files.ab]", true},
      {"x", true},
      {"[files.abcdef]", true},
      {"[files.abcd]", false},
  });
}

}  // namespace
}  // namespace vornix
