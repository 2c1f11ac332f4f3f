#include "edit/preview.h"

#include <algorithm>
#include <array>
#include <cstring>

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

// Two bytes read as one number: how the scan below reads the text.
uint16_t PairAt(const char* bytes) {
  uint16_t pair;
  std::memcpy(&pair, bytes, sizeof pair);
  return pair;
}

uint16_t PairOf(char first, char second) {
  const char pair[] = {first, second};
  return PairAt(pair);
}

// What a pair of bytes tells of a place where a name may begin, and what
// the FourKey of the four bytes there tells.
enum PlaceFlag : unsigned char {
  kNameAfter = 1,   // the first makes no word and a name begins with the second
  kNameBegins = 2,  // a name begins with the two or is the first alone
  kShortName = 4,   // a name of three bytes at most does
  kFourBegins = 8,  // by FourKey: a longer name may begin with the four
};

// The places of a text where a name may stand as a word, told from the bytes
// around them, so that the tree is walked from few of them: the byte before
// makes no word, a name begins with the two bytes there, and a name that
// short does or the four bytes there may begin a name (their key may say so
// wrongly, never the other way round).
class NamePlaces {
 public:
  explicit NamePlaces(const std::vector<std::string_view>& names) : flags_(size_t{1} << 16) {
    std::array<bool, 256> begins{}, alone{};
    for (const std::string_view name : names) {
      const char first = FoldAscii(name[0]);
      begins[static_cast<unsigned char>(first)] = true;
      if (name.size() == 1) {
        alone[static_cast<unsigned char>(first)] = true;
        continue;
      }
      const bool short_name = name.size() <= 3;
      for (const char a : Spellings(first)) {
        for (const char b : Spellings(FoldAscii(name[1])))
          flags_[PairOf(a, b)] |= short_name ? kNameBegins | kShortName : kNameBegins;
      }
      if (!short_name) flags_[FourKey(name.data())] |= kFourBegins;
    }
    for (int c = 0; c < 256; ++c) {
      const char byte = static_cast<char>(c);
      for (int other = 0; other < 256 && alone[static_cast<unsigned char>(FoldAscii(byte))]; ++other)
        flags_[PairOf(byte, static_cast<char>(other))] |= kNameBegins | kShortName;
      for (int before = 0; before < 256 && begins[static_cast<unsigned char>(FoldAscii(byte))]; ++before)
        flags_[PairOf(static_cast<char>(before), byte)] |= IsWordByte(static_cast<char>(before)) ? 0 : kNameAfter;
    }
  }

  /// Whether a name may stand as a word at `at`; reads from at[-1] to at[3].
  bool MayStandAt(const char* at) const {
    const unsigned char here = flags_[PairAt(at)];
    return (here & kNameBegins) != 0 && (flags_[PairAt(at - 1)] & kNameAfter) != 0 &&
           ((here & kShortName) != 0 || (flags_[FourKey(at)] & kFourBegins) != 0);
  }
  /// The same for either byte of the pair at `pair`.
  bool MayStandIn(const char* pair) const {
    const unsigned char flags = flags_[PairAt(pair)];
    return (((flags & kNameBegins) != 0 && MayStandAt(pair)) || ((flags & kNameAfter) != 0 && MayStandAt(pair + 1)));
  }

 private:
  std::vector<unsigned char> flags_;  // PlaceFlag by PairAt, and kFourBegins by FourKey
};

// Pairs of bytes, each two bytes after the one before: the places std::find_if
// runs over in a piece of text.
class PairPlaces {
 public:
  using iterator_category = std::random_access_iterator_tag;
  using value_type = const char*;
  using difference_type = std::ptrdiff_t;
  using pointer = const value_type*;
  using reference = value_type;

  explicit PairPlaces(const char* at) : at_(at) {}
  const char* operator*() const { return at_; }
  PairPlaces& operator++() {
    at_ += 2;
    return *this;
  }
  difference_type operator-(PairPlaces other) const { return (at_ - other.at_) / 2; }
  bool operator!=(PairPlaces other) const { return at_ != other.at_; }

 private:
  const char* at_;
};

// Calls on_place(at) at every place of `piece`, a piece of a script's text
// as LineList::TextPieces gives it, where a name may stand as a word. Before
// a piece the text holds a line end, or the piece begins with one; after it
// likewise. The places whose bytes around stay in the piece are judged where
// they stand, the few others on a copy of those bytes.
template <class OnPlace>
void ForEachNamePlace(std::string_view piece, const NamePlaces& places, OnPlace on_place) {
  const char* const begin = piece.data();
  const ptrdiff_t size = static_cast<ptrdiff_t>(piece.size());
  const auto byte = [&](ptrdiff_t k) { return k >= 0 && k < size ? begin[k] : '\n'; };
  const auto at_edge = [&](ptrdiff_t k) {
    const char around[] = {byte(k - 1), byte(k), byte(k + 1), byte(k + 2), byte(k + 3)};
    if (places.MayStandAt(around + 1)) on_place(begin + k);
  };
  at_edge(0);
  const PairPlaces last(begin + 1 + 2 * std::max<ptrdiff_t>(0, (size - 4) / 2));
  const auto may_stand_in = [&places](const char* pair) { return places.MayStandIn(pair); };
  for (PairPlaces pair(begin + 1); (pair = std::find_if(pair, last, may_stand_in)) != last; ++pair) {
    for (const char* const at : {*pair, *pair + 1}) {
      if (places.MayStandAt(at)) on_place(at);
    }
  }
  for (ptrdiff_t k = *last - begin; k < size; ++k) at_edge(k);
}

}  // namespace

std::vector<std::vector<PreviewLine>> PreviewRemoval(const LineList& txtsetup, const LineList& dosnet,
                                                     const std::vector<std::string_view>& names) {
  std::vector<std::vector<PreviewLine>> previews(names.size());
  if (names.empty()) return previews;
  const DriverNames tree_names(names);
  const Takers takers = FindTakers(txtsetup, dosnet, tree_names);
  const LineList* const scripts[] = {&txtsetup, &dosnet};
  const std::vector<TakenLine>* const taken[] = {&takers.txtsetup, &takers.dosnet};

  // Each line goes to the name whose pass blanks it.
  for (int s = 0; s < 2; ++s) {
    for (const TakenLine& line : *taken[s]) {
      if (line.text.empty()) continue;
      const std::string_view name = names[static_cast<size_t>(line.taker)];
      const PreviewLine::Note note = NoteOf(line.rule, line.text, s == 0 ? std::string(name) : std::string(name) + ".sys");
      previews[static_cast<size_t>(line.taker)].push_back(PreviewLine{s == 0, line.line, note, line.text});
    }
  }

  // What the run keeps that still names a driver as a word: from each place
  // that no word byte precedes, the names that end before no word byte. The
  // text is read as it would be saved, taken lines too; what is found in
  // those is passed over.
  const NameTree& tree = tree_names.Tree();
  const NamePlaces places(names);
  std::vector<int32_t> listed_at(names.size());  // the last line a name was listed for, per script
  for (int s = 0; s < 2; ++s) {
    std::fill(listed_at.begin(), listed_at.end(), -1);
    int32_t line = 0;                     // where `counted` stands
    auto next_taken = taken[s]->begin();  // the first taken line not before `line`
    for (const std::string_view piece : scripts[s]->TextPieces()) {
      const char* counted = piece.data();
      const char* const end = piece.data() + piece.size();
      const auto list = [&](const char* at, size_t length, int32_t first) {
        if (length < static_cast<size_t>(end - at) && IsWordByte(at[length])) return;
        line += static_cast<int32_t>(CountByte(counted, at, '\n'));
        counted = at;
        while (next_taken != taken[s]->end() && next_taken->line < line) ++next_taken;
        if (next_taken != taken[s]->end() && next_taken->line == line) return;
        // The line is the piece's bytes around the name up to a line end.
        const char* from = at;
        while (from > piece.data() && from[-1] != '\n') --from;
        const char* const to = std::find_if(at, end, [](char c) { return c == '\r' || c == '\n'; });
        const std::string_view text(from, static_cast<size_t>(to - from));
        for (int32_t n = first; n >= 0 && listed_at[static_cast<size_t>(n)] != line; n = tree.NextOfSameName(n)) {
          listed_at[static_cast<size_t>(n)] = line;
          previews[static_cast<size_t>(n)].push_back(PreviewLine{s == 0, line, PreviewLine::Note::kKept, text});
        }
      };
      ForEachNamePlace(piece, places, [&](const char* at) {
        tree.Walk(at, static_cast<size_t>(end - at), [&list, at](size_t length, int32_t first) { list(at, length, first); });
      });
      line += static_cast<int32_t>(CountByte(counted, end, '\n'));
    }
  }
  return previews;
}

}  // namespace vornix
