#include "case_file.h"

#include <cstdlib>

namespace vornix {

namespace {

std::string Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool escape = text.compare(i, 2, "\\x") == 0 && i + 4 <= text.size();
    out.push_back(escape ? static_cast<char>(std::strtol(std::string(text.substr(i + 2, 2)).c_str(), nullptr, 16))
                         : text[i]);
    i += escape ? 3 : 0;
  }
  return out;
}

// The parts of `text` between the bytes `at`, unescaped when asked.
std::vector<std::string> Split(std::string_view text, char at, bool unescape = true) {
  std::vector<std::string> parts;
  while (!text.empty()) {
    const size_t end = std::min(text.find(at), text.size());
    parts.push_back(unescape ? Unescape(text.substr(0, end)) : std::string(text.substr(0, end)));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return parts;
}

}  // namespace

std::vector<Case> ParseCases(std::string_view text, bool strict) {
  std::vector<Case> cases;
  std::string block;  // the script whose lines follow
  for (const std::string& line : Split(text, '\n', false)) {
    const std::string word = line.substr(0, line.find(' '));
    const std::string value = line.size() > word.size() ? line.substr(word.size() + 1) : "";
    Case* c = cases.empty() ? nullptr : &cases.back();
    if (word == "==") {
      cases.emplace_back().title = value;
    } else if (!c || line.empty() || line[0] == '#') {
    } else if (!block.empty() && (word.empty() || word == "-")) {
      c->files[block].push_back(Unescape(line.substr(std::min<size_t>(2, line.size()))));
      c->blanked[block].push_back(word == "-");
    } else if (word == "txtsetup" || word == "dosnet") {
      block = word == "txtsetup" ? "txtsetup.sif" : "dosnet.inf";
      c->files[block].clear();
      c->blanked[block].clear();
    } else if (word == "names" || word == "dosnet.add" || word == "txtsetup.add") {
      c->files[word == "names" ? "txtfiles.del" : word] = Split(value, '|');
    } else if (word == "missing") {
      c->files.erase(value);
    } else if (word == "args") {
      c->args = Split(value, ' ');
    } else if (word == "input" || word == "fails") {
      (word == "input" ? c->input : c->fails) = Unescape(value);
    } else if (word == "failing") {
      c->failing[value.substr(0, value.find(' '))] = value.substr(value.find(' ') + 1);
    } else if (word == "pause") {
      c->pause = true;
    } else if (word == "screen") {
      c->screen.emplace();
    } else if (line[0] == '|' && c->screen) {
      c->screen->push_back(Unescape(line.substr(1)));
    } else if (word == "saved") {
      c->saved = Split(value, '|');
    } else if (strict) {
      std::abort();  // a line the format does not know
    }
  }
  return cases;
}

}  // namespace vornix
