// An in-memory file system for whole runs. Paths are upper-cased, as Windows
// ignores their case, and any step can be made to fail for a path.
#ifndef VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_
#define VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_

#include <map>
#include <string>
#include <vector>

#include "edit/text_rules.h"
#include "host/file_system.h"

namespace vornix {

struct MemoryFileSystem : FileSystem {
  std::map<std::string, std::string> files;         // by upper-cased path
  std::map<std::string, FileResult::Step> failing;  // by upper-cased path
  std::vector<std::string> replaced;                // as given, in order

  bool FileIsPresent(const std::string& path) override { return files.count(UpperAscii(path)) != 0; }
  FileResult ReadWholeFile(const std::string& path, std::string* bytes) override {
    *bytes = files[UpperAscii(path)];
    return Failing(path, FileResult::Step::kOpen, FileResult::Step::kRead);
  }
  FileResult ReplaceFile(const std::string& path, std::string_view text) override {
    const FileResult result = Failing(path, FileResult::Step::kCreate, FileResult::Step::kWrite);
    if (result.ok()) files[UpperAscii(path)] = text, replaced.push_back(path);
    return result;
  }
  std::optional<std::string> FullPathOf(const std::string& text) override {
    if (text == "unresolvable") return std::nullopt;
    return text[0] == '/' ? text : "/cwd/" + text;
  }
  FileResult Failing(const std::string& path, FileResult::Step first, FileResult::Step second) {
    const auto step = failing.find(UpperAscii(path));
    if (step == failing.end() || (step->second != first && step->second != second)) return FileResult::Done();
    return FileResult::Failed(step->second, 13);
  }
};

}  // namespace vornix

#endif  // VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_
