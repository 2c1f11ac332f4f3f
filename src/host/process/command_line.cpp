#include "host/process/command_line.h"

#include "host/text/text_rules.h"

namespace vornix {

Switch SwitchOf(std::string_view last_argument) {
  const std::string word = UpperAscii(last_argument);
  if (word.size() == 2 && (word[0] == '-' || word[0] == '/')) {
    if (word[1] == 'Q') return Switch::kBatch;
    if (word[1] == 'N') return Switch::kPreview;
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

bool IsSeparator(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 0x01 && byte <= 0x20;
}

// The length of the character at `position`, as the system's CharNextA
// steps: two bytes for a lead byte that has a trail byte after it.
size_t CharacterLength(std::string_view text, size_t position,
                       const LeadByteSet& lead_bytes) {
  if (lead_bytes.Contains(text[position]) && position + 1 < text.size())
    return 2;
  return 1;
}

// One step of the split from `*position`: skips separators and pairs of
// quotes standing alone, then takes one argument with its quotes removed.
// Gives the empty text only when nothing but those is left.
std::string NextArgument(std::string_view text, size_t* position,
                         const LeadByteSet& lead_bytes) {
  // The text ends at its length or at a zero byte, whichever comes first.
  text = text.substr(0, text.find('\0'));
  size_t p = *position;
  for (;;) {
    while (p < text.size() && IsSeparator(text[p])) ++p;
    if (p + 1 < text.size() && text[p] == '"' && text[p + 1] == '"') {
      p += 2;
      continue;
    }
    break;
  }

  std::string argument;
  auto take_character = [&] {
    const size_t n = CharacterLength(text, p, lead_bytes);
    argument.append(text.substr(p, n));
    p += n;
  };
  while (p < text.size() && static_cast<unsigned char>(text[p]) > 0x20) {
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

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view command_line,
                                          const LeadByteSet& lead_bytes) {
  size_t position = 0;
  NextArgument(command_line, &position, lead_bytes);  // the program name
  std::vector<std::string> arguments;
  for (;;) {
    std::string argument = NextArgument(command_line, &position, lead_bytes);
    if (argument.empty()) break;
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::vector<std::string> ArgumentsFromArgv(int argc, const char* const* argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i)
    if (argv[i] != nullptr && argv[i][0] != '\0') arguments.emplace_back(argv[i]);
  return arguments;
}

}  // namespace vornix
