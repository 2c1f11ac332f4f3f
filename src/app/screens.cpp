#include "app/screens.h"

#include "app/exit_pause.h"
#include "app/texts.h"
#include "host/console/console.h"

namespace vornix {

void ShowBanner(Console& console) {
  console.Print(texts::kBanner);
  console.Print(texts::kCreditAuthors);
  console.Print(texts::kCreditPlace);
  console.Print("");
}

void ShowUsage(Console& console, bool batch_mode) {
  console.Print(texts::kUsage);
  console.Print("");
  console.Print(texts::kUsageDir);
  console.Print(texts::kUsageBatch);
  console.Print("");
  console.Print(texts::kUsageReadme);
  WaitForEnter(console, batch_mode);
}

}  // namespace vornix
