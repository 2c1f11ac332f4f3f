// Faults of the processor and the platform (an access violation, a stack
// overflow, a division by zero, an illegal instruction, a failing device)
// end in a failure report, never in a silent death, a status that reads as
// success, or a system dialog. One implementation per platform.
#ifndef VORNIX_HOST_REPORT_FAULT_HANDLERS_H_
#define VORNIX_HOST_REPORT_FAULT_HANDLERS_H_

namespace vornix {

/// Hands every fault to ReportFault. Called once at start-up.
void InstallFaultHandlers();

}  // namespace vornix

#endif  // VORNIX_HOST_REPORT_FAULT_HANDLERS_H_
