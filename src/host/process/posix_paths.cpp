#include "host/process/posix_paths.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vornix {

std::string ReadLink(const char* path) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t length = readlink(path, target.data(), target.size());
    if (length < 0) return std::string();
    if (static_cast<size_t>(length) < target.size()) {
      target.resize(static_cast<size_t>(length));
      return target;
    }
    target.resize(target.size() * 2);
  }
}

std::string CurrentDirectory() {
  std::string directory(256, '\0');
  for (;;) {
    if (getcwd(directory.data(), directory.size()) != nullptr) {
      directory.resize(std::strlen(directory.c_str()));
      return directory;
    }
    if (errno != ERANGE) return std::string();
    directory.resize(directory.size() * 2);
  }
}

}  // namespace vornix
