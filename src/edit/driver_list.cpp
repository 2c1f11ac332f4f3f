#include "edit/driver_list.h"

#include <map>
#include <string_view>

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
  return text.size() >= 2 && text.front() == '"' && text.back() == '"' ? text.substr(1, text.size() - 2) : text;
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

std::vector<DriverRow> ListDrivers(const LineList& txtsetup, const std::vector<std::string>& names) {
  const std::vector<ScriptSection> sections = SectionsOfLines(txtsetup);
  const std::vector<int32_t> takers = FindTakers(txtsetup, LineList(), names).txtsetup;
  std::vector<DriverRow> rows;
  std::vector<int32_t> load_lines;
  std::map<std::string, std::string> descriptions;  // by upper-cased key
  std::map<std::string, int32_t> ids;               // by upper-cased service
  for (int32_t i = 0; i < txtsetup.LineCount(); ++i) {
    const std::string_view entry = TrimBlanks(txtsetup.LineView(i));
    if (!IsEntry(entry)) continue;
    switch (sections[i]) {
      case ScriptSection::kScsiLoad: {
        const std::string_view value = ValueOf(entry);
        rows.push_back(DriverRow{std::string(KeyOf(entry)), std::string(TrimBlanks(value.substr(0, value.find(',')))),
                                 0, std::nullopt, takers[i]});
        break;
      }
      case ScriptSection::kScsi:
        descriptions.emplace(UpperAscii(KeyOf(entry)), Unquoted(ValueOf(entry)));
        break;
      case ScriptSection::kHardwareIdsDatabase:
        ++ids[UpperAscii(ServiceOf(entry))];
        break;
      default:
        break;
    }
  }
  for (DriverRow& row : rows) {
    const std::string key = UpperAscii(row.name);
    if (ids.count(key)) row.ids = ids.at(key);
    if (descriptions.count(key)) row.description = descriptions.at(key);
  }
  return rows;
}

// What the preview gives each name, as taken lines of TXTSETUP.SIF.
}  // namespace vornix
