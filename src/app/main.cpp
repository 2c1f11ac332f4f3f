// vornix: removes integrated mass-storage drivers from the text-mode setup
// scripts of a Windows installation source.
#include <new>
#include <stdexcept>

#include "app/run_driver.h"
#include "host/console.h"
#include "host/failure_report.h"
#include "host/failures.h"
#include "host/fault_handlers.h"
#include "host/file_system.h"
#include "host/process.h"
#include "host/run_end.h"
#include "host/std_handles.h"
#include "host/temporary_files.h"

int main(int argc, char** argv) {
  using namespace vornix;
  StartProcess();
  Console console(StdInputHandle(), StdOutputHandle(), ConsoleLineEnd());
  PrepareFailureReports(console);
  InstallFaultHandlers();
  RemoveTemporaryFileOnInterrupt();
  int status = 0;
  try {
    const Arguments arguments = ProcessArguments(argc, argv);
    RunDriver(RunHost{arguments, RealFileSystem(), console, HostPathRules()});
  } catch (const Exception& failure) {
    status = ReportFailure(failure, console);
  } catch (const std::bad_alloc&) {
    status = ReportOutOfMemory(console);
  } catch (const std::length_error&) {
    status = ReportOutOfMemory(console);
  }
  return FinishRun(status, console);
}
