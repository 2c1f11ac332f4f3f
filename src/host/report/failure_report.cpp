#include "host/report/failure_report.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <new>

#include "host/console/console.h"
#include "host/console/std_handles.h"
#include "host/failures/failures.h"
#include "host/failures/message_catalogue.h"
#include "host/failures/message_template.h"
#include "host/failures/text_encoding.h"
#include "host/files/temporary_files.h"
#include "host/process/modules.h"
#include "host/process/paths.h"
#include "host/process/process.h"

namespace vornix {

namespace {

// Room for a module path of 260 bytes and its terminator, as on Windows,
// with space for longer Linux paths; the name shown is cut to 260 bytes.
constexpr size_t kModulePathCapacity = 4096;
constexpr size_t kModuleNameLimit = 260;
constexpr size_t kTemplateCapacity = 256;

const void* g_out_of_memory_address = nullptr;
Console* g_console = nullptr;  // set while reports are prepared for

// The failure objects that need no memory when they are reported.
EOutOfMemory g_out_of_memory;
EAccessViolation g_access_violation("");
EStackOverflow g_stack_overflow("");
EDivByZero g_div_by_zero("");
EPrivilege g_privilege("");
EInPageError g_in_page_error("");
EExternalException g_external_exception("");

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

size_t BuildFailureReport(std::string_view class_name, std::string_view module_name, uint64_t offset,
                          std::string_view message, char out[kReportCapacity]) {
  char pattern[kTemplateCapacity];
  const size_t pattern_size = CatalogueText(MessageId::kFailureReport, pattern, sizeof pattern);
  const bool needs_dot = !message.empty() && message.back() != '.';
  return FillTemplate(std::string_view(pattern, pattern_size),
                      {class_name, module_name, TemplateValue::Hex(offset), message, needs_dot ? "." : ""},
                      out, kReportCapacity);
}

namespace {

// Builds and writes the report in fixed areas, after what standard output
// holds. Should that write fail, the report matters more than its error.
void WriteReport(Console& console, const char* class_name, const ModuleOffset& where, std::string_view message) {
  static char report[kReportCapacity];
  const size_t size = BuildFailureReport(class_name, where.name, where.offset, message, report);
  console.FlushOutput();
  WriteStdError(report, ToConsoleEncoding(report, size, sizeof report));
  const std::string_view line_end = ConsoleLineEnd();
  WriteStdError(line_end.data(), line_end.size());
}

// A C++ exception that no handler takes: outside a run, or thrown on from a
// clean-up that may not throw.
[[noreturn]] void OnTerminate() { ReportRuntimeError(217, __builtin_return_address(0)); }

}  // namespace

void PrepareFailureReports(Console& console) {
  g_console = &console;
  NoteModules();
  std::set_new_handler(OnOutOfMemory);
  std::set_terminate(OnTerminate);
}

void RemoveFailureReports() { g_console = nullptr; }

int ReportFailure(const Exception& failure, Console& console) {
  static char path[kModulePathCapacity];
  WriteReport(console, failure.ClassName(), LocateAddress(failure.Address(), path), failure.Message());
  return 1;
}

int ReportOutOfMemory(Console& console) {
  g_out_of_memory.SetAddress(g_out_of_memory_address);
  return ReportFailure(g_out_of_memory, console);
}

void ReportFault(const Fault& fault) {
  struct FaultText {
    Exception* failure;
    MessageId message;
    int runtime_error;
  };
  static const FaultText kTexts[] = {
      {&g_access_violation, MessageId::kAccessViolation, 216},
      {&g_stack_overflow, MessageId::kStackOverflow, 202},
      {&g_div_by_zero, MessageId::kDivByZero, 200},
      {&g_privilege, MessageId::kPrivilege, 255},
      {&g_in_page_error, MessageId::kInPageError, 255},
      {&g_external_exception, MessageId::kExternalException, 255},
  };
  static_assert(std::size(kTexts) == static_cast<size_t>(Fault::Kind::kCount));
  const FaultText& kind = kTexts[static_cast<int>(fault.kind)];
  if (g_console == nullptr) ReportRuntimeError(kind.runtime_error, fault.address);
  RemoveTemporaryFile();

  // The message: the place and the access of a violation, the code of any
  // other fault, each in eight or more hexadecimal digits.
  static char pattern[kTemplateCapacity], access[kTemplateCapacity], code[16];
  static char path[kModulePathCapacity], message[kReportCapacity];
  const std::string_view text(pattern, CatalogueText(kind.message, pattern, sizeof pattern));
  const ModuleOffset where = LocateAddress(fault.address, path);
  const std::string_view read_or_write(
      access, CatalogueText(fault.write ? MessageId::kWriteOf : MessageId::kReadOf, access, sizeof access));
  const std::string_view code_text(code, FillTemplate("%p", {TemplateValue::Hex(fault.code)}, code, sizeof code));
  const size_t size =
      fault.kind == Fault::Kind::kAccessViolation
          ? FillTemplate(text, {TemplateValue::Hex(where.offset), where.name, read_or_write, TemplateValue::Hex(fault.accessed)}, message, sizeof message)
          : FillTemplate(text, {code_text}, message, sizeof message);
  WriteReport(*g_console, kind.failure->ClassName(), where, std::string_view(message, size));
  EndProcess(1);
}

void ReportRuntimeError(const int number, const void* address) {
  RemoveTemporaryFile();
  if (g_console != nullptr) g_console->FlushOutput();
  // "Runtime error 217 at 0040A1B2": the numbers have three digits, so the
  // last one is the 17th character; the address shows its low eight digits.
  char line[64];
  const uint32_t low = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address));
  const size_t size = FillTemplate("Runtime error %d at %p", {number, TemplateValue::Hex(low)}, line, sizeof line);
  WriteStdOutput(line, size);
  const std::string_view line_end = ConsoleLineEnd();
  WriteStdOutput(line_end.data(), line_end.size());
  EndProcess(number);
}

}  // namespace vornix
