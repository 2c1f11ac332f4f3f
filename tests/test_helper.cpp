// What whole runs need another program for. "hold FILE" (Windows) holds the file open without sharing
// until standard input ends. "KIND TEMPORARY [late]" sets the failure machinery up as the program does,
// prints "before", makes TEMPORARY and notes it as a save's temporary file, and faults as KIND says (read,
// write, stack, divide, illegal, privileged, inpage, other, throw), "late": after the run's end.
#include <fcntl.h>

#include <csignal>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "host/console/console.h"
#include "host/files/temporary_files.h"
#include "host/report/failure_report.h"
#include "host/report/run_end.h"
#include "host/report/start_up.h"
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

volatile int g_zero = 0, g_hundred = 100;

int Recurse(int depth) {
  volatile char frame[256] = {static_cast<char>(depth)};
  return Recurse(depth + 1) + frame[0];  // no tail call
}

int FaultAs(const std::string& kind, const char* temporary) {
  if (kind == "read") return *reinterpret_cast<volatile int*>(uintptr_t{0x10});
  if (kind == "write") *reinterpret_cast<volatile int*>(uintptr_t{0x20}) = 1;
  if (kind == "stack") return Recurse(0);
  if (kind == "divide") return g_hundred / g_zero;
  if (kind == "illegal") __builtin_trap();
  if (kind == "privileged") asm volatile("hlt");
  if (kind == "throw") throw std::runtime_error("late");
#ifdef _WIN32
  if (kind == "inpage") RaiseException(EXCEPTION_IN_PAGE_ERROR, 0, 0, nullptr);
  if (kind == "other") RaiseException(0xE0001234, 0, 0, nullptr);
#else
  if (kind == "inpage") {  // a page of a file that is gone
    const int fd = open(temporary, O_RDWR);
    volatile char* page = static_cast<char*>(mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0));
    return ftruncate(fd, 0) + page[0];
  }
  if (kind == "other") raise(SIGFPE);
#endif
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vornix;
#ifdef _WIN32
  if (std::string(argv[1]) == "hold") {
    const HANDLE file = CreateFileA(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::cout << (file == INVALID_HANDLE_VALUE ? "failed" : "held") << std::endl;
    return std::cin.ignore(1 << 20).eof() ? 0 : 1;
  }
#endif
  Console& console = StartRun();
  console.Print("before");
  std::ofstream(argv[2]) << "half a script";
  NoteTemporaryFile(argv[2]);
  if (argc > 3) FinishRun(0, console);
  return FaultAs(argv[1], argv[2]);
}
