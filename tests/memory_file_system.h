// An in-memory file system for whole runs. Names are found ignoring ASCII
// case, as on Windows, so "TXTSETUP.SIF" replaces the "txtsetup.sif" read.
// Any step can be made to fail for a path.
#ifndef VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_
#define VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_

#include <map>
#include <string>
#include <vector>

#include "edit/text_rules.h"
#include "host/file_system.h"

namespace vornix {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;         // by upper-cased path
  std::map<std::string, FileResult::Step> failing;  // by upper-cased path
  std::vector<std::string> replaced;                // paths as given, in order

  bool FileIsPresent(const std::string& path) override { return files.count(UpperAscii(path)) != 0; }
  FileResult ReadWholeFile(const std::string& path, std::string* bytes) override {
    *bytes = files[UpperAscii(path)];
    return Failing(path, {FileResult::Step::kOpen, FileResult::Step::kRead});
  }
  FileResult ReplaceFile(const std::string& path, std::string_view text) override {
    const FileResult result = Failing(path, {FileResult::Step::kCreate, FileResult::Step::kWrite});
    if (result.ok()) files[UpperAscii(path)] = text, replaced.push_back(path);
    return result;
  }
  std::optional<std::string> FullPathOf(const std::string& text) override {
    if (text == "unresolvable") return std::nullopt;
    return text[0] == '/' ? text : "/cwd/" + text;
  }

 private:
  FileResult Failing(const std::string& path, std::initializer_list<FileResult::Step> steps) {
    const auto found = failing.find(UpperAscii(path));
    for (FileResult::Step step : steps)
      if (found != failing.end() && found->second == step) return FileResult::Failed(step, 13);
    return FileResult::Done();
  }
};

}  // namespace vornix

#endif  // VORNIX_TESTS_MEMORY_FILE_SYSTEM_H_
