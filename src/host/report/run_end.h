// The end of a run, normal or after a failure report.
#ifndef VORNIX_HOST_REPORT_RUN_END_H_
#define VORNIX_HOST_REPORT_RUN_END_H_

namespace vornix {

class Console;

/// The end of every run: failures are no longer reported (a fault from here
/// on prints the runtime error line), what standard output still holds is
/// written out (a failure of that write changes nothing), and `status` is
/// returned for the process to exit with.
int FinishRun(int status, Console& console);

}  // namespace vornix

#endif  // VORNIX_HOST_REPORT_RUN_END_H_
