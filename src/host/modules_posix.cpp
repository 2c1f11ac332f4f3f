// Linux: modules by the dynamic loader's account.
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "host/modules.h"

namespace vornix {

size_t OwnModulePath(char* path, size_t capacity) {
  if (capacity == 0) return 0;
  const ssize_t length = readlink("/proc/self/exe", path, capacity);
  return length < 0 ? 0 : static_cast<size_t>(length);
}

bool LocateModule(const void* address, char* path, size_t capacity,
                  ModuleLocation* location) {
  Dl_info info;
  if (dladdr(address, &info) == 0 || info.dli_fbase == nullptr) return false;
  Dl_info own;
  const bool in_program =
      dladdr(reinterpret_cast<const void*>(&OwnModulePath), &own) != 0 &&
      own.dli_fbase == info.dli_fbase;
  size_t length;
  if (in_program || info.dli_fname == nullptr) {
    length = OwnModulePath(path, capacity);
  } else {
    length = std::min(std::strlen(info.dli_fname), capacity);
    std::memcpy(path, info.dli_fname, length);
  }
  location->path_length = length;
  location->base = reinterpret_cast<uintptr_t>(info.dli_fbase);
  return true;
}

}  // namespace vornix
