// What the program takes from its process, one implementation per platform:
// the start-up settings, the arguments and the path rules.
#ifndef VORNIX_HOST_PROCESS_PROCESS_H_
#define VORNIX_HOST_PROCESS_PROCESS_H_

#include "host/process/command_line.h"
#include "host/process/paths.h"

namespace vornix {

/// Sets the process up before anything is printed: the lead-byte set of the
/// code page (Windows), no error dialogs (Windows); a closed pipe and a file
/// grown past its size limit are write errors, not silent deaths (Linux).
void StartProcess();

/// Ends the process at once with `status`, running no clean-up of the
/// language runtime; safe in a signal handler.
[[noreturn]] void EndProcess(int status);

/// Argument 0 is the executable's full path; Windows splits its own command
/// line, Linux takes argv.
Arguments ProcessArguments(int argc, char** argv);

/// The path rules of the platform, with the lead bytes fixed at start-up.
const PathRules& HostPathRules();

}  // namespace vornix

#endif  // VORNIX_HOST_PROCESS_PROCESS_H_
