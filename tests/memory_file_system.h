// An in-memory file system for tests of the line-list files and the run: it
// records every file read and replaced and can be told to fail.
#ifndef VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_
#define VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_

#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/failures.h"
#include "host/file_system.h"

namespace vornix {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> directories;
  std::set<std::string> unreadable;       // open fails
  std::set<std::string> short_reads;      // read stops early
  std::set<std::string> read_only;        // replace refused
  std::set<std::string> full_disk;        // replace fails writing
  std::vector<std::string> replaced;      // in order

  bool FileIsPresent(const std::string& path) override {
    return files.count(path) != 0;
  }
  std::string ReadWholeFile(const std::string& path) override {
    if (files.count(path) == 0 || unreadable.count(path) != 0)
      Raise<EFOpenError>(path, "Access is denied");
    if (short_reads.count(path) != 0) Raise<EReadError>();
    return files[path];
  }
  void ReplaceFile(const std::string& path, std::string_view text) override {
    if (read_only.count(path) != 0 || directories.count(path) != 0)
      Raise<EFCreateError>(path, "Access is denied");
    if (full_disk.count(path) != 0) Raise<EWriteError>();
    files[path] = std::string(text);
    replaced.push_back(path);
  }
  std::optional<std::string> FullPathOf(const std::string& text) override {
    if (text == "unresolvable") return std::nullopt;
    return text[0] == '/' ? text : "/cwd/" + text;
  }
};

}  // namespace vornix

#endif  // VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_
