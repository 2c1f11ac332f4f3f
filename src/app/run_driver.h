// The whole run, in its fixed order: arguments, the two scripts, the side
// files, the removal passes, the restore lines, the two saves, the pause; or
// up to the passes, and the preview of what they would do.
#ifndef VORNIX_APP_RUN_DRIVER_H_
#define VORNIX_APP_RUN_DRIVER_H_

#include <string>

namespace vornix {

class Arguments;
class Console;
class FileSystem;
struct PathRules;

struct RunHost {
  const Arguments& arguments;
  FileSystem& fs;
  Console& console;
  const PathRules& paths;
};

/// The exit status of a run stopped with "Process stopped.": nothing was
/// written, so that a batch file need not look for the scripts itself.
constexpr int kStoppedStatus = 2;

/// Runs once and gives the exit status: 0, or kStoppedStatus. Failures are
/// raised to the caller, which reports them.
int RunDriver(const RunHost& host);

}  // namespace vornix

#endif  // VORNIX_APP_RUN_DRIVER_H_
