#include "host/process/command_line.h"

#include <type_traits>

#include "host/text/text_rules.h"

namespace vornix {

Switch SwitchOf(std::string_view last_argument) {
  const std::string word = UpperAscii(last_argument);
  if (word.size() == 2 && (word[0] == '-' || word[0] == '/')) {
    if (word[1] == 'Q') return Switch::kBatch;
    if (word[1] == 'N') return Switch::kPreview;
    if (word[1] == 'L') return Switch::kList;
    if (word[1] == '?' || word[1] == 'H') return Switch::kHelp;
  }
  return word == "--HELP" ? Switch::kHelp : Switch::kNone;
}

std::string Arguments::ArgumentAt(int32_t index) const {
  if (index == 0) return executable_path_;
  if (index < 1 || index > ArgumentCount()) return std::string();
  return arguments_[static_cast<size_t>(index) - 1];
}

namespace {

// A unit from 0x01 to 0x20, compared unsigned.
template <typename Char>
bool IsSeparator(Char c) {
  const auto unit = static_cast<std::make_unsigned_t<Char>>(c);
  return unit >= 0x01 && unit <= 0x20;
}

// The length of the character at `position`, as the system's CharNextA
// steps: two bytes for a lead byte that has a trail byte after it. A wide
// text has no lead bytes.
size_t CharacterLength(std::string_view text, size_t position,
                       const LeadByteSet& lead_bytes) {
  if (lead_bytes.Contains(text[position]) && position + 1 < text.size())
    return 2;
  return 1;
}
size_t CharacterLength(std::wstring_view, size_t, const LeadByteSet&) { return 1; }

// One step of the split from `*position`: skips separators and pairs of
// quotes standing alone, then takes one argument with its quotes removed.
// Gives the empty text only when nothing but those is left.
template <typename Char>
std::basic_string<Char> NextArgument(std::basic_string_view<Char> text, size_t* position,
                                     const LeadByteSet& lead_bytes) {
  // The text ends at its length or at a zero, whichever comes first.
  text = text.substr(0, text.find(Char{0}));
  size_t p = *position;
  for (;;) {
    while (p < text.size() && IsSeparator(text[p])) ++p;
    if (p + 1 < text.size() && text[p] == '"' && text[p + 1] == '"') {
      p += 2;
      continue;
    }
    break;
  }

  std::basic_string<Char> argument;
  auto take_character = [&] {
    const size_t n = CharacterLength(text, p, lead_bytes);
    argument.append(text.substr(p, n));
    p += n;
  };
  while (p < text.size() && !IsSeparator(text[p])) {
    if (text[p] != '"') {
      take_character();
      continue;
    }
    ++p;  // the opening quote
    while (p < text.size() && text[p] != '"') take_character();
    if (p < text.size()) ++p;  // the closing quote
  }
  *position = p;
  return argument;
}

template <typename Char>
std::vector<std::basic_string<Char>> Split(std::basic_string_view<Char> command_line,
                                           const LeadByteSet& lead_bytes) {
  size_t position = 0;
  NextArgument(command_line, &position, lead_bytes);  // the program name
  std::vector<std::basic_string<Char>> arguments;
  for (;;) {
    std::basic_string<Char> argument = NextArgument(command_line, &position, lead_bytes);
    if (argument.empty()) break;
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view command_line,
                                          const LeadByteSet& lead_bytes) {
  return Split(command_line, lead_bytes);
}

std::vector<std::wstring> SplitCommandLine(std::wstring_view command_line) {
  return Split(command_line, LeadByteSet());
}

std::vector<std::string> ArgumentsFromArgv(int argc, const char* const* argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i)
    if (argv[i] != nullptr && argv[i][0] != '\0') arguments.emplace_back(argv[i]);
  return arguments;
}

}  // namespace vornix
