// The start of every run, the same for the program and for the helper of
// its whole-run tests, so that what those tests try is what the program
// does.
#ifndef VORNIX_HOST_REPORT_START_UP_H_
#define VORNIX_HOST_REPORT_START_UP_H_

namespace vornix {

class Console;

/// Sets the process up, opens the console over the standard handles, and
/// makes every failure, fault and interrupt from now on end in its report
/// (or the platform's ending), with a save's temporary file removed. Called
/// once, first thing; the console lives until the process ends.
Console& StartRun();

}  // namespace vornix

#endif  // VORNIX_HOST_REPORT_START_UP_H_
