#include "edit/preview.h"

#include <algorithm>
#include <numeric>

#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/name_places.h"
#include "edit/txtsetup_pass.h"
#include "host/text/line_list.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

bool SameLetter(char a, char b) { return FoldAscii(a) == FoldAscii(b); }

// Whether `needle` stands in `text` as a word, ASCII case aside: at a place
// with no word byte directly before or after it.
bool NamesAsWord(std::string_view text, std::string_view needle) {
  for (auto at = std::search(text.begin(), text.end(), needle.begin(), needle.end(), SameLetter); at != text.end();
       at = std::search(at + 1, text.end(), needle.begin(), needle.end(), SameLetter)) {
    const size_t k = static_cast<size_t>(at - text.begin());
    if ((k == 0 || !IsWordByte(text[k - 1])) &&
        (k + needle.size() == text.size() || !IsWordByte(text[k + needle.size()])))
      return true;
  }
  return false;
}

// A line taken under `rule` for `needle` only because the name runs on into
// a longer word: the byte after it where the line must begin with it, every
// place it stands where it may stand anywhere.
PreviewLine::Note NoteOf(LineRule rule, std::string_view line, std::string_view needle) {
  const std::string_view text = TrimBlanks(line);
  const bool longer = rule == LineRule::kBeginsWith
                          ? text.size() > needle.size() && IsWordByte(text[needle.size()])
                          : rule == LineRule::kContains && !NamesAsWord(text, needle);
  return longer ? PreviewLine::Note::kLongerName : PreviewLine::Note::kTaken;
}

}  // namespace

std::vector<PreviewLine> PreviewRemoval(const LineList& txtsetup, const LineList& dosnet,
                                        const std::vector<std::string_view>& names) {
  std::vector<PreviewLine> found_lines;  // as they are found, not yet by name
  if (names.empty()) return found_lines;
  const DriverNames tree_names(names);
  const std::vector<TakenLine> taken[] = {TxtsetupTakers(txtsetup, tree_names), DosnetTakers(dosnet, tree_names)};
  const LineList* const scripts[] = {&txtsetup, &dosnet};

  // Each line goes to the name whose pass blanks it.
  for (int s = 0; s < 2; ++s) {
    for (const TakenLine& line : taken[s]) {
      if (line.text.empty()) continue;
      const std::string_view name = names[static_cast<size_t>(line.taker)];
      const PreviewLine::Note note = NoteOf(line.rule, line.text, s == 0 ? std::string(name) : std::string(name) + ".sys");
      found_lines.push_back(PreviewLine{line.taker, s == 0, line.line, note, line.text});
    }
  }

  // What the run keeps that still names a driver as a word: from each place
  // that no word byte precedes, the names that end before no word byte. The
  // text is read as it would be saved, taken lines too; what is found in
  // those is passed over.
  const NameTree& tree = tree_names.Tree();
  const NamePlaces places(names);
  std::vector<const char*> found;                // in a piece
  std::vector<int32_t> listed_at(names.size());  // the last line a name was listed for, per script
  for (int s = 0; s < 2; ++s) {
    std::fill(listed_at.begin(), listed_at.end(), -1);
    int32_t line = 0;                    // where `counted` stands
    auto next_taken = taken[s].begin();  // the first taken line not before `line`
    for (const std::string_view piece : scripts[s]->TextPieces()) {
      const char* counted = piece.data();
      const char* const end = piece.data() + piece.size();
      const auto list = [&](const char* at, size_t length, int32_t first) {
        if (length < static_cast<size_t>(end - at) && IsWordByte(at[length])) return;
        line += static_cast<int32_t>(CountByte(counted, at, '\n'));
        counted = at;
        while (next_taken != taken[s].end() && next_taken->line < line) ++next_taken;
        if (next_taken != taken[s].end() && next_taken->line == line) return;
        // The line is the piece's bytes around the name up to a line end.
        const char* from = at;
        while (from > piece.data() && from[-1] != '\n') --from;
        const char* const to = std::find_if(at, end, [](char c) { return c == '\r' || c == '\n'; });
        const std::string_view text(from, static_cast<size_t>(to - from));
        for (int32_t n = first; n >= 0 && listed_at[static_cast<size_t>(n)] != line; n = tree.NextOfSameName(n)) {
          listed_at[static_cast<size_t>(n)] = line;
          found_lines.push_back(PreviewLine{n, s == 0, line, PreviewLine::Note::kKept, text});
        }
      };
      places.In(piece, &found);
      for (const char* const at : found)
        tree.Walk(at, static_cast<size_t>(end - at), [&list, at](size_t length, int32_t first) { list(at, length, first); });
      line += static_cast<int32_t>(CountByte(counted, end, '\n'));
    }
  }

  // Each name's lines together, in the order they were found: the lines
  // are counted by name, then each goes after those of the names before.
  std::vector<size_t> place(names.size() + 1);
  for (const PreviewLine& line : found_lines) ++place[static_cast<size_t>(line.name) + 1];
  std::partial_sum(place.begin(), place.end(), place.begin());
  std::vector<PreviewLine> by_name(found_lines.size());
  for (const PreviewLine& line : found_lines) by_name[place[static_cast<size_t>(line.name)]++] = line;
  return by_name;
}

}  // namespace vornix
