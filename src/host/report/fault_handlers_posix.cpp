// Linux: SIGSEGV, SIGBUS, SIGFPE and SIGILL, caught on a stack of their own
// so that a stack overflow is reported too.
#include <signal.h>
#include <sys/resource.h>
#include <ucontext.h>

#include <cstdint>

#include "host/report/failure_report.h"
#include "host/report/fault_handlers.h"

namespace vornix {

namespace {

char g_signal_stack[64 * 1024];
uintptr_t g_stack_limit;  // how far down the main stack may grow

// The instruction that faulted, and whether an access was a write.
void ReadContext(const void* context, Fault* fault) {
#if defined(__x86_64__)
  const greg_t* registers = static_cast<const ucontext_t*>(context)->uc_mcontext.gregs;
  fault->address = reinterpret_cast<const void*>(registers[REG_RIP]);
  fault->write = (registers[REG_ERR] & 2) != 0;
#else
  (void)context;
  (void)fault;
#endif
}

// The kind of a fault the processor raised.
Fault::Kind FaultKindOfSignal(int signal_number, const siginfo_t& info) {
  switch (signal_number) {
    case SIGSEGV: {
      // A stack overflow faults just below the lowest address the stack may take.
      const uintptr_t accessed = reinterpret_cast<uintptr_t>(info.si_addr);
      const bool overflow = accessed + (1 << 20) >= g_stack_limit && accessed < g_stack_limit + (1 << 20);
      return overflow ? Fault::Kind::kStackOverflow : Fault::Kind::kAccessViolation;
    }
    case SIGBUS:
      return Fault::Kind::kInPageError;
    case SIGILL:
      return Fault::Kind::kPrivilege;
    default:  // SIGFPE
      return info.si_code == FPE_INTDIV || info.si_code == FPE_FLTDIV ? Fault::Kind::kDivByZero
                                                                      : Fault::Kind::kOther;
  }
}

void OnFault(int signal_number, siginfo_t* info, void* context) {
  Fault fault{Fault::Kind::kOther, info->si_addr, false, reinterpret_cast<uintptr_t>(info->si_addr),
              static_cast<uint32_t>(signal_number)};
  ReadContext(context, &fault);
  const bool from_processor = info->si_code > 0;  // not sent by a process
  if (from_processor) fault.kind = FaultKindOfSignal(signal_number, *info);
  ReportFault(fault);
}

}  // namespace

void InstallFaultHandlers() {
  rlimit limit = {};
  getrlimit(RLIMIT_STACK, &limit);
  const uintptr_t here = reinterpret_cast<uintptr_t>(&limit);
  const uintptr_t size = limit.rlim_cur == RLIM_INFINITY ? uintptr_t{8} << 20 : limit.rlim_cur;
  g_stack_limit = here > size ? here - size : 0;

  stack_t stack = {};
  stack.ss_sp = g_signal_stack;
  stack.ss_size = sizeof g_signal_stack;
  sigaltstack(&stack, nullptr);
  struct sigaction action = {};
  action.sa_sigaction = OnFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) sigaction(signal_number, &action, nullptr);
}

}  // namespace vornix
