// The screen of a list ("-L"): every text-mode mass-storage driver of
// txtsetup.sif in aligned columns, the name of txtfiles.del that would take
// it, and the names that would take none.
#ifndef VORNIX_APP_LIST_SCREEN_H_
#define VORNIX_APP_LIST_SCREEN_H_

#include <string>
#include <vector>

namespace vornix {

class Console;
class LineList;

/// `txtsetup` as the passes would meet it; `names` as they would get them.
void ShowDriverList(Console& console, const LineList& txtsetup, const std::vector<std::string_view>& names);

}  // namespace vornix

#endif  // VORNIX_APP_LIST_SCREEN_H_
