// An in-memory file system for tests of the line-list files and the run: it
// records every file replaced and can be told to fail a step.
#ifndef VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_
#define VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_

#include <map>
#include <string>
#include <vector>

#include "host/file_system.h"

namespace vornix {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, FileResult::Step> failing;  // path: the step that fails
  std::vector<std::string> replaced;                // in order

  bool FileIsPresent(const std::string& path) override {
    return files.count(path) != 0;
  }
  FileResult ReadWholeFile(const std::string& path, std::string* bytes) override {
    if (const FileResult failure = Failure(path); !failure.ok()) return failure;
    if (files.count(path) == 0) return FileResult::Failed(FileResult::Step::kOpen, 2);
    *bytes = files[path];
    return FileResult::Done();
  }
  FileResult ReplaceFile(const std::string& path, std::string_view text) override {
    if (const FileResult failure = Failure(path); !failure.ok()) return failure;
    files[path] = std::string(text);
    replaced.push_back(path);
    return FileResult::Done();
  }
  std::optional<std::string> FullPathOf(const std::string& text) override {
    if (text == "unresolvable") return std::nullopt;
    return text[0] == '/' ? text : "/cwd/" + text;
  }

 private:
  FileResult Failure(const std::string& path) const {
    const auto found = failing.find(path);
    if (found == failing.end()) return FileResult::Done();
    return FileResult::Failed(found->second, 13);
  }
};

}  // namespace vornix

#endif  // VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_
