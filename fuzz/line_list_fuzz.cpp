// Reading and writing line lists against a plain normaliser: the bytes read
// and written back are the text up to the first NUL with every CR LF, lone
// CR and lone LF made CR LF, and CR LF after a last line that had none; and
// FindEmbeddedNul against a plain scan.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/line_list.h"

namespace {

void ExpectSame(const char* what, const std::string& got, const std::string& expected) {
  if (got == expected) return;
  std::fprintf(stderr, "MISMATCH in %s (%zu bytes, expected %zu)\n", what, got.size(), expected.size());
  std::abort();  // libFuzzer keeps the input
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const size_t nul = bytes.find('\0');
  const std::string text = bytes.substr(0, nul);
  std::string expected;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool line_end = text[i] == '\r' || text[i] == '\n';
    expected += line_end ? "\r\n" : text.substr(i, 1) + (i + 1 == text.size() ? "\r\n" : "");
    i += text.compare(i, 2, "\r\n") == 0;
  }
  vornix::LineList list;
  list.SetText(bytes);
  const std::string written = list.LinesToText();
  ExpectSame("written back", written, expected);
  std::string lines;
  for (int32_t i = 0; i < list.LineCount(); ++i) lines += list.GetLine(i) + "\r\n";
  ExpectSame("lines one by one", lines, written);
  list.AppendLines(list);
  ExpectSame("appended to itself", list.LinesToText(), written + written);
  const bool text_after_nul = nul != std::string::npos && bytes.find_first_not_of('\0', nul) != std::string::npos;
  const std::optional<size_t> found = vornix::FindEmbeddedNul(bytes);
  ExpectSame("a NUL with text after it", found ? std::to_string(*found) : "-", text_after_nul ? std::to_string(nul) : "-");
  return 0;
}
