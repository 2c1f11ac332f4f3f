#include "host/command_line.h"

#include <gtest/gtest.h>

namespace vornix {
namespace {

using Strings = std::vector<std::string>;

TEST(CommandLine, SplitsLikeWindows) {
  const struct {
    std::string after_program;
    Strings arguments;
    bool batch;
  } cases[] = {
      {"", {}, false},
      {"   \t ", {}, false},
      {"C:\\I386 -q", {"C:\\I386", "-q"}, true},
      {"\"C:\\My Setup\\I386\\\" -Q", {"C:\\My Setup\\I386\\", "-Q"}, true},
      {"-Q", {"-Q"}, true},
      {"-Q C:\\I386", {"-Q", "C:\\I386"}, false},
      {"C:\\I386 -Q more", {"C:\\I386", "-Q", "more"}, false},
      {"C:\\I386 \"\" -Q", {"C:\\I386", "-Q"}, true},
      {"C:\\I386 \"\" \"\"  \"\" -Q", {"C:\\I386", "-Q"}, true},
      {"C:\\I386 \"-Q\"", {"C:\\I386", "-Q"}, true},
      {"\"C:\\I386 -Q", {"C:\\I386 -Q"}, false},
      {"C:\\I386 \"", {"C:\\I386"}, false},
      {"a\"b c\"d", {"ab cd"}, false},
      {"\"a\"\"b\"", {"ab"}, false},
      {"a\tb\r\nc", {"a", "b", "c"}, false},
      {"x /Q", {"x", "/Q"}, false},
      {"x \"-Q \"", {"x", "-Q "}, false},
      {"x -QQ", {"x", "-QQ"}, false},
      {"\xE4\xF6 \x01-q", {"\xE4\xF6", "-q"}, true},
  };
  for (const auto& c : cases) {
    for (const char* program : {"vornix.exe ", "\"C:\\Program Files\\vornix.exe\" ", "v\t"}) {
      const Strings split = SplitCommandLine(program + c.after_program, LeadByteSet());
      EXPECT_EQ(split, c.arguments) << program << c.after_program;
    }
  }
}

TEST(CommandLine, ProgramNameWithOpenQuoteTakesEverything) {
  EXPECT_EQ(SplitCommandLine("\"C:\\vornix.exe C:\\I386 -Q", LeadByteSet()), Strings{});
}

TEST(CommandLine, TrailBytesAreNeverQuotes) {
  LeadByteSet set;
  set.AddRange(0x81, 0x9F);
  // 0x81 0x22 is one character: the quote inside it opens nothing.
  EXPECT_EQ(SplitCommandLine("p \"a\x81\"b\" c", set), (Strings{"a\x81\"b", "c"}));
  EXPECT_EQ(SplitCommandLine("p \"a\x81\"b\" c", LeadByteSet()), (Strings{"a\x81" "b c"}));
  EXPECT_EQ(SplitCommandLine("p a\x81", set), Strings{"a\x81"});
}

TEST(CommandLine, ArgumentsAndArgv) {
  const char* const argv[] = {"./vornix", "", "I386", "", "-q"};
  const Arguments arguments("/opt/vornix", ArgumentsFromArgv(5, argv));
  EXPECT_EQ(arguments.ArgumentCount(), 2);
  EXPECT_EQ(arguments.ArgumentAt(0), "/opt/vornix");
  EXPECT_EQ(arguments.ArgumentAt(1), "I386");
  EXPECT_EQ(arguments.ArgumentAt(2), "-q");
  EXPECT_EQ(arguments.ArgumentAt(3), "");
  EXPECT_EQ(arguments.ArgumentAt(-1), "");
}

}  // namespace
}  // namespace vornix
