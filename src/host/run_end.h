// The end of a run, normal or after a failure report.
#ifndef VORNIX_HOST_RUN_END_H_
#define VORNIX_HOST_RUN_END_H_

namespace vornix {

class Console;

/// Writes out what standard output still holds (a failure of that last
/// write changes nothing) and returns `status` for the process to exit with.
int FinishRun(int status, Console& console);

}  // namespace vornix

#endif  // VORNIX_HOST_RUN_END_H_
