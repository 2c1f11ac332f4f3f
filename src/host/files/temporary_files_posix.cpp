// Linux: the signals that interrupt a run, and unlink.
#include <signal.h>
#include <unistd.h>

#include <atomic>

#include "host/files/temporary_files.h"

namespace vornix {

namespace {

std::string g_noted_path;
std::atomic<const char*> g_path{nullptr};  // read by signal handlers

void OnInterrupt(int signal_number) {
  RemoveTemporaryFile();
  raise(signal_number);  // the default action, restored on entry, ends the run
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
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction action = {};
    if (sigaction(signal_number, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) continue;
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace vornix
