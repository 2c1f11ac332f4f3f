// The program's arguments: argument 0 is the executable's own full path,
// 1 to ArgumentCount() are what the user typed, and only the last one can be
// the batch switch.
#ifndef VORNIX_HOST_COMMAND_LINE_H_
#define VORNIX_HOST_COMMAND_LINE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/paths.h"

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

/// One step of the Windows command-line split from `*position`: skips
/// separators and pairs of double quotes standing alone, then takes one
/// argument with its quotes removed. Gives the empty text only when nothing
/// but separators and quote pairs is left. A lead byte and its trail byte
/// are always taken together, so a trail byte is never a quote.
std::string NextArgument(std::string_view command_line, size_t* position,
                         const LeadByteSet& lead_bytes);

/// The arguments after the program name, up to the first empty step.
std::vector<std::string> SplitCommandLine(std::string_view command_line,
                                          const LeadByteSet& lead_bytes);

/// Linux: argv[1..], empty entries left out.
std::vector<std::string> ArgumentsFromArgv(int argc, const char* const* argv);

/// The batch switch: the last argument is "-Q" in any letter case.
bool IsBatchSwitch(const Arguments& arguments);

/// The process's own arguments (one implementation per platform).
Arguments ProcessArguments(int argc, char** argv);

}  // namespace vornix

#endif  // VORNIX_HOST_COMMAND_LINE_H_
