// How a failed run ends. A failure that was raised, a fault of the processor
// or the platform and exhausted memory all end in the failure report on
// standard error: the header line with the class name, the module and the
// offset of the place that failed, the message line, and an empty line. A
// failure outside the time the reports are prepared for ends in the
// runtime error line on standard output instead.
#ifndef VORNIX_HOST_REPORT_FAILURE_REPORT_H_
#define VORNIX_HOST_REPORT_FAILURE_REPORT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vornix {

class Console;
class Exception;

constexpr size_t kReportCapacity = 1024;

/// The report text, built in `out` without allocating: the header line and
/// the message line, each ended by the template's own line end. The message
/// gets a final "." unless it is empty or already ends in one.
size_t BuildFailureReport(std::string_view class_name, std::string_view module_name, uint64_t offset,
                          std::string_view message, char out[kReportCapacity]);

/// Makes what a report needs before anything can fail (the failure objects
/// of exhausted memory and of the faults), and from now on reports failures
/// after writing out what `console` holds. Called once at start-up.
void PrepareFailureReports(Console& console);
/// From now on a failure ends in the runtime error line (the run is over).
void RemoveFailureReports();

/// Prints the report for `failure`; returns exit status 1.
int ReportFailure(const Exception& failure, Console& console);
/// The report for exhausted memory, from the instance made in advance.
int ReportOutOfMemory(Console& console);

/// A fault of the processor or the platform.
struct Fault {
  enum class Kind { kAccessViolation,
                    kStackOverflow,
                    kDivByZero,
                    kPrivilege,
                    kInPageError,
                    kOther,
                    kCount };
  Kind kind;
  const void* address;  // of the instruction that faulted
  bool write;           // an access violation: a write, not a read
  uintptr_t accessed;   // an access violation: the address accessed
  uint32_t code;        // any other fault: the platform's code for it
};
/// Reports the fault (or prints the runtime error line), removes the
/// temporary file of a save and ends the process. Allocates nothing and
/// makes only calls that are safe in a signal handler.
[[noreturn]] void ReportFault(const Fault& fault);

/// "Runtime error 217 at 0040A1B2" on standard output, after what it
/// holds, and the process ends with `number` as its status.
[[noreturn]] void ReportRuntimeError(int number, const void* address);

}  // namespace vornix

#endif  // VORNIX_HOST_REPORT_FAILURE_REPORT_H_
