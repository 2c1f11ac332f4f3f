#include "app/list_screen.h"

#include <algorithm>

#include "app/texts.h"
#include "edit/driver_list.h"
#include "host/console/console.h"
#include "host/failures/message_template.h"

namespace vornix {

void ShowDriverList(Console& console, const LineList& txtsetup, const std::vector<std::string_view>& names) {
  const std::vector<DriverRow> rows = ListDrivers(txtsetup, names);
  console.Print(FillTemplate(texts::kDriverCount, {static_cast<int64_t>(rows.size())}));
  console.Print("");
  size_t name_width = 0, file_width = 0, ids_width = 0;
  for (const DriverRow& row : rows) {
    name_width = std::max(name_width, row.name.size());
    file_width = std::max(file_width, row.file.size());
    ids_width = std::max(ids_width, std::to_string(row.ids).size());
  }
  std::vector<bool> takes(names.size());
  for (const DriverRow& row : rows) {
    const std::string ids = std::to_string(row.ids);
    std::string text = "  " + row.name;
    text.append(name_width - row.name.size() + 2, ' ').append(row.file);
    text.append(file_width - row.file.size() + 2 + ids_width - ids.size(), ' ').append(ids);
    text.append(row.ids == 1 ? texts::kId : texts::kIds).append("  ");
    text.append(row.description ? *row.description : texts::kNoDescription);
    if (row.taker >= 0) text.append(texts::kTakenBy).append(names[row.taker]), takes[row.taker] = true;
    console.Print(text);
  }
  std::string idle;
  for (size_t n = 0; n < names.size(); ++n)
    if (!takes[n]) idle.append(idle.empty() ? "" : texts::kNameSeparator).append(names[n]);
  if (idle.empty()) return;
  console.Print("");
  console.Print(texts::kIdleNames + idle);
}

}  // namespace vornix
