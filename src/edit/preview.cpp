#include "edit/preview.h"

#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "host/text/text_rules.h"
#include "edit/txtsetup_pass.h"
#include "host/text/line_list.h"

namespace vornix {

namespace {

// ASCII letters, digits and "_" make words.
bool IsWordByte(char c) {
  const char upper = FoldAscii(c);
  return (upper >= 'A' && upper <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

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
  // The run's passes, one name at a time and in list order on copies of the
  // scripts, so that each line goes to the name whose pass blanks it.
  LineList scripts[] = {txtsetup, dosnet};
  const std::vector<LineRule> rules = RulesOfLines(txtsetup);
  std::vector<bool> empty[2];
  for (int s = 0; s < 2; ++s)
    for (int32_t i = 0; i < scripts[s].LineCount(); ++i) empty[s].push_back(scripts[s].LineView(i).empty());

  std::vector<std::vector<PreviewLine>> previews(names.size());
  for (size_t n = 0; n < names.size(); ++n) {
    const DriverNames one({names[n]});
    const std::string name = UpperAscii(names[n]);
    ClearTxtsetupEntries(scripts[0], one);
    ClearDosnetEntries(scripts[1], one);
    for (int s = 0; s < 2; ++s) {
      for (int32_t i = 0; i < scripts[s].LineCount(); ++i) {
        if (empty[s][i] || !scripts[s].LineView(i).empty()) continue;
        empty[s][i] = true;
        const LineList& script = s == 0 ? txtsetup : dosnet;
        const PreviewLine::Note note = s == 0 ? NoteOf(rules[i], script.LineView(i), name)
                                              : NoteOf(LineRule::kContains, script.LineView(i), name + ".SYS");
        previews[n].push_back(PreviewLine{s == 0, i, note});
      }
    }
  }

  // What the run keeps that still names a driver as a word.
  std::vector<std::string> kept[2];
  for (int s = 0; s < 2; ++s)
    for (int32_t i = 0; i < scripts[s].LineCount(); ++i)
      kept[s].push_back(empty[s][i] ? std::string() : UpperAscii(scripts[s].LineView(i)));
  for (size_t n = 0; n < names.size(); ++n) {
    const std::string name = UpperAscii(names[n]);
    for (int s = 0; s < 2; ++s)
      for (size_t i = 0; i < kept[s].size(); ++i)
        if (NamesAsWord(kept[s][i], name))
          previews[n].push_back(PreviewLine{s == 0, static_cast<int32_t>(i), PreviewLine::Note::kKept});
  }
  return previews;
}

}  // namespace vornix
