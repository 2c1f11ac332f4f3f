// Linux: the loaded objects, listed once at start-up, so that a fault can be
// placed without asking the loader (which is not safe in a signal handler).
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "host/process/modules.h"

namespace vornix {

namespace {

struct Module {
  const char* name;  // empty for the program itself
  uintptr_t base, end;
};
Module g_modules[64];
size_t g_module_count;

int NoteModule(dl_phdr_info* info, size_t, void*) {
  if (g_module_count == std::size(g_modules)) return 1;
  Module module{info->dlpi_name, UINTPTR_MAX, 0};
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD) continue;
    module.base = std::min<uintptr_t>(module.base, info->dlpi_addr + segment.p_vaddr);
    module.end = std::max<uintptr_t>(module.end, info->dlpi_addr + segment.p_vaddr + segment.p_memsz);
  }
  if (module.base < module.end) g_modules[g_module_count++] = module;
  return 0;
}

}  // namespace

void NoteModules() {
  g_module_count = 0;
  dl_iterate_phdr(NoteModule, nullptr);
}

size_t OwnModulePath(char* path, size_t capacity) {
  if (capacity == 0) return 0;
  const ssize_t length = readlink("/proc/self/exe", path, capacity);
  return length < 0 ? 0 : static_cast<size_t>(length);
}

bool LocateModule(const void* address, char* path, size_t capacity, ModuleLocation* location) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(address);
  for (size_t i = 0; i < g_module_count; ++i) {
    const Module& module = g_modules[i];
    if (value < module.base || value >= module.end) continue;
    const size_t length = std::min(std::strlen(module.name), capacity);
    std::memcpy(path, module.name, length);
    location->path_length = length == 0 ? OwnModulePath(path, capacity) : length;
    location->base = module.base;
    return true;
  }
  return false;
}

}  // namespace vornix
