// The modules of the running program, for the failure report: which module
// holds a code address and where it was loaded. One implementation per
// platform.
#ifndef VORNIX_HOST_PROCESS_MODULES_H_
#define VORNIX_HOST_PROCESS_MODULES_H_

#include <cstddef>
#include <cstdint>

namespace vornix {

struct ModuleLocation {
  size_t path_length;
  uintptr_t base;
};

/// Lists the modules loaded, where the platform needs that done before a
/// fault. Called once at start-up.
void NoteModules();

/// The module that holds `address`: its path into `path` and its load base.
/// False when the address lies in no module. Safe in a signal handler.
bool LocateModule(const void* address, char* path, size_t capacity,
                  ModuleLocation* location);

/// The program's own module path into `path`; returns its length.
size_t OwnModulePath(char* path, size_t capacity);

}  // namespace vornix

#endif  // VORNIX_HOST_PROCESS_MODULES_H_
