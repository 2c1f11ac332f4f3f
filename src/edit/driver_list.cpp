#include "edit/driver_list.h"

#include <string_view>
#include <unordered_map>

#include "edit/takers.h"
#include "edit/txtsetup_pass.h"
#include "host/text/line_list.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

// A line that is an entry: not a comment, and holding "=".
bool IsEntry(std::string_view trimmed) {
  return !trimmed.empty() && trimmed[0] != ';' && trimmed.find('=') != std::string_view::npos;
}

std::string_view KeyOf(std::string_view entry) { return TrimBlanks(entry.substr(0, entry.find('='))); }
std::string_view ValueOf(std::string_view entry) { return entry.substr(entry.find('=') + 1); }

std::string_view Unquoted(std::string_view text) {
  text = TrimBlanks(text);
  return text.size() >= 2 && text.front() == '"' && text.back() == '"' ? text.substr(1, text.size() - 2)
                                                                       : text;
}

// The service a hardware ID names: the value up to the first "," outside
// double quotes.
std::string_view ServiceOf(std::string_view entry) {
  const std::string_view value = ValueOf(entry);
  bool quoted = false;
  size_t end = 0;
  for (; end < value.size() && (quoted || value[end] != ','); ++end) quoted ^= value[end] == '"';
  return Unquoted(value.substr(0, end));
}

}  // namespace

std::vector<DriverRow> ListDrivers(const LineList& txtsetup, const std::vector<std::string_view>& names) {
  const Takers found = FindTakers(txtsetup, LineList(), names);
  auto next_taken = found.txtsetup.begin();  // the first taken line not before the one at hand
  // The rows first, then one look at each [SCSI] and [HardwareIdsDatabase]
  // entry for the rows of its name: the sections may come in any order.
  std::vector<DriverRow> rows;
  std::unordered_map<std::string, std::vector<size_t>> rows_named;  // by upper-cased name
  // One walk through the sections: the entries of [SCSI.Load] give the rows,
  // those of [SCSI] and [HardwareIdsDatabase] are kept for after it.
  std::vector<std::pair<bool, std::string_view>> described;  // [SCSI] or not, the entry
  for (const SectionLines& lines : found.sections) {
    const ScriptSection section = lines.section;
    if (section != ScriptSection::kScsiLoad && section != ScriptSection::kScsi &&
        section != ScriptSection::kHardwareIdsDatabase)
      continue;
    txtsetup.ForEachLine(lines.first, lines.end, [&](int32_t k, std::string_view line) {
      const std::string_view entry = TrimBlanks(line);
      if (!IsEntry(entry)) return;
      if (section != ScriptSection::kScsiLoad) {
        described.emplace_back(section == ScriptSection::kScsi, entry);
        return;
      }
      const std::string_view value = ValueOf(entry);
      while (next_taken != found.txtsetup.end() && next_taken->line < k) ++next_taken;
      const bool taken = next_taken != found.txtsetup.end() && next_taken->line == k;
      rows.push_back(DriverRow{std::string(KeyOf(entry)),
                               std::string(TrimBlanks(value.substr(0, value.find(',')))), 0, std::nullopt,
                               taken ? next_taken->taker : kNoTaker});
      rows_named[UpperAscii(rows.back().name)].push_back(rows.size() - 1);
    });
  }
  std::string name;  // of the entry at hand, upper-cased; one buffer for all
  for (const auto& [scsi, entry] : described) {
    name.assign(scsi ? KeyOf(entry) : ServiceOf(entry));
    for (char& c : name) c = FoldAscii(c);
    const auto named = rows_named.find(name);
    if (named == rows_named.end()) continue;
    for (const size_t row : named->second) {
      if (!scsi)
        ++rows[row].ids;
      else if (!rows[row].description)
        rows[row].description = std::string(Unquoted(ValueOf(entry)));
    }
  }
  return rows;
}

}  // namespace vornix
