// Windows: the unhandled-exception filter. It hands the fault to a thread
// made at start-up, which reports it on a stack of its own, so that a stack
// overflow is reported too, and it never returns to the system, which would
// end the process with the exception code as its status (a negative number
// that "if errorlevel 1" takes for success).
#include <windows.h>

#include "host/report/failure_report.h"
#include "host/report/fault_handlers.h"

namespace vornix {

namespace {

Fault g_fault;
HANDLE g_fault_noted;

HANDLE g_main_thread;

// Waits for a fault, or for the program's thread to end without one: the
// process ending normally ends this thread first, so that happens only when
// a stack overflow leaves the system no room to raise the fault (as wine's
// 64-bit builds do), and the thread ends with status 0.
DWORD WINAPI ReportOnOwnStack(void*) {
  const HANDLE events[] = {g_fault_noted, g_main_thread};
  if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0)
    g_fault = Fault{Fault::Kind::kStackOverflow, nullptr, false, 0, 0};
  ReportFault(g_fault);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  g_fault = Fault{Fault::Kind::kOther, record.ExceptionAddress, false, 0,
                  static_cast<uint32_t>(record.ExceptionCode)};
  switch (record.ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
      g_fault.kind = Fault::Kind::kAccessViolation;
      g_fault.write = record.ExceptionInformation[0] == 1;
      g_fault.accessed = record.ExceptionInformation[1];
      break;
    case EXCEPTION_STACK_OVERFLOW:
      g_fault.kind = Fault::Kind::kStackOverflow;
      break;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
      g_fault.kind = Fault::Kind::kDivByZero;
      break;
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
      g_fault.kind = Fault::Kind::kPrivilege;
      break;
    case EXCEPTION_IN_PAGE_ERROR:
      g_fault.kind = Fault::Kind::kInPageError;
      break;
  }
  SetEvent(g_fault_noted);
  Sleep(INFINITE);  // the report ends the process
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallFaultHandlers() {
  // Stack for the filter itself after an overflow, where the system can keep
  // it (not on 32-bit Windows XP, which has no such call and reports from
  // the guard page's reserve).
  using Guarantee = BOOL(WINAPI*)(ULONG*);
  ULONG reserve = 64 * 1024;
  if (const auto guarantee = reinterpret_cast<Guarantee>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetThreadStackGuarantee"))))
    guarantee(&reserve);
  g_fault_noted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &g_main_thread, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  CloseHandle(CreateThread(nullptr, 64 * 1024, ReportOnOwnStack, nullptr, 0, nullptr));
  SetUnhandledExceptionFilter(OnUnhandledException);
}

}  // namespace vornix
