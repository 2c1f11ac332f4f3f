#include "host/run_end.h"

#include "host/console.h"
#include "host/failure_report.h"

namespace vornix {

int FinishRun(int status, Console& console) {
  RemoveFailureReports();
  console.Close();
  return status;
}

}  // namespace vornix
