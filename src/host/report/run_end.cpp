#include "host/report/run_end.h"

#include "host/console/console.h"
#include "host/report/failure_report.h"

namespace vornix {

int FinishRun(int status, Console& console) {
  RemoveFailureReports();
  console.Close();
  return status;
}

}  // namespace vornix
