// Windows: the console's control events, which the system hands to a thread
// of their own, and DeleteFile. The save opens its
// temporary file for sharing deletion, so that the file can be deleted
// while the save still holds it; it is gone once the process has ended.
#include <windows.h>

#include <atomic>

#include "host/files/temporary_files.h"
#include "host/process/wide_paths.h"

namespace vornix {

namespace {

std::wstring g_noted_path;
std::atomic<const wchar_t*> g_path{nullptr};  // read by the control handler's thread
// Held while a file is made and noted; ready before main.
struct Deferring {
  Deferring() { InitializeCriticalSection(&section); }
  CRITICAL_SECTION section;
} g_deferring;

BOOL WINAPI OnControlEvent(DWORD) {
  EnterCriticalSection(&g_deferring.section);
  RemoveTemporaryFile();
  LeaveCriticalSection(&g_deferring.section);
  return FALSE;  // the default handling ends the process
}

}  // namespace

void NoteTemporaryFile(const std::string& path) {
  g_path = nullptr;
  g_noted_path = WidePath(path);
  g_path = g_noted_path.c_str();
}

void ForgetTemporaryFile() { g_path = nullptr; }

void RemoveTemporaryFile() {
  if (const wchar_t* path = g_path.exchange(nullptr)) DeleteFileW(path);
}

void RemoveTemporaryFileOnInterrupt() {
  SetConsoleCtrlHandler(OnControlEvent, TRUE);
}

InterruptsDeferred::InterruptsDeferred() { EnterCriticalSection(&g_deferring.section); }

InterruptsDeferred::~InterruptsDeferred() { LeaveCriticalSection(&g_deferring.section); }

}  // namespace vornix
