// Windows: modules by the memory manager's account.
#include <windows.h>

#include "host/process/modules.h"

namespace vornix {

void NoteModules() {}  // VirtualQuery answers at any time

size_t OwnModulePath(char* path, size_t capacity) {
  return GetModuleFileNameA(nullptr, path, static_cast<DWORD>(capacity));
}

bool LocateModule(const void* address, char* path, size_t capacity,
                  ModuleLocation* location) {
  MEMORY_BASIC_INFORMATION region;
  if (VirtualQuery(address, &region, sizeof region) == 0 ||
      region.State != MEM_COMMIT)
    return false;
  const DWORD length =
      GetModuleFileNameA(static_cast<HMODULE>(region.AllocationBase), path,
                         static_cast<DWORD>(capacity));
  if (length == 0) return false;
  location->path_length = length;
  location->base = reinterpret_cast<uintptr_t>(region.AllocationBase);
  return true;
}

}  // namespace vornix
