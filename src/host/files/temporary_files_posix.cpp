// Linux: the signals that end a run, and unlink.
#include <signal.h>
#include <unistd.h>

#include <atomic>

#include "host/files/temporary_files.h"

namespace vornix {

namespace {

std::string g_noted_path;
std::atomic<const char*> g_path{nullptr};  // read by signal handlers
sigset_t g_before;                         // the mask an InterruptsDeferred restores

// Every signal whose default action ends the process, but SIGKILL and SIGSTOP,
// which no process can catch, SIGPIPE and SIGXFSZ, which the program ignores so
// that they become write failures, and the faults of the processor (SIGSEGV,
// SIGBUS, SIGFPE, SIGILL, SIGTRAP), which the fault handlers report.
sigset_t Interrupts() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal_number : {SIGHUP, SIGINT, SIGQUIT, SIGABRT, SIGUSR1, SIGUSR2, SIGALRM, SIGTERM,
                                  SIGSTKFLT, SIGXCPU, SIGVTALRM, SIGPROF, SIGIO, SIGPWR, SIGSYS})
    sigaddset(&set, signal_number);
  for (int signal_number = SIGRTMIN; signal_number <= SIGRTMAX; ++signal_number)
    sigaddset(&set, signal_number);
  return set;
}

void OnInterrupt(int signal_number) {
  RemoveTemporaryFile();
  // The default action, restored on entry, ends the run once the handler
  // returns and the signal is no longer blocked; a core dump included.
  raise(signal_number);
}

}  // namespace

void NoteTemporaryFile(const std::string& path) {
  g_path = nullptr;
  g_noted_path = path;
  g_path = g_noted_path.c_str();
}

void ForgetTemporaryFile() { g_path = nullptr; }

void RemoveTemporaryFile() {
  if (const char* path = g_path.exchange(nullptr)) unlink(path);
}

void RemoveTemporaryFileOnInterrupt() {
  const sigset_t interrupts = Interrupts();
  for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
    struct sigaction action = {};
    if (sigismember(&interrupts, signal_number) != 1 || sigaction(signal_number, nullptr, &action) != 0 ||
        action.sa_handler == SIG_IGN)
      continue;
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    action.sa_mask = interrupts;  // one removal at a time
    sigaction(signal_number, &action, nullptr);
  }
}

InterruptsDeferred::InterruptsDeferred() {
  const sigset_t interrupts = Interrupts();
  sigprocmask(SIG_BLOCK, &interrupts, &g_before);
}

InterruptsDeferred::~InterruptsDeferred() { sigprocmask(SIG_SETMASK, &g_before, nullptr); }

}  // namespace vornix
