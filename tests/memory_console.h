// A standard handle in memory: it keeps every write call, hands out the
// input given in one read call each, and fails when told to.
#ifndef VORNIX_TESTS_MEMORY_CONSOLE_H_
#define VORNIX_TESTS_MEMORY_CONSOLE_H_

#include <string>
#include <vector>

#include "host/std_handles.h"

namespace vornix {

struct MemoryHandle : StdHandle {
  Type type = Type::kOther;
  std::vector<std::string> writes, reads;  // one entry a call
  int32_t write_error = 0, read_error = 0;  // every call fails with it
  int acquired = 0, released = 0, read_calls = 0;

  Type Acquire() override { return ++acquired, type; }
  void Release() override { ++released; }
  bool Write(const char* data, size_t size, int32_t* error) override {
    writes.emplace_back(data, size);
    *error = write_error;
    return write_error == 0;
  }
  bool Read(char* buffer, size_t size, size_t* count, int32_t* error) override {
    ++read_calls;
    *error = read_error;
    const std::string next = reads.empty() ? "" : reads.front().substr(0, size);
    if (!reads.empty()) reads.erase(reads.begin());
    *count = next.copy(buffer, next.size());
    return read_error == 0;
  }
  std::string Written() const {
    std::string all;
    for (const std::string& write : writes) all += write;
    return all;
  }
};

}  // namespace vornix

#endif  // VORNIX_TESTS_MEMORY_CONSOLE_H_
