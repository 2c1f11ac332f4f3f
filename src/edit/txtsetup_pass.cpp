#include "edit/txtsetup_pass.h"

#include "edit/driver_names.h"
#include "host/text/line_list.h"
#include "host/text/text_rules.h"

namespace vornix {

namespace {

struct Header {
  std::string_view text;
  ScriptSection section;
};

constexpr Header kHeaders[] = {
    {"[SourceDisksFiles]", ScriptSection::kSourceDisksFiles},
    {"[SourceDisksFiles.amd64]", ScriptSection::kSourceDisksFiles},
    {"[SourceDisksFiles.ia64]", ScriptSection::kSourceDisksFiles},
    {"[SourceDisksFiles.x86]", ScriptSection::kSourceDisksFiles},
    {"[SCSI]", ScriptSection::kScsi},
    {"[SCSI.Load]", ScriptSection::kScsiLoad},
    {"[HardwareIdsDatabase]", ScriptSection::kHardwareIdsDatabase},
    {"[BusExtenders.Load]", ScriptSection::kBusExtendersLoad},
    {"[BusExtenders]", ScriptSection::kBusExtenders},
};

// The rule by which the lines of a section are taken.
LineRule RuleOf(ScriptSection section) {
  switch (section) {
    case ScriptSection::kOther:
      return LineRule::kNone;
    case ScriptSection::kSourceDisksFiles:
    case ScriptSection::kScsi:
    case ScriptSection::kScsiLoad:
      return LineRule::kBeginsWith;
    case ScriptSection::kHardwareIdsDatabase:
      return LineRule::kQuoted;
    case ScriptSection::kBusExtendersLoad:
    case ScriptSection::kBusExtenders:
      return LineRule::kContains;
  }
  return LineRule::kNone;
}

constexpr std::string_view kFilesPrefix = "[files.";

// The lowest list index of the names whose own files section the header
// opens: "[files." the name "]", ASCII case aside.
int32_t DriverFilesOf(std::string_view trimmed, const DriverNames& names) {
  if (trimmed.size() <= kFilesPrefix.size() || trimmed.back() != ']' ||
      !SameNoCase(trimmed.substr(0, kFilesPrefix.size()), kFilesPrefix))
    return DriverNames::kNone;
  return names.NameOf(trimmed.substr(kFilesPrefix.size(),
                                     trimmed.size() - kFilesPrefix.size() - 1));
}

// The section that a line holding "[" opens, judged on its trimmed form: a
// recognised header in any ASCII case sets the rule of its lines; a driver's
// own "[files.NAME]" section goes whole to that name; anything else is no
// recognised section.
struct Section {
  ScriptSection section = ScriptSection::kOther;
  int32_t driver_files = DriverNames::kNone;
};

Section SectionOpenedBy(std::string_view trimmed, const DriverNames& names) {
  if (trimmed.empty() || trimmed[0] != '[') return Section();
  for (const Header& header : kHeaders) {
    if (SameNoCase(trimmed, header.text)) return Section{header.section, DriverNames::kNone};
  }
  return Section{ScriptSection::kOther, DriverFilesOf(trimmed, names)};
}

int32_t RuleTaker(const Section& section, std::string_view trimmed,
                  const DriverNames& names) {
  if (section.driver_files != DriverNames::kNone) return section.driver_files;
  switch (RuleOf(section.section)) {
    case LineRule::kNone:
      return DriverNames::kNone;
    case LineRule::kBeginsWith:
      return names.BeginsText(trimmed);
    case LineRule::kQuoted:
      return names.QuotedIn(trimmed);
    case LineRule::kContains:
      return names.OccursIn(trimmed);
  }
  return DriverNames::kNone;
}

}  // namespace

std::vector<int32_t> TxtsetupTakers(const LineList& txtsetup_lines, const DriverNames& names) {
  std::vector<int32_t> takers(static_cast<size_t>(txtsetup_lines.LineCount()), DriverNames::kNone);
  if (names.IsEmpty()) return takers;
  Section section;
  for (int32_t i = 0; i < txtsetup_lines.LineCount(); ++i) {
    const std::string_view raw = txtsetup_lines.LineView(i);
    const std::string_view trimmed = TrimBlanks(raw);
    if (raw.find('[') != std::string_view::npos) {
      section = SectionOpenedBy(trimmed, names);
      // A recognised header is never blanked by the rules of the section it
      // opens: a name such as "bus" must not remove "[BusExtenders]" and
      // hand that section's lines to the section before it. A driver's own
      // files header goes with its section.
      if (section.driver_files == DriverNames::kNone) continue;
    }
    takers[static_cast<size_t>(i)] = RuleTaker(section, trimmed, names);
  }
  return takers;
}

void ClearTxtsetupEntries(LineList& txtsetup_lines, const DriverNames& names) {
  const std::vector<int32_t> takers = TxtsetupTakers(txtsetup_lines, names);
  for (size_t i = 0; i < takers.size(); ++i)
    if (takers[i] != DriverNames::kNone) txtsetup_lines.SetLine(static_cast<int32_t>(i), std::string_view());
}

std::vector<LineRule> RulesOfLines(const LineList& txtsetup_lines) {
  std::vector<LineRule> rules;
  for (const ScriptSection section : SectionsOfLines(txtsetup_lines)) rules.push_back(RuleOf(section));
  return rules;
}

std::vector<ScriptSection> SectionsOfLines(const LineList& txtsetup_lines) {
  const DriverNames no_names({});
  std::vector<ScriptSection> sections;
  ScriptSection section = ScriptSection::kOther;
  for (int32_t i = 0; i < txtsetup_lines.LineCount(); ++i) {
    const std::string_view raw = txtsetup_lines.LineView(i);
    const bool header = raw.find('[') != std::string_view::npos;
    if (header) section = SectionOpenedBy(TrimBlanks(raw), no_names).section;
    sections.push_back(header ? ScriptSection::kOther : section);
  }
  return sections;
}

}  // namespace vornix
