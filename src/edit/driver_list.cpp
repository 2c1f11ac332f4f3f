#include "edit/driver_list.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "edit/takers.h"
#include "edit/txtsetup_pass.h"
#include "host/text/line_list.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

// A line that is an entry: not a comment, and holding "=". Its key, before
// the first "=" and trimmed, and its value, after it.
struct Entry {
  std::string_view key, value;
};
std::optional<Entry> EntryOf(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  const size_t equals = trimmed.find('=');
  if (trimmed.empty() || trimmed[0] == ';' || equals == std::string_view::npos) return std::nullopt;
  return Entry{TrimBlanks(trimmed.substr(0, equals)), trimmed.substr(equals + 1)};
}

std::string_view Unquoted(std::string_view text) {
  text = TrimBlanks(text);
  return text.size() >= 2 && text.front() == '"' && text.back() == '"' ? text.substr(1, text.size() - 2)
                                                                       : text;
}

// The service a hardware ID names: its value up to the first "," outside
// double quotes.
std::string_view ServiceOf(std::string_view value) {
  if (value.find(',') == std::string_view::npos) return Unquoted(value);  // most hold none
  bool quoted = false;
  size_t end = 0;
  for (; end < value.size() && (quoted || value[end] != ','); ++end) quoted ^= value[end] == '"';
  return Unquoted(value.substr(0, end));
}

// Names hashed and compared with ASCII case aside.
struct FoldedHash {
  size_t operator()(std::string_view name) const {
    // FNV-1a of the bytes with bit 5 set: a letter hashes as in lower case.
    uint64_t hash = 14695981039346656037u;
    for (const char c : name) hash = (hash ^ (static_cast<unsigned char>(c) | 0x20u)) * 1099511628211u;
    return static_cast<size_t>(hash);
  }
};
struct FoldedEqual {
  bool operator()(std::string_view a, std::string_view b) const { return a == b || SameNoCase(a, b); }
};

}  // namespace

std::vector<DriverRow> ListDrivers(const LineList& txtsetup, const std::vector<std::string_view>& names) {
  const Takers found = FindTakers(txtsetup, LineList(), names);
  auto next_taken = found.txtsetup.begin();  // the first taken line not before the one at hand
  // The rows first, then one look at each [SCSI] and [HardwareIdsDatabase]
  // entry for the rows of its name: the sections may come in any order.
  std::vector<DriverRow> rows;
  // One walk through the sections: the entries of [SCSI.Load] give the rows,
  // those of [SCSI] and [HardwareIdsDatabase] are kept for after it.
  std::vector<std::pair<bool, Entry>> described;  // [SCSI] or not, the entry

  // Room for what the sections give, then one walk through them.
  size_t load_lines = 0, other_lines = 0;
  for (const SectionLines& lines : found.sections) {
    const size_t count = static_cast<size_t>(lines.end - lines.first);
    if (lines.section == ScriptSection::kScsiLoad) load_lines += count;
    if (lines.section == ScriptSection::kScsi || lines.section == ScriptSection::kHardwareIdsDatabase) other_lines += count;
  }
  rows.reserve(load_lines);
  described.reserve(other_lines);
  for (const SectionLines& lines : found.sections) {
    const ScriptSection section = lines.section;
    if (section != ScriptSection::kScsiLoad && section != ScriptSection::kScsi &&
        section != ScriptSection::kHardwareIdsDatabase)
      continue;
    txtsetup.ForEachLine(lines.first, lines.end, [&](int32_t k, std::string_view line) {
      const std::optional<Entry> entry = EntryOf(line);
      if (!entry) return;
      if (section != ScriptSection::kScsiLoad) {
        described.emplace_back(section == ScriptSection::kScsi, *entry);
        return;
      }
      while (next_taken != found.txtsetup.end() && next_taken->line < k) ++next_taken;
      const bool taken = next_taken != found.txtsetup.end() && next_taken->line == k;
      rows.push_back(DriverRow{std::string(entry->key), std::string(TrimBlanks(entry->value.substr(0, entry->value.find(',')))),
                               0, std::nullopt, taken ? next_taken->taker : kNoTaker});
    });
  }
  // The rows of each name, ASCII case aside, in file order: the first by
  // name, each of the others after the one before.
  constexpr size_t kNoRow = SIZE_MAX;
  std::unordered_map<std::string_view, size_t, FoldedHash, FoldedEqual> first_named;
  first_named.reserve(rows.size());
  std::vector<size_t> next_named(rows.size(), kNoRow);
  for (size_t row = rows.size(); row-- > 0;) {
    const auto [named, added] = first_named.emplace(rows[row].name, row);
    if (!added) next_named[row] = std::exchange(named->second, row);
  }
  for (const auto& [scsi, entry] : described) {
    const auto named = first_named.find(scsi ? entry.key : ServiceOf(entry.value));
    if (named == first_named.end()) continue;
    for (size_t row = named->second; row != kNoRow; row = next_named[row]) {
      if (!scsi)
        ++rows[row].ids;
      else if (!rows[row].description)
        rows[row].description = std::string(Unquoted(entry.value));
    }
  }
  return rows;
}

}  // namespace vornix
