#include "host/run_end.h"

#include "host/console.h"

namespace vornix {

int FinishRun(int status, Console& console) {
  console.Close();
  return status;
}

}  // namespace vornix
