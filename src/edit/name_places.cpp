#include "edit/name_places.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "edit/driver_names.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

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

// How a byte folded with FoldAscii may be written, and perhaps a byte more:
// a letter also with bit 5 set, as in lower case.
std::array<char, 2> Spellings(char folded) { return {folded, static_cast<char>(folded | 0x20)}; }

// What a pair of bytes tells of a place where a name may begin, and what
// the FourKey of the four bytes there tells.
enum PlaceFlag : unsigned char {
  kNameAfter = 1,   // the first makes no word and a name begins with the second
  kNameBegins = 2,  // a name begins with the two or is the first alone
  kShortName = 4,   // a name of three bytes at most does
  kFourBegins = 8,  // by FourKey: a longer name may begin with the four
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

}  // namespace

bool IsWordByte(char c) {
  const char letter = FoldAscii(c);
  return (letter >= 'A' && letter <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

NamePlaces::NamePlaces(const std::vector<std::string_view>& names) : flags_(size_t{1} << 16) {
  std::array<bool, 256> begins{}, alone{};
  for (const std::string_view name : names) {
    const char first = FoldAscii(name[0]);
    begins[static_cast<unsigned char>(first)] = true;
    if (name.size() == 1) {
      alone[static_cast<unsigned char>(first)] = true;
      continue;
    }
    const bool short_name = name.size() <= 3;
    const unsigned char flags = short_name ? kNameBegins | kShortName : kNameBegins;
    const char second = FoldAscii(name[1]);
    if ((flags_[PairOf(first, second)] & flags) != flags) {  // the first name to begin so
      for (const char a : Spellings(first)) {
        for (const char b : Spellings(second)) flags_[PairOf(a, b)] |= flags;
      }
    }
    if (!short_name) flags_[FourKey(name.data())] |= kFourBegins;
  }
  std::vector<char> non_word;  // the bytes that make no word
  for (int c = 0; c < 256; ++c) {
    if (!IsWordByte(static_cast<char>(c))) non_word.push_back(static_cast<char>(c));
  }
  for (int c = 0; c < 256; ++c) {
    const char byte = static_cast<char>(c);
    for (int other = 0; other < 256 && alone[static_cast<unsigned char>(FoldAscii(byte))]; ++other)
      flags_[PairOf(byte, static_cast<char>(other))] |= kNameBegins | kShortName;
    if (!begins[static_cast<unsigned char>(FoldAscii(byte))]) continue;
    for (const char before : non_word) flags_[PairOf(before, byte)] |= kNameAfter;
  }
}

bool NamePlaces::MayStandAt(const char* at) const {  // reads from at[-1] to at[3]
  const unsigned char here = flags_[PairAt(at)];
  return (here & kNameBegins) != 0 && (flags_[PairAt(at - 1)] & kNameAfter) != 0 &&
         ((here & kShortName) != 0 || (flags_[FourKey(at)] & kFourBegins) != 0);
}

bool NamePlaces::MayStandIn(const char* pair) const {  // either byte of the pair
  const unsigned char flags = flags_[PairAt(pair)];
  return (((flags & kNameBegins) != 0 && MayStandAt(pair)) || ((flags & kNameAfter) != 0 && MayStandAt(pair + 1)));
}

void NamePlaces::In(std::string_view piece, std::vector<const char*>* places) const {
  // The places whose bytes around stay in the piece are judged where they
  // stand, two at a time, the few others on a copy of those bytes.
  const char* const begin = piece.data();
  const ptrdiff_t size = static_cast<ptrdiff_t>(piece.size());
  places->clear();
  const auto byte = [&](ptrdiff_t k) { return k >= 0 && k < size ? begin[k] : '\n'; };
  const auto at_edge = [&](ptrdiff_t k) {  // on a copy of the bytes around
    const char around[] = {byte(k - 1), byte(k), byte(k + 1), byte(k + 2), byte(k + 3)};
    if (MayStandAt(around + 1)) places->push_back(begin + k);
  };
  at_edge(0);
  const PairPlaces last(begin + 1 + 2 * std::max<ptrdiff_t>(0, (size - 4) / 2));
  const auto may_stand_in = [this](const char* pair) { return MayStandIn(pair); };
  for (PairPlaces pair(begin + 1); (pair = std::find_if(pair, last, may_stand_in)) != last; ++pair) {
    for (const char* const at : {*pair, *pair + 1}) {
      if (MayStandAt(at)) places->push_back(at);
    }
  }
  for (ptrdiff_t k = *last - begin; k < size; ++k) at_edge(k);
}

}  // namespace vornix
