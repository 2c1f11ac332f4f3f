// Cases of the removal rules and of whole runs (tests/cases/*.txt): "== title"
// begins one; "names a|b" (also "dosnet.add", "txtsetup.add") gives a side
// file's lines; "txtsetup" or "dosnet" gives the lines of a script that follow,
// each after a mark, "  " kept or "- " blanked by the run (by default
// txtsetup.sif holds "[Version]" and dosnet.inf nothing; "missing NAME" takes
// one away); "args", "input", "failing PATH STEP", "fails CLASS MESSAGE",
// "pause", "stops MESSAGE" and "screen" with its "|" lines (after the
// banner) say how the run goes; "saved PATHS" the files saved (by default both scripts, none with a
// screen or a failure). \xHH is a byte. The program is /tool/vornix.
#ifndef VORNIX_TESTS_CASE_FILE_H_
#define VORNIX_TESTS_CASE_FILE_H_

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

struct Case {
  std::string title, input, fails;
  std::map<std::string, std::vector<std::string>> files{{"txtsetup.sif", {"[Version]"}}, {"dosnet.inf", {}}};
  std::map<std::string, std::vector<bool>> blanked{{"txtsetup.sif", {false}}, {"dosnet.inf", {}}};
  std::vector<std::string> args{"/I386", "-Q"};
  std::map<std::string, std::string> failing;  // path: open, read, create or write
  std::optional<std::vector<std::string>> screen, saved;
  bool pause = false;
};

/// Strict: a line the format does not know aborts; otherwise it is passed
/// over (the fuzzer reads cases it has changed).
std::vector<Case> ParseCases(std::string_view text, bool strict);

}  // namespace vornix

#endif  // VORNIX_TESTS_CASE_FILE_H_
