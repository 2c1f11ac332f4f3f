// A standard handle in memory: it keeps every write call, hands out the
// input given, a read call each, and fails every call when told to.
#ifndef VORNIX_TESTS_MEMORY_CONSOLE_H_
#define VORNIX_TESTS_MEMORY_CONSOLE_H_

#include <string>
#include <vector>

#include "host/std_handles.h"

namespace vornix {

struct MemoryHandle : StdHandle {
  Type type = Type::kOther;
  std::vector<std::string> writes, reads;
  int32_t write_error = 0, read_error = 0;
  int acquired = 0, released = 0, read_calls = 0;

  Type Acquire() override { return ++acquired, type; }
  void Release() override { ++released; }
  bool Write(const char* data, size_t size, int32_t* error) override {
    writes.emplace_back(data, size);
    return (*error = write_error) == 0;
  }
  bool Read(char* buffer, size_t size, size_t* count, int32_t* error) override {
    const std::string next = reads.size() > static_cast<size_t>(read_calls) ? reads[read_calls].substr(0, size) : "";
    ++read_calls;
    *count = next.copy(buffer, next.size());
    return (*error = read_error) == 0;
  }
  std::string Written() const {
    std::string all;
    for (const std::string& write : writes) all += write;
    return all;
  }
};

}  // namespace vornix

#endif  // VORNIX_TESTS_MEMORY_CONSOLE_H_
