#include "app/exit_pause.h"

#include "app/texts.h"
#include "host/console/console.h"

namespace vornix {

void WaitForEnter(Console& console, bool batch_mode) {
  if (batch_mode) return;
  console.Print("");
  console.Print(texts::kPrompt);
  console.ReadLine();
  console.CheckIO();
}

}  // namespace vornix
