#include "edit/txtsetup_pass.h"

#include "edit/driver_names.h"
#include "edit/text_rules.h"
#include "host/line_list.h"

namespace vornix {

namespace {

// Where the walk is: the section a recognised header opened, or none.
enum class SectionKind {
  kNoSection,
  kInSourceDisksFiles,
  kInScsi,
  kInScsiLoad,
  kInHardwareIdsDatabase,
  kInBusExtendersLoad,
  kInBusExtenders,
  kInDriverFiles,
};

struct Header {
  std::string_view text;
  SectionKind kind;
};

constexpr Header kHeaders[] = {
    {"[SourceDisksFiles]", SectionKind::kInSourceDisksFiles},
    {"[SourceDisksFiles.amd64]", SectionKind::kInSourceDisksFiles},
    {"[SourceDisksFiles.ia64]", SectionKind::kInSourceDisksFiles},
    {"[SourceDisksFiles.x86]", SectionKind::kInSourceDisksFiles},
    {"[SCSI]", SectionKind::kInScsi},
    {"[SCSI.Load]", SectionKind::kInScsiLoad},
    {"[HardwareIdsDatabase]", SectionKind::kInHardwareIdsDatabase},
    {"[BusExtenders.Load]", SectionKind::kInBusExtendersLoad},
    {"[BusExtenders]", SectionKind::kInBusExtenders},
};

constexpr std::string_view kFilesPrefix = "[files.";

bool IsDriverFilesHeader(std::string_view trimmed, const DriverNames& names) {
  if (trimmed.size() <= kFilesPrefix.size() || trimmed.back() != ']' ||
      !SameNoCase(trimmed.substr(0, kFilesPrefix.size()), kFilesPrefix))
    return false;
  const std::string_view name = trimmed.substr(
      kFilesPrefix.size(), trimmed.size() - kFilesPrefix.size() - 1);
  return names.IsName(name);
}

bool RuleMatches(SectionKind kind, std::string_view trimmed,
                 const DriverNames& names) {
  switch (kind) {
    case SectionKind::kNoSection:
      return false;
    case SectionKind::kInSourceDisksFiles:
    case SectionKind::kInScsi:
    case SectionKind::kInScsiLoad:
      return names.BeginsText(trimmed);
    case SectionKind::kInHardwareIdsDatabase:
      return names.QuotedIn(trimmed);
    case SectionKind::kInBusExtendersLoad:
    case SectionKind::kInBusExtenders:
      return names.OccursIn(trimmed);
    case SectionKind::kInDriverFiles:
      return true;
  }
  return false;
}

// The section that a line holding "[" opens, judged on its trimmed form: a
// recognised header in any ASCII case, a driver's own "[files.NAME]", or no
// recognised section.
SectionKind HeaderKind(std::string_view trimmed, const DriverNames& names) {
  if (trimmed.empty() || trimmed[0] != '[') return SectionKind::kNoSection;
  for (const Header& header : kHeaders) {
    if (SameNoCase(trimmed, header.text)) return header.kind;
  }
  return IsDriverFilesHeader(trimmed, names) ? SectionKind::kInDriverFiles
                                             : SectionKind::kNoSection;
}

LineRule RuleOf(SectionKind kind) {
  switch (kind) {
    case SectionKind::kInSourceDisksFiles:
    case SectionKind::kInScsi:
    case SectionKind::kInScsiLoad:
      return LineRule::kBeginsWith;
    case SectionKind::kInHardwareIdsDatabase:
      return LineRule::kQuoted;
    case SectionKind::kInBusExtendersLoad:
    case SectionKind::kInBusExtenders:
      return LineRule::kContains;
    default:
      return LineRule::kNone;
  }
}

}  // namespace

void ClearTxtsetupEntries(LineList& txtsetup_lines, const DriverNames& names) {
  if (names.IsEmpty()) return;
  SectionKind kind = SectionKind::kNoSection;
  for (int32_t i = 0; i < txtsetup_lines.LineCount(); ++i) {
    const std::string_view raw = txtsetup_lines.LineView(i);
    const std::string_view trimmed = TrimBlanks(raw);
    if (raw.find('[') != std::string_view::npos) {
      kind = HeaderKind(trimmed, names);
      // A recognised header is never blanked by the rules of the section it
      // opens: a name such as "bus" must not remove "[BusExtenders]" and
      // hand that section's lines to the section before it. A driver's own
      // files header goes with its section.
      if (kind != SectionKind::kInDriverFiles) continue;
    }
    if (RuleMatches(kind, trimmed, names))
      txtsetup_lines.SetLine(i, std::string_view());
  }
}

std::vector<LineRule> RulesOfLines(const LineList& txtsetup_lines) {
  const DriverNames no_names({});
  std::vector<LineRule> rules;
  SectionKind kind = SectionKind::kNoSection;
  for (int32_t i = 0; i < txtsetup_lines.LineCount(); ++i) {
    const std::string_view raw = txtsetup_lines.LineView(i);
    const bool header = raw.find('[') != std::string_view::npos;
    if (header) kind = HeaderKind(TrimBlanks(raw), no_names);
    rules.push_back(header ? LineRule::kNone : RuleOf(kind));
  }
  return rules;
}

}  // namespace vornix
