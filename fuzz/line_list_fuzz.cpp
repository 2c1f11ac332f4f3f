// LineList read and write against a plain normaliser: reading the bytes and
// writing them back gives the text up to the first NUL with every CR LF,
// lone CR and lone LF turned into CR LF, and CR LF after a last line that
// had no line end. FindEmbeddedNul is checked against a plain scan.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "host/line_list.h"

namespace {

using vornix::fuzz::Expect;
using vornix::fuzz::ExpectSame;

struct Normalised {
  std::string text;
  size_t line_count = 0;
};

Normalised NormaliseLineEnds(std::string_view bytes) {
  Normalised out;
  bool open_line = false;  // bytes taken since the last line end
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\0') break;
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out.text += "\r\n";
      ++out.line_count;
      open_line = false;
    } else {
      out.text += c;
      open_line = true;
    }
  }
  if (open_line) {
    out.text += "\r\n";
    ++out.line_count;
  }
  return out;
}

std::optional<size_t> PlainEmbeddedNul(std::string_view bytes) {
  size_t first = 0;
  while (first < bytes.size() && bytes[first] != '\0') ++first;
  if (first == bytes.size()) return std::nullopt;
  for (size_t i = first + 1; i < bytes.size(); ++i)
    if (bytes[i] != '\0') return first;
  return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = vornix::fuzz::AsText(data, size);
  const Normalised expected = NormaliseLineEnds(bytes);

  vornix::LineList list;
  list.SetText(std::string(bytes));
  ExpectSame("line count", static_cast<size_t>(list.LineCount()),
             expected.line_count);
  for (int32_t i = 0; i < list.LineCount(); ++i) {
    const std::string_view line = list.LineView(i);
    for (const char c : line)
      Expect("a line holds CR, LF or NUL", c != '\r' && c != '\n' && c != '\0');
    ExpectSame("GetLine and LineView", list.GetLine(i), line);
  }
  const std::string written = list.LinesToText();
  ExpectSame("round trip", written, expected.text);

  // Written text reads back as the same lines.
  vornix::LineList again;
  again.SetText(written);
  ExpectSame("second round trip", again.LinesToText(), written);

  // Appending a list to itself doubles it.
  list.AppendLines(list);
  ExpectSame("appended to itself", list.LinesToText(), written + written);

  const std::optional<size_t> nul = vornix::FindEmbeddedNul(bytes);
  const std::optional<size_t> plain = PlainEmbeddedNul(bytes);
  Expect("FindEmbeddedNul finds a NUL where there is none or misses one",
         nul.has_value() == plain.has_value());
  if (nul) ExpectSame("FindEmbeddedNul offset", *nul, *plain);
  return 0;
}
