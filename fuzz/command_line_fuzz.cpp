// The Windows command-line split against a plain state machine. The first
// input byte chooses how many lead-byte ranges follow (0 to 2, two bytes
// each, always within 0x80-0xFF as in every double-byte code page); the
// rest is the command line, NUL bytes included.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "host/command_line.h"
#include "host/paths.h"

namespace {

using vornix::fuzz::Expect;
using vornix::fuzz::ExpectSame;

using LeadTable = std::array<bool, 256>;

bool IsLead(const LeadTable& lead, char c) {
  return lead[static_cast<unsigned char>(c)];
}

// The length of the character at `i` of a text that has no NUL.
size_t CharacterAt(std::string_view text, size_t i, const LeadTable& lead) {
  return IsLead(lead, text[i]) && i + 1 < text.size() ? 2 : 1;
}

// Every step of the split, the program name's first. Between arguments,
// separators and pairs of quotes are skipped; in an argument a separator
// ends it and a quote opens a quoted part in which separators are kept and
// the next quote closes. A two-byte character is neither.
std::vector<std::string> PlainSteps(std::string_view line, const LeadTable& lead) {
  std::string_view text = line;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\0') {
      text = line.substr(0, i);
      break;
    }
  }
  enum State { kBetween, kBare, kQuoted } state = kBetween;
  std::vector<std::string> steps;
  std::string current;
  size_t i = 0;
  while (i < text.size()) {
    const size_t length = CharacterAt(text, i, lead);
    const std::string_view character = text.substr(i, length);
    const bool quote = length == 1 && character[0] == '"';
    const bool separator =
        length == 1 && static_cast<unsigned char>(character[0]) <= 0x20;
    i += length;
    if (state == kBetween) {
      if (separator) continue;
      if (quote && i < text.size() && text[i] == '"') {
        ++i;  // a pair of quotes standing between arguments
        continue;
      }
      state = kBare;
    }
    if (state == kBare) {
      if (separator) {
        steps.push_back(current);
        current.clear();
        state = kBetween;
      } else if (quote) {
        state = kQuoted;
      } else {
        current += character;
      }
    } else if (quote) {
      state = kBare;
    } else {
      current += character;
    }
  }
  if (state != kBetween) steps.push_back(current);
  return steps;
}

std::vector<std::string> PlainSplit(const std::vector<std::string>& steps) {
  std::vector<std::string> arguments;
  for (size_t k = 1; k < steps.size() && !steps[k].empty(); ++k)
    arguments.push_back(steps[k]);
  return arguments;
}

void ExpectSameArguments(const char* what, const std::vector<std::string>& got,
                         const std::vector<std::string>& expected) {
  const size_t common = got.size() < expected.size() ? got.size() : expected.size();
  for (size_t k = 0; k < common; ++k) ExpectSame(what, got[k], expected[k]);
  ExpectSame(what, got.size(), expected.size());
}

// No quote in an argument is a character of its own: each one is the trail
// byte of a two-byte character.
void ExpectNoOwnQuote(std::string_view argument, const LeadTable& lead) {
  for (size_t i = 0; i < argument.size();) {
    const size_t length = CharacterAt(argument, i, lead);
    if (length == 1 && argument[i] == '"') {
      vornix::fuzz::PrintBytes("argument", argument);
      vornix::fuzz::Fail("NextArgument kept a quote");
    }
    i += length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t range_count = data[0] % 3;
  if (size < 1 + 2 * range_count) return 0;
  unsigned char ranges[6] = {0, 0, 0, 0, 0, 0};
  LeadTable lead{};
  for (size_t r = 0; r < range_count; ++r) {
    ranges[2 * r] = static_cast<unsigned char>(data[1 + 2 * r] | 0x80);
    ranges[2 * r + 1] = static_cast<unsigned char>(data[2 + 2 * r] | 0x80);
    for (unsigned b = ranges[2 * r]; b <= ranges[2 * r + 1]; ++b) lead[b] = true;
  }
  const vornix::LeadByteSet lead_bytes = vornix::LeadBytesFromRanges(ranges, 6);
  for (unsigned b = 0; b < 256; ++b)
    Expect("LeadBytesFromRanges", lead_bytes.Contains(static_cast<char>(b)) == lead[b]);

  const std::string_view line =
      vornix::fuzz::AsText(data + 1 + 2 * range_count, size - 1 - 2 * range_count);
  const std::vector<std::string> steps = PlainSteps(line, lead);
  ExpectSameArguments("SplitCommandLine", vornix::SplitCommandLine(line, lead_bytes),
                      PlainSplit(steps));

  // Step by step: each call gives the next step and moves forward; once the
  // steps run out, every call gives the empty text and stays put.
  size_t position = 0;
  const size_t end = line.find('\0') == std::string_view::npos ? line.size()
                                                               : line.find('\0');
  for (size_t k = 0; k <= steps.size() + 1; ++k) {
    const size_t before = position;
    const std::string argument = vornix::NextArgument(line, &position, lead_bytes);
    Expect("NextArgument moved backwards", position >= before);
    Expect("NextArgument went past the end", position <= end);
    ExpectSame("NextArgument", argument, k < steps.size() ? steps[k] : std::string());
    ExpectNoOwnQuote(argument, lead);
    if (k >= steps.size()) ExpectSame("NextArgument after the end", position, end);
  }
  return 0;
}
