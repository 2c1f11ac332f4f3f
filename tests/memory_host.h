// The host in memory. A standard handle keeps every write call, takes at most `write_limit`
// bytes a call, hands out the input given a read call each, and fails every call when told
// to. Files go by upper-cased path, as on Windows, and the reading of some may fail.
#ifndef VORNIX_TESTS_MEMORY_HOST_H_
#define VORNIX_TESTS_MEMORY_HOST_H_

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/console/std_handles.h"
#include "host/files/file_system.h"
#include "host/text/text_rules.h"

namespace vornix {

struct MemoryHandle : StdHandle {
  Type type = Type::kOther;
  std::vector<std::string> writes, reads;
  int32_t write_error = 0, read_error = 0;
  size_t write_limit = ~size_t{0};
  int acquired = 0, released = 0, read_calls = 0;

  Type Acquire() override { return ++acquired, type; }
  void Release() override { ++released; }
  bool Write(const char* data, size_t size, size_t* written, int32_t* error) override {
    writes.emplace_back(data, *written = std::min(size, write_limit));
    return (*error = write_error) == 0;
  }
  bool Read(char* buffer, size_t size, size_t* count, int32_t* error) override {
    const std::string next = reads.size() > static_cast<size_t>(read_calls) ? reads[read_calls].substr(0, size) : "";
    ++read_calls;
    *count = next.copy(buffer, next.size());
    return (*error = read_error) == 0;
  }
};

struct MemoryFileSystem : FileSystem {
  std::map<std::string, std::string> files;  // by upper-cased path
  std::set<std::string> unreadable;          // by upper-cased path
  std::vector<std::string> replaced;         // as given, in order

  bool FileIsPresent(const std::string& path) override { return files.count(UpperAscii(path)) != 0; }
  FileResult ReadWholeFile(const std::string& path, FileBytes* bytes) override {
    const std::string& text = files[UpperAscii(path)];
    bytes->data.reset(new char[text.size()]), bytes->size = text.size();
    std::copy(text.begin(), text.end(), bytes->data.get());
    return unreadable.count(UpperAscii(path)) ? FileResult::Failed(FileResult::Step::kRead, 13) : FileResult::Done();
  }
  FileResult ReplaceFile(const std::string& path, const std::vector<std::string_view>& pieces) override {
    std::string& text = files[UpperAscii(path)];
    text.clear(), replaced.push_back(path);
    for (const std::string_view piece : pieces) text += piece;
    return FileResult::Done();
  }
  FileResult CheckReplaceable(const std::string&) override { return FileResult::Done(); }
  FileResult HoldDirectory(const std::string&, std::string*) override { return FileResult::Done(); }
  void ReleaseDirectory() override {}
  std::optional<std::string> FullPathOf(const std::string& text) override {
    return text == "unresolvable" ? std::nullopt : std::optional<std::string>(text);
  }
};

}  // namespace vornix

#endif  // VORNIX_TESTS_MEMORY_HOST_H_
