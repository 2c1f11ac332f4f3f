// Cases of whole runs (tests/cases/*.txt). "== title" begins one; "names a|b", "dosnet.add" and
// "txtsetup.add" give a side file's lines; "txtsetup" and "dosnet" a script's lines, marked "  " kept or
// "- " blanked by the run (txtsetup.sif holds "[Version]" and dosnet.inf nothing unless given). "args",
// "input", "unreadable PATH", "fails CLASS MESSAGE", "pause", "bom" (each side file written with a UTF-8
// byte-order mark before its lines), "stops MESSAGE" (status 2), "usage" (the usage screen) and "screen"
// with "|" lines after the banner say how the run goes; one without a screen or failure saves both
// scripts and, as the usage screen and the preview, ends with status 0. \xHH is a byte.
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
  std::vector<std::string> unreadable;  // paths whose reading fails
  std::optional<std::vector<std::string>> screen;
  bool pause = false, bom = false;
  int status = 0;
};

/// Strict: an unknown line aborts (the fuzzer, reading cases it changed, passes over them).
std::vector<Case> ParseCases(std::string_view text, bool strict);

}  // namespace vornix

#endif  // VORNIX_TESTS_CASE_FILE_H_
