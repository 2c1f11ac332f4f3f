#include "edit/driver_names.h"

#include <gtest/gtest.h>

#include <random>

#include "edit/dosnet_pass.h"
#include "edit/txtsetup_pass.h"
#include "reference_passes.h"
#include "test_util.h"

namespace vornix {
namespace {

TEST(DriverNames, MatchesInEveryDirectionAndCase) {
  const DriverNames names({"ab", "abcd", "X\xE4", "q\"r"});
  EXPECT_TRUE(names.BeginsText("AB = 1"));
  EXPECT_TRUE(names.BeginsText("abc"));
  EXPECT_FALSE(names.BeginsText("a"));
  EXPECT_FALSE(names.BeginsText(" ab"));
  EXPECT_TRUE(names.BeginsText("x\xE4"));
  EXPECT_FALSE(names.BeginsText("x\xC4"));
  EXPECT_TRUE(names.QuotedIn("id = \"ABCD\""));
  EXPECT_FALSE(names.QuotedIn("id = \"abc\""));
  EXPECT_TRUE(names.QuotedIn("\"q\"r\""));
  EXPECT_TRUE(names.OccursIn("zzabzz"));
  EXPECT_FALSE(names.OccursIn("a b"));
  EXPECT_TRUE(names.IsName("ABCD"));
  EXPECT_FALSE(names.IsName("abc"));
  EXPECT_FALSE(names.IsName(""));
  EXPECT_TRUE(names.SysFileIn("1,xAb.Sys"));
  EXPECT_FALSE(names.SysFileIn("ab.sy"));
  EXPECT_FALSE(names.SysFileIn(".sys"));
  EXPECT_TRUE(DriverNames({}).IsEmpty());
  EXPECT_TRUE(DriverNames({""}).IsEmpty());
}

TEST(DriverNames, LongNamesCostTheirLengthOnce) {
  const std::string name(1 << 20, 'n');
  const DriverNames names({name, name + "x", "n"});
  EXPECT_TRUE(names.IsName(name));
  EXPECT_TRUE(names.SysFileIn("d1," + name + ".sys"));
  EXPECT_FALSE(names.IsName(name + "y"));
}

// Scripts made of the pieces the rules look at, in random order and case,
// so that the one-walk passes meet the same lines as the per-name walks.
class ScriptGenerator {
 public:
  explicit ScriptGenerator(unsigned seed) : random_(seed) {}

  std::vector<std::string> Names(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(Word());
    return names;
  }

  std::vector<std::string> Lines(int count, const std::vector<std::string>& names) {
    static const char* const kHeaders[] = {
        "[SourceDisksFiles]", "[sourcedisksfiles.x86]", "[SourceDisksFiles.amd64]",
        "[SourceDisksFiles.ia64]", "[SCSI]", "  [SCSI.Load]\t", "[HardwareIdsDatabase]",
        "[BusExtenders]", "[BusExtenders.Load]", "[Strings]", "[ SCSI ]", "[SCSI] ;x"};
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
      const std::string name = Pick(names);
      switch (Below(9)) {
        case 0: lines.push_back(kHeaders[Below(std::size(kHeaders))]); break;
        case 1: lines.push_back("[files." + Vary(name) + "]"); break;
        case 2: lines.push_back(Vary(name) + ".sys = 1,,,,,,4_,4,1"); break;
        case 3: lines.push_back(Vary(name) + " = \"" + Word() + "\""); break;
        case 4: lines.push_back("PCI\\VEN_" + Word() + " = \"" + Vary(name) + "\""); break;
        case 5: lines.push_back("d1," + Word() + Vary(name) + ".SyS" + Word()); break;
        case 6: lines.push_back(Blanks() + Word() + Blanks() + Vary(name) + Word()); break;
        case 7: lines.push_back(""); break;
        default: lines.push_back(Word() + "[" + Word()); break;
      }
    }
    return lines;
  }

 private:
  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
  std::string Pick(const std::vector<std::string>& v) { return v.empty() ? "x" : v[Below(v.size())]; }
  std::string Word() {
    static const char kBytes[] = "abcABC.s\"[] \t\xE4\xC4_";
    std::string word;
    for (size_t n = Below(4); n > 0; --n) word.push_back(kBytes[Below(sizeof kBytes - 1)]);
    return word;
  }
  std::string Blanks() { return std::string(Below(3), Below(2) ? ' ' : '\t'); }
  // The name itself, in other case, cut short, or grown.
  std::string Vary(std::string name) {
    switch (Below(4)) {
      case 0: for (char& c : name) if (Below(2)) c = static_cast<char>(c ^ 0x20 * (std::isalpha(static_cast<unsigned char>(c)) != 0)); return name;
      case 1: return name.substr(0, Below(name.size() + 1));
      case 2: return name + Word();
      default: return name;
    }
  }
  std::mt19937 random_;
};

TEST(DriverNames, OneWalkEqualsPerNameWalks) {
  for (unsigned seed = 1; seed <= 400; ++seed) {
    ScriptGenerator generator(seed);
    std::vector<std::string> names = generator.Names(1 + seed % 7);
    const std::vector<std::string> lines = generator.Lines(60, names);
    names.erase(std::remove(names.begin(), names.end(), ""), names.end());
    LineList txtsetup = ListOf(lines), dosnet = ListOf(lines);
    LineList reference_txtsetup = ListOf(lines), reference_dosnet = ListOf(lines);
    const DriverNames prepared(names);
    ClearTxtsetupEntries(txtsetup, prepared);
    ClearDosnetEntries(dosnet, prepared);
    ReferenceRemoveDrivers(reference_txtsetup, reference_dosnet, names);
    ASSERT_EQ(LinesOf(txtsetup), LinesOf(reference_txtsetup)) << "seed " << seed;
    ASSERT_EQ(LinesOf(dosnet), LinesOf(reference_dosnet)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace vornix
