#include "host/failure_report.h"

#include <algorithm>
#include <new>

#include "host/console.h"
#include "host/failures.h"
#include "host/message_catalogue.h"
#include "host/message_template.h"
#include "host/modules.h"
#include "host/paths.h"
#include "host/process.h"
#include "host/run_end.h"
#include "host/std_handles.h"
#include "host/text_encoding.h"

namespace vornix {

namespace {

// Room for a module path of 260 bytes and its terminator, as on Windows,
// with space for longer Linux paths; the name shown is cut to 260 bytes.
constexpr size_t kModulePathCapacity = 4096;
constexpr size_t kModuleNameLimit = 260;
constexpr size_t kTemplateCapacity = 256;

const void* g_out_of_memory_address = nullptr;
EOutOfMemory* g_out_of_memory = nullptr;

// Called by operator new when it finds no memory: the return address lies in
// the allocator, which is where the failure is raised.
VORNIX_NOINLINE void OnOutOfMemory() {
  g_out_of_memory_address = __builtin_return_address(0);
  throw std::bad_alloc();
}

struct ModuleOffset {
  std::string_view name;
  uint64_t offset;
};

ModuleOffset LocateAddress(const void* address, char (&path)[kModulePathCapacity]) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(address);
  ModuleLocation location{};
  std::string_view module_path;
  uint64_t offset;
  if (address != nullptr &&
      LocateModule(address, path, sizeof path, &location)) {
    module_path = std::string_view(path, location.path_length);
    offset = value - location.base;
  } else {
    module_path = std::string_view(path, OwnModulePath(path, sizeof path));
    offset = value == 0 ? 0 : value - 0x1000;
  }
  std::string_view name = FileNameOf(module_path, HostPathRules());
  return ModuleOffset{name.substr(0, kModuleNameLimit), offset};
}

}  // namespace

size_t BuildFailureReport(std::string_view class_name,
                          std::string_view module_name, uint64_t offset,
                          std::string_view message, char out[kReportCapacity]) {
  char pattern[kTemplateCapacity];
  const size_t pattern_size =
      CatalogueText(MessageId::kFailureReport, pattern, sizeof pattern);
  const bool needs_dot = !message.empty() && message.back() != '.';
  return FillTemplate(std::string_view(pattern, pattern_size),
                      {class_name, module_name, TemplateValue::Hex(offset),
                       message, needs_dot ? "." : ""},
                      out, kReportCapacity);
}

int ReportFailure(const Exception& failure, Console& console) {
  static char path[kModulePathCapacity];
  static char report[kReportCapacity];
  const ModuleOffset where = LocateAddress(failure.Address(), path);
  const size_t size = BuildFailureReport(failure.ClassName(), where.name,
                                         where.offset, failure.Message(), report);
  // The progress text goes out before the report. Should that write fail,
  // the report matters more than the error of the text before it.
  console.FlushOutput();
  console.ClearIOError();
  WriteStdError(report, ToConsoleEncoding(report, size, sizeof report));
  const std::string_view line_end = console.LineEnd();
  WriteStdError(line_end.data(), line_end.size());
  return FinishRun(1, console);
}

int ReportOutOfMemory(Console& console) {
  // Reached only after PrepareFailureReports, which makes the instance.
  g_out_of_memory->SetAddress(g_out_of_memory_address);
  return ReportFailure(*g_out_of_memory, console);
}

void PrepareFailureReports() {
  static EOutOfMemory out_of_memory;
  g_out_of_memory = &out_of_memory;
  std::set_new_handler(OnOutOfMemory);
}

}  // namespace vornix
