#include "app/texts.h"

#include "app/exit_pause.h"
#include "host/console.h"

namespace vornix {

void Print(Console& console, const char* text) {
  console.WriteLine(text);
  console.CheckIO();
}

void ShowBanner(Console& console) {
  Print(console, texts::kBanner);
  Print(console, texts::kCreditAuthors);
  Print(console, texts::kCreditPlace);
  Print(console, "");
}

void ShowUsage(Console& console, bool batch_mode) {
  Print(console, texts::kUsage);
  Print(console, "");
  Print(console, texts::kUsageDir);
  Print(console, texts::kUsageBatch);
  Print(console, "");
  Print(console, texts::kUsageReadme);
  WaitForEnter(console, batch_mode);
}

}  // namespace vornix
