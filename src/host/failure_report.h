// The failure report that ends a run on standard error: the header line with
// the class name, the module and the offset of the place that raised it, the
// message line, and an empty line.
#ifndef VORNIX_HOST_FAILURE_REPORT_H_
#define VORNIX_HOST_FAILURE_REPORT_H_

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
size_t BuildFailureReport(std::string_view class_name,
                          std::string_view module_name, uint64_t offset,
                          std::string_view message, char out[kReportCapacity]);

/// Prints the report for `failure` and ends the run; returns exit status 1.
int ReportFailure(const Exception& failure, Console& console);
/// The report for exhausted memory, from an instance made in advance.
int ReportOutOfMemory(Console& console);

/// Makes the failure objects that must exist before memory runs out, and
/// notes where an allocation fails. Called once at start-up.
void PrepareFailureReports();

}  // namespace vornix

#endif  // VORNIX_HOST_FAILURE_REPORT_H_
