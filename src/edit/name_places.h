// Where in a script's text a driver name may stand as a word, told from the
// bytes around each place, so that the name tree is walked from few places:
// the byte before makes no word, a name begins with the two bytes there, and
// a name that short does or the four bytes there may begin one (their key
// may say so wrongly, never the other way round). The preview finds the
// lines a run keeps that still name a driver this way.
#ifndef VORNIX_EDIT_NAME_PLACES_H_
#define VORNIX_EDIT_NAME_PLACES_H_

#include <string_view>
#include <vector>

namespace vornix {

/// ASCII letters, digits and "_" make words.
bool IsWordByte(char c);

class NamePlaces {
 public:
  /// Names as the passes get them: none empty.
  explicit NamePlaces(const std::vector<std::string_view>& names);

  /// The places of `piece`, a piece of a script's text as
  /// LineList::TextPieces gives it, where a name may stand as a word, in
  /// order: every place where one does, and few others. Before a piece the
  /// text holds a line end, or the piece begins with one; after it likewise.
  void In(std::string_view piece, std::vector<const char*>* places) const;

 private:
  bool MayStandAt(const char* at) const;
  bool MayStandIn(const char* pair) const;

  std::vector<unsigned char> flags_;  // PlaceFlag by two bytes, and kFourBegins by FourKey
};

}  // namespace vornix

#endif  // VORNIX_EDIT_NAME_PLACES_H_
