#include "edit/preview.h"

#include <algorithm>
#include <array>

#include "edit/driver_names.h"
#include "edit/takers.h"
#include "edit/txtsetup_pass.h"
#include "host/text/line_list.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

// ASCII letters, digits and "_" make words.
constexpr auto kWordBytes = [] {
  std::array<bool, 256> word{};
  for (int c = 0; c < 256; ++c)
    word[static_cast<size_t>(c)] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  return word;
}();

bool IsWordByte(char c) { return kWordBytes[static_cast<unsigned char>(c)]; }

// Whether `needle` stands in `text` (both upper-cased) as a word: at a place
// with no word byte directly before or after it.
bool NamesAsWord(std::string_view text, std::string_view needle) {
  for (size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) {
    if ((at == 0 || !IsWordByte(text[at - 1])) &&
        (at + needle.size() == text.size() || !IsWordByte(text[at + needle.size()])))
      return true;
  }
  return false;
}

// A line taken under `rule` for `needle` (upper-cased) only because the name
// runs on into a longer word: the byte after it where the line must begin
// with it, every place it stands where it may stand anywhere.
PreviewLine::Note NoteOf(LineRule rule, std::string_view line, const std::string& needle) {
  const std::string text = UpperAscii(TrimBlanks(line));
  const bool longer = rule == LineRule::kBeginsWith
                          ? text.size() > needle.size() && IsWordByte(text[needle.size()])
                          : rule == LineRule::kContains && !NamesAsWord(text, needle);
  return longer ? PreviewLine::Note::kLongerName : PreviewLine::Note::kTaken;
}

}  // namespace

std::vector<std::vector<PreviewLine>> PreviewRemoval(const LineList& txtsetup, const LineList& dosnet,
                                                     const std::vector<std::string>& names) {
  std::vector<std::vector<PreviewLine>> previews(names.size());
  if (names.empty()) return previews;
  const DriverNames tree_names(names);
  const Takers takers = FindTakers(txtsetup, dosnet, tree_names);
  const LineList* const scripts[] = {&txtsetup, &dosnet};
  const std::vector<int32_t>* const taken[] = {&takers.txtsetup, &takers.dosnet};

  // Each line goes to the name whose pass blanks it.
  for (int s = 0; s < 2; ++s) {
    for (int32_t i = 0; i < scripts[s]->LineCount(); ++i) {
      const int32_t n = (*taken[s])[static_cast<size_t>(i)];
      const std::string_view line = scripts[s]->LineView(i);
      if (n == kNoTaker || line.empty()) continue;
      const std::string name = UpperAscii(names[static_cast<size_t>(n)]);
      const PreviewLine::Note note =
          s == 0 ? NoteOf(RuleOf(takers.sections[static_cast<size_t>(i)]), line, name) : NoteOf(LineRule::kContains, line, name + ".SYS");
      previews[static_cast<size_t>(n)].push_back(PreviewLine{s == 0, i, note});
    }
  }

  // What the run keeps that still names a driver as a word: from each place
  // that no word byte precedes, the names that end before no word byte.
  const NameTree& tree = tree_names.Tree();
  std::vector<int32_t> listed_at(names.size(), -1);  // the last line a name was listed for, per script
  for (int s = 0; s < 2; ++s) {
    std::fill(listed_at.begin(), listed_at.end(), -1);
    for (int32_t i = 0; i < scripts[s]->LineCount(); ++i) {
      const std::string_view text = scripts[s]->LineView(i);
      if ((*taken[s])[static_cast<size_t>(i)] != kNoTaker) continue;
      bool after_word = false;  // the byte before `at` makes a word
      for (size_t at = 0; at < text.size(); ++at) {
        if (!after_word) {
          tree.Walk(text.data() + at, text.size() - at, [&](size_t length, int32_t first) {
            if (at + length < text.size() && IsWordByte(text[at + length])) return;
            for (int32_t n = first; n >= 0 && listed_at[static_cast<size_t>(n)] != i; n = tree.NextOfSameName(n)) {
              listed_at[static_cast<size_t>(n)] = i;
              previews[static_cast<size_t>(n)].push_back(PreviewLine{s == 0, i, PreviewLine::Note::kKept});
            }
          });
        }
        after_word = IsWordByte(text[at]);
      }
    }
  }
  return previews;
}

}  // namespace vornix
