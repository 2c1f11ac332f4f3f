// vornix: removes integrated mass-storage drivers from the text-mode setup
// scripts of a Windows installation source.
#include <new>
#include <stdexcept>

#include "app/run_driver.h"
#include "host/console/console.h"
#include "host/failures/failures.h"
#include "host/files/file_system.h"
#include "host/process/process.h"
#include "host/report/failure_report.h"
#include "host/report/run_end.h"
#include "host/report/start_up.h"

int main(int argc, char** argv) {
  using namespace vornix;
  Console& console = StartRun();
  int status = 0;
  try {
    const Arguments arguments = ProcessArguments(argc, argv);
    status = RunDriver(RunHost{arguments, RealFileSystem(), console, HostPathRules()});
  } catch (const Exception& failure) {
    status = ReportFailure(failure, console);
  } catch (const std::bad_alloc&) {
    status = ReportOutOfMemory(console);
  } catch (const std::length_error&) {
    status = ReportOutOfMemory(console);
  }
  return FinishRun(status, console);
}
