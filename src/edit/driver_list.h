// The text-mode mass-storage drivers of txtsetup.sif, one for every load line
// of [SCSI.Load], with what the script says of each and which name of the
// deletion list would take it: the list of "-L".
#ifndef VORNIX_EDIT_DRIVER_LIST_H_
#define VORNIX_EDIT_DRIVER_LIST_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "edit/takers.h"

namespace vornix {

class LineList;

struct DriverRow {
  std::string name;                        // before the first "=", blanks trimmed
  std::string file;                        // after it, up to the first ",", blanks trimmed
  int32_t ids;                             // [HardwareIdsDatabase] lines whose service is the name
  std::optional<std::string> description;  // of the first [SCSI] line of the name
  int32_t taker;                           // index of the first name whose pass blanks the line, or kNoTaker
};

/// A row for every load line of every [SCSI.Load] section, in file order:
/// a line of the section that is no comment and holds "=". Names compare in
/// ASCII case. The script as the passes meet it; the names as they get them.
std::vector<DriverRow> ListDrivers(const LineList& txtsetup, const std::vector<std::string_view>& names);

}  // namespace vornix

#endif  // VORNIX_EDIT_DRIVER_LIST_H_
