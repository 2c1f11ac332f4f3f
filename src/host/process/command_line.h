// The program's arguments: argument 0 is the executable's own full path,
// 1 to ArgumentCount() are what the user typed, and only the last one can be
// a switch.
#ifndef VORNIX_HOST_PROCESS_COMMAND_LINE_H_
#define VORNIX_HOST_PROCESS_COMMAND_LINE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/text/lead_bytes.h"

namespace vornix {

class Arguments {
 public:
  Arguments(std::string executable_path, std::vector<std::string> arguments)
      : executable_path_(std::move(executable_path)),
        arguments_(std::move(arguments)) {}

  int32_t ArgumentCount() const {
    return static_cast<int32_t>(arguments_.size());
  }
  /// 0: the executable's path; 1 to ArgumentCount(): the arguments; any other
  /// index: the empty text.
  std::string ArgumentAt(int32_t index) const;

 private:
  std::string executable_path_;
  std::vector<std::string> arguments_;
};

/// What the last argument asks for. Each switch has a dash form and the
/// Windows slash form, in any letter case; anything else is no switch.
enum class Switch { kNone,
                    kBatch,
                    kPreview,
                    kList,
                    kHelp };
Switch SwitchOf(std::string_view last_argument);

/// The arguments after the program name, split as Windows splits a command
/// line: blanks and control bytes separate, double quotes group and are
/// removed, a pair of quotes standing alone is no argument. A lead byte and
/// its trail byte are always taken together, so a trail byte is never a
/// quote.
std::vector<std::string> SplitCommandLine(std::string_view command_line,
                                          const LeadByteSet& lead_bytes);
/// The same split over a wide command line (Windows' own, which holds every
/// character the user typed).
std::vector<std::wstring> SplitCommandLine(std::wstring_view command_line);

/// Linux: argv[1..], empty entries left out.
std::vector<std::string> ArgumentsFromArgv(int argc, const char* const* argv);

}  // namespace vornix

#endif  // VORNIX_HOST_PROCESS_COMMAND_LINE_H_
