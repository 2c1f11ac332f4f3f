// The removal rules and whole runs as cases, in tests/cases/*.txt:
//
//   == title                   a case begins
//   names abc|ab\x20           txtfiles.del, its lines split at "|" (so are
//   dosnet.add a|b             dosnet.add and txtsetup.add); \xHH is a byte
//   txtsetup                   txtsetup.sif (dosnet: dosnet.inf), one line
//     [SCSI]                   each after a mark: "  " the run keeps the
//   - abc = x                  line, "- " the run blanks it
//   missing dosnet.inf         (by default a script is there; txtsetup.sif
//                              holds "[Version]", dosnet.inf nothing)
//   args /I386 -q              the arguments (default: /I386 -Q)
//   input abc\x0D              standard input
//   failing /I386/DOSNET.INF create   that step for that file fails
//   fails EClass message       the run raises this failure
//   pause                      the run ends with the exit pause
//   screen                     what follows the banner on standard output,
//   |Preview: ...              a line each (default: the progress lines)
//   saved /I386/TXTSETUP.SIF   the files saved, in order (default: both
//                              scripts, none with screen or fails)
//
// The program is /tool/vornix; a script saved holds the lines kept, empty
// lines for those blanked, then the add lines.
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
  std::map<std::string, std::vector<std::string>> files{{"txtsetup.sif", {"[Version]"}},
                                                        {"dosnet.inf", {}}};
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
