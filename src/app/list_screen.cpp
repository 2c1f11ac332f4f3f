#include "app/list_screen.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "app/texts.h"
#include "edit/driver_list.h"
#include "host/console/console.h"
#include "host/failures/message_template.h"

namespace vornix {

void ShowDriverList(Console& console, const LineList& txtsetup, const std::vector<std::string_view>& names) {
  const std::vector<DriverRow> rows = ListDrivers(txtsetup, names);
  console.Print(FillTemplate(texts::kDriverCount, {static_cast<int64_t>(rows.size())}));
  console.Print("");
  size_t name_width = 0, file_width = 0, ids_width = 1;  // the count of IDs: the digits of the most
  int32_t most_ids = 0;
  for (const DriverRow& row : rows) {
    name_width = std::max(name_width, row.name.size());
    file_width = std::max(file_width, row.file.size());
    most_ids = std::max(most_ids, row.ids);
  }
  for (; most_ids >= 10; most_ids /= 10) ++ids_width;
  const std::string blanks(std::max(name_width, file_width + ids_width) + 2, ' ');  // the columns' padding
  std::vector<bool> takes(names.size());
  for (const DriverRow& row : rows) {
    char ids[16];
    const size_t ids_size = static_cast<size_t>(std::to_chars(std::begin(ids), std::end(ids), row.ids).ptr - ids);
    const std::string_view pad = blanks;
    const bool taken = row.taker >= 0;
    console.Print({"  ", row.name, pad.substr(0, name_width - row.name.size() + 2), row.file,
                   pad.substr(0, file_width - row.file.size() + 2 + ids_width - ids_size), std::string_view(ids, ids_size),
                   row.ids == 1 ? texts::kId : texts::kIds, "  ", row.description ? std::string_view(*row.description) : texts::kNoDescription,
                   taken ? texts::kTakenBy : "", taken ? names[row.taker] : std::string_view()});
    if (taken) takes[row.taker] = true;
  }
  std::string idle;
  for (size_t n = 0; n < names.size(); ++n)
    if (!takes[n]) idle.append(idle.empty() ? "" : texts::kNameSeparator).append(names[n]);
  if (idle.empty()) return;
  console.Print("");
  console.Print(texts::kIdleNames + idle);
}

}  // namespace vornix
