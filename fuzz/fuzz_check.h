// What the fuzz targets share: a mismatch prints both sides, with bytes
// outside printable ASCII escaped, and aborts, so that libFuzzer keeps the
// input as a crash artifact.
#ifndef VORNIX_FUZZ_FUZZ_CHECK_H_
#define VORNIX_FUZZ_FUZZ_CHECK_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vornix::fuzz {

inline void PrintBytes(const char* label, std::string_view bytes) {
  std::fprintf(stderr, "  %s (%zu bytes): \"", label, bytes.size());
  for (const char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\')
      std::fputc(byte, stderr);
    else
      std::fprintf(stderr, "\\x%02X", byte);
  }
  std::fputs("\"\n", stderr);
}

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "MISMATCH: %s\n", what);
  std::fflush(stderr);
  std::abort();
}

inline void ExpectSame(const char* what, std::string_view got,
                       std::string_view expected) {
  if (got == expected) return;
  PrintBytes("got", got);
  PrintBytes("expected", expected);
  Fail(what);
}

inline void ExpectSame(const char* what, size_t got, size_t expected) {
  if (got == expected) return;
  std::fprintf(stderr, "  got %zu, expected %zu\n", got, expected);
  Fail(what);
}

inline void Expect(const char* what, bool holds) {
  if (!holds) Fail(what);
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

}  // namespace vornix::fuzz

#endif  // VORNIX_FUZZ_FUZZ_CHECK_H_
