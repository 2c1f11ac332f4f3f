#include "edit/name_places.h"

#include <gtest/gtest.h>

namespace vornix {
namespace {

// Every place where a name stands as a word, and none after a word byte or before four foreign bytes.
TEST(NamePlaces, WhereANameMayStandAsAWord) {
  const NamePlaces places({"ab", "CDEF", "g"});
  const std::pair<std::string, std::vector<ptrdiff_t>> cases[] = {
      {"ab xab cdef_cdex g gh Ab", {0, 7, 17, 19, 22}}, {"g", {0}}, {" cdeg", {}}, {"x ab", {2}}};
  for (const auto& [piece, offsets] : cases) {
    std::vector<const char*> found;
    places.In(piece, &found);
    std::vector<ptrdiff_t> at;
    for (const char* place : found) at.push_back(place - piece.data());
    EXPECT_EQ(at, offsets) << piece;
  }
  std::string words;  // letters, digits and "_" make words
  for (const char c : std::string("@AZ[`az{/09:_^\x80")) words += IsWordByte(c) ? '1' : '0';
  EXPECT_EQ(words, "011001100110100");
}

}  // namespace
}  // namespace vornix
