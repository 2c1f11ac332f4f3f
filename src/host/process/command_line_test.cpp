#include "host/process/command_line.h"

#include <gtest/gtest.h>

namespace vornix {
namespace {

using Strings = std::vector<std::string>;

std::wstring Widened(const std::string& text) {
  std::wstring wide;
  for (const char c : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

TEST(CommandLine, SplitsAsWindowsDoes) {
  LeadByteSet sjis;
  sjis.AddRange(0x81, 0x9F);
  // clang-format off
  const struct { std::string after_program; Strings arguments; const LeadByteSet& lead_bytes; } cases[] = {
      {"", {}, {}}, {"   \t ", {}, {}}, {"C:\\I386 -q", {"C:\\I386", "-q"}, {}},
      {"\"C:\\My Setup\\I386\\\" -Q", {"C:\\My Setup\\I386\\", "-Q"}, {}},
      {"C:\\I386 \"\" \"\"  \"\" -Q", {"C:\\I386", "-Q"}, {}}, {"C:\\I386 \"-Q\"", {"C:\\I386", "-Q"}, {}},
      {"\"C:\\I386 -Q", {"C:\\I386 -Q"}, {}}, {"C:\\I386 \"", {"C:\\I386"}, {}}, {"a\"b c\"d", {"ab cd"}, {}},
      {"\"a\"\"b\"", {"ab"}, {}}, {"a\tb\r\nc", {"a", "b", "c"}, {}}, {"x \"-Q \"", {"x", "-Q "}, {}},
      {std::string("a\0b", 3), {"a"}, {}}, {"\xE4\xF6 \x01-q", {"\xE4\xF6", "-q"}, {}},
      {"\"a\x81\"b\" c", {"a\x81\"b", "c"}, sjis},  // 0x81 0x22 is one character: no quote
      {"\"a\x81\"b\" c", {"a\x81" "b c"}, {}}, {"a\x81", {"a\x81"}, sjis},
  };
  // clang-format on
  for (const auto& c : cases)
    for (const char* program : {"vornix.exe ", "\"C:\\Program Files\\vornix.exe\" ", "v\t"}) {
      EXPECT_EQ(SplitCommandLine(program + c.after_program, c.lead_bytes), c.arguments) << program << c.after_program;
      if (&c.lead_bytes == &sjis) continue;  // a wide line, split by the same rules, has no lead bytes
      std::vector<std::wstring> wide;
      for (const std::string& argument : c.arguments) wide.push_back(Widened(argument));
      EXPECT_EQ(SplitCommandLine(Widened(program + c.after_program)), wide) << program << c.after_program;
    }
  // A program name whose quote never closes takes the whole line.
  EXPECT_EQ(SplitCommandLine("\"C:\\vornix.exe C:\\I386 -Q", {}), Strings{});
}

}  // namespace
}  // namespace vornix
