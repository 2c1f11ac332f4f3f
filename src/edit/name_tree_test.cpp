#include "edit/name_tree.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace vornix {
namespace {

// Hundreds of names whose third and fourth bytes follow many different
// beginnings with few different bytes: a walk of each name's bytes in lower
// case ends at that name, and a name given twice chains its indices from the
// first.
TEST(NameTree, FindsEachOfManyNamesThatShareBeginnings) {
  std::vector<std::string> spelled = {"AB", "abc"};
  for (int i = 0; i < 600; ++i) {
    const char begin[] = {static_cast<char>('a' + i % 26), static_cast<char>('a' + i / 26), static_cast<char>('a' + i % 5), 'Q'};
    spelled.push_back(std::string(begin, 4) + std::string(i % 3, 'x'));
  }
  spelled.push_back("AAAQ");  // index 2 again
  const std::vector<std::string_view> names(spelled.begin(), spelled.end());
  const NameTree tree(names);
  for (size_t i = 0; i < spelled.size(); ++i) {
    std::string text = spelled[i] + "!";
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::pair<size_t, int32_t> last{0, -1};
    tree.Walk(text.data(), text.size(), [&last](size_t length, int32_t index) { last = {length, index}; });
    EXPECT_EQ(last, std::make_pair(spelled[i].size(), static_cast<int32_t>(i == spelled.size() - 1 ? 2 : i))) << text;
  }
  for (const char* other : {"abZZ", "abz", "aa", "b"}) {
    int32_t longest = 0;
    tree.Walk(other, std::strlen(other), [&longest](size_t length, int32_t) { longest = static_cast<int32_t>(length); });
    EXPECT_EQ(longest, other[1] == 'b' ? 2 : 0) << other;
  }
  EXPECT_EQ(tree.NextOfSameName(2), static_cast<int32_t>(spelled.size() - 1));
  EXPECT_EQ(tree.NextOfSameName(static_cast<int32_t>(spelled.size() - 1)), -1);
  const std::vector<std::string_view> two = {"a", "b"};
  EXPECT_EQ(NameTree(two).NextOfSameName(0), -1);
}

// Deep down, the bytes only one name has are read from the name itself until
// a later name parts from it, ends inside it or is the same name again.
TEST(NameTree, ANameEndsOrPartsInsideTheRestOfAnother) {
  const std::string long_name = "abcd" + std::string(70000, 'z');
  const std::vector<std::string_view> names = {"abcdefgh", "ABCDEFXY", "abcdef", "abcdefghij", "abcdefgh", "abcdefghik", long_name};
  const NameTree tree(names);
  // clang-format off
  const std::pair<std::string, std::string> walks[] = {
      {"ABCDEFGHIJK!", "6:2 8:0 10:3 "}, {"abcdefxy", "6:2 8:1 "}, {"abcdefg", "6:2 "}, {"abcdEFGHIK", "6:2 8:0 10:5 "},
      {"abcdefgx", "6:2 "}, {long_name + "!", "70004:6 "}, {long_name.substr(0, 70003) + "y", ""}, {"abcde", ""},
  };
  // clang-format on
  for (const auto& [text, found] : walks) {
    std::string said;
    tree.Walk(text.data(), text.size(), [&said](size_t length, int32_t index) { said += std::to_string(length) + ":" + std::to_string(index) + " "; });
    EXPECT_EQ(said, found) << text.substr(0, 12);
  }
  EXPECT_EQ(tree.NextOfSameName(0), 4);
}

}  // namespace
}  // namespace vornix
