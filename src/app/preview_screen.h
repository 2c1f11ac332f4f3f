// The screen of a preview ("-N"): for each driver name the script lines a
// run would blank on its account and those it would keep that still name the
// driver, then what the run would append and cut.
#ifndef VORNIX_APP_PREVIEW_SCREEN_H_
#define VORNIX_APP_PREVIEW_SCREEN_H_

#include <cstdint>
#include <string>
#include <vector>

namespace vornix {

class Console;
class LineList;

/// What a run has loaded when it comes to the passes.
struct LoadedRun {
  const LineList& txtsetup;  // as the passes would meet it
  const LineList& dosnet;
  const std::vector<std::string_view>& names;
  int32_t txtsetup_added, dosnet_added;
  bool cuts_marker;  // the last txtsetup line holds the end-of-file byte
};

void ShowPreview(Console& console, const LoadedRun& run);

}  // namespace vornix

#endif  // VORNIX_APP_PREVIEW_SCREEN_H_
