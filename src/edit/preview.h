// What a run would take out of the scripts for each driver name, and what it
// would leave there that still names the driver: the preview of "-N".
#ifndef VORNIX_EDIT_PREVIEW_H_
#define VORNIX_EDIT_PREVIEW_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

class LineList;

struct PreviewLine {
  enum class Note {
    kTaken,
    kLongerName,  // taken only because the name runs on into a longer word
    kKept,        // kept, though it names the driver as a word
  };
  int32_t name;  // its list index
  bool in_txtsetup;
  int32_t index;
  Note note;
  std::string_view text;  // the line, a view into its script's list
};

/// For each name, in list order, one name's lines after another: the lines not yet empty that the run would
/// blank on its account (a line that several names take goes to the first),
/// TXTSETUP.SIF first, each script in file order; then the lines the run
/// would keep that name the driver as a word, ASCII case ignored. The
/// scripts as the passes meet them; the names as the passes get them. No line
/// and no name holds a line end (CR or LF), as none read from a file does.
std::vector<PreviewLine> PreviewRemoval(const LineList& txtsetup, const LineList& dosnet,
                                        const std::vector<std::string_view>& names);

}  // namespace vornix

#endif  // VORNIX_EDIT_PREVIEW_H_
