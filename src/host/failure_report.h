// The end of a run. A normal end writes out what standard output still holds;
// a failure ends the run with the failure report on standard error: the
// header line with the class name, the module and the offset of the place
// that raised it, the message line, and an empty line.
#ifndef VORNIX_HOST_FAILURE_REPORT_H_
#define VORNIX_HOST_FAILURE_REPORT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vornix {

class Console;
class Exception;

constexpr size_t kReportCapacity = 1024;
constexpr size_t kReportTemplateCapacity = 256;
constexpr size_t kModuleNameLimit = 260;

/// The report text, built in `out` without allocating: the header line and
/// the message line, each ended by the template's own line end. The message
/// gets a final "." unless it is empty or already ends in one.
size_t BuildFailureReport(std::string_view class_name,
                          std::string_view module_name, uint64_t offset,
                          std::string_view message, char out[kReportCapacity]);

/// Prints the report for `failure` and ends the run; returns exit status 1.
int ReportFailure(const Exception& failure, Console& console);
/// The report for exhausted memory, from an instance made in advance.
int ReportOutOfMemory(Console& console);
/// Writes out held output; returns `status` for the process to exit with.
int FinishRun(int status, Console& console);

/// Makes the failure objects that must exist before memory runs out, and
/// notes where an allocation fails. Called once at start-up.
void PrepareFailureReports();

// One implementation per platform.
struct ModuleLocation {
  size_t path_length;
  uintptr_t base;
};
/// The module that holds `address`: its path into `path` and its load base.
bool LocateModule(const void* address, char* path, size_t capacity,
                  ModuleLocation* location);
/// The program's own module path into `path`; returns its length.
size_t OwnModulePath(char* path, size_t capacity);
/// Converts the report in place to the encoding of the console (Windows:
/// from the ANSI to the OEM code page); returns its new size.
size_t ConvertReportEncoding(char* text, size_t size, size_t capacity);

}  // namespace vornix

#endif  // VORNIX_HOST_FAILURE_REPORT_H_
