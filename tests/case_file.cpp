#include "case_file.h"

#include <cstdlib>

namespace vornix {

namespace {

// The parts of `text` between the bytes `at`, \xHH made a byte when asked.
std::vector<std::string> Split(std::string_view text, char at, bool unescape = true) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == at && i + 1 < text.size()) {
      parts.emplace_back();
    } else if (unescape && text.compare(i, 2, "\\x") == 0 && i + 4 <= text.size()) {
      parts.back() += static_cast<char>(std::strtol(std::string(text.substr(i + 2, 2)).c_str(), nullptr, 16));
      i += 3;
    } else if (text[i] != at) {
      parts.back() += text[i];
    }
  }
  if (parts.back().empty()) parts.pop_back();
  return parts;
}

std::string Unescaped(std::string_view text) {
  const std::vector<std::string> parts = Split(text, '\n');
  return parts.empty() ? "" : parts.front();
}

}  // namespace

std::vector<Case> ParseCases(std::string_view text, bool strict) {
  std::vector<Case> cases;
  std::string block;  // the script whose lines follow
  for (const std::string& line : Split(text, '\n', false)) {
    const std::string word = line.substr(0, line.find(' '));
    const std::string value = line.size() > word.size() ? line.substr(word.size() + 1) : "";
    const std::vector<std::string> values = Split(value, word == "args" ? ' ' : '|');
    Case* c = cases.empty() ? nullptr : &cases.back();
    if (word == "==") {
      cases.emplace_back().title = value;
    } else if (!c || line.empty() || line[0] == '#') {
    } else if (!block.empty() && (word.empty() || word == "-")) {
      c->files[block].push_back(Unescaped(line.substr(std::min<size_t>(2, line.size()))));
      c->blanked[block].push_back(word == "-");
    } else if (word == "txtsetup" || word == "dosnet") {
      block = word == "txtsetup" ? "txtsetup.sif" : "dosnet.inf";
      c->files[block].clear();
      c->blanked[block].clear();
    } else if (word == "names" || word == "dosnet.add" || word == "txtsetup.add") {
      c->files[word == "names" ? "txtfiles.del" : word] = values;
    } else if (word == "args") {
      c->args = values;
    } else if (word == "input" || word == "fails") {
      (word == "input" ? c->input : c->fails) = Unescaped(value);
    } else if (word == "unreadable") {
      c->unreadable.push_back(value);
    } else if (word == "stops") {
      c->screen = std::vector<std::string>{value, "", "Process stopped."};
      c->status = 2;
    } else if (word == "usage") {
      c->screen = std::vector<std::string>{"Usage: Vornix <I386_DIR>  [-Q]", "",
                                           "I386_DIR dir - I386 source dir to MassStorage driver integration",
                                           "-Q (optional) - batch mode - no wait user input", "",
                                           "For more info see readme.txt (to future...)"};
      c->pause = true;
    } else if (word == "pause" || word == "screen" || word == "bom") {
      word == "pause" ? void(c->pause = true) : word == "bom" ? void(c->bom = true)
                                                              : void(c->screen.emplace());
    } else if (line[0] == '|' && c->screen) {
      c->screen->push_back(Unescaped(line.substr(1)));
    } else if (strict) {
      std::abort();  // a line the format does not know
    }
  }
  return cases;
}

}  // namespace vornix
