#include "host/report/start_up.h"

#include "host/console/console.h"
#include "host/console/std_handles.h"
#include "host/files/temporary_files.h"
#include "host/process/process.h"
#include "host/report/failure_report.h"
#include "host/report/fault_handlers.h"

namespace vornix {

Console& StartRun() {
  StartProcess();
  static Console console(StdInputHandle(), StdOutputHandle(), ConsoleLineEnd());
  PrepareFailureReports(console);
  InstallFaultHandlers();
  RemoveTemporaryFileOnInterrupt();
  return console;
}

}  // namespace vornix
