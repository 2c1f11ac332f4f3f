#include "edit/txtsetup_pass.h"

#include <algorithm>

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

constexpr std::string_view kFilesPrefix = "[files.";

// The lowest list index of the names whose own files section the header
// opens: "[files." the name "]", ASCII case aside.
int32_t DriverFilesOf(std::string_view trimmed, const DriverNames& names) {
  if (trimmed.size() <= kFilesPrefix.size() || trimmed.back() != ']' || FoldAscii(trimmed[1]) != 'F' ||
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
  if (trimmed.size() < 2 || trimmed[0] != '[') return Section();
  const char second = FoldAscii(trimmed[1]);  // "S", "H" or "B" in a recognised header
  for (const Header& header : kHeaders) {
    if (second == header.text[1] && trimmed.size() == header.text.size() && SameNoCase(trimmed, header.text))
      return Section{header.section, DriverNames::kNone};
  }
  return Section{ScriptSection::kOther, DriverFilesOf(trimmed, names)};
}

// The taker of a line of a section whose lines are taken when they hold a
// name in quotes or anywhere, judged on the line's trimmed form.
int32_t HoldingTaker(LineRule rule, std::string_view line, const DriverNames& names) {
  return rule == LineRule::kQuoted ? names.QuotedIn(TrimBlanks(line)) : names.OccursIn(TrimBlanks(line));
}

// Calls on_taken(line, taker, rule, text) for every line a name takes, in
// file order, and gives the recognised sections to `sections` when there is one.
// Only the lines holding "[" open sections; the lines of a section with no
// rule are not read.
template <class OnTaken>
void WalkTakers(const LineList& txtsetup_lines, const DriverNames& names, std::vector<SectionLines>* sections,
                OnTaken on_taken) {
  const bool any = !names.IsEmpty();
  if (!any && sections == nullptr) return;
  const int32_t count = txtsetup_lines.LineCount();
  Section section;
  for (int32_t i = 0; i < count;) {
    const int32_t header = txtsetup_lines.NextLineWith('[', i);
    if (sections != nullptr && section.section != ScriptSection::kOther && header > i) sections->push_back(SectionLines{i, header, section.section});
    const LineRule rule = any ? RuleOf(section.section) : LineRule::kNone;
    if (section.driver_files != DriverNames::kNone) {
      txtsetup_lines.ForEachLine(i, header, [&](int32_t k, std::string_view line) {
        on_taken(k, section.driver_files, LineRule::kNone, line);
      });
    } else if (rule == LineRule::kBeginsWith) {  // most lines of a script: a loop of its own
      txtsetup_lines.ForEachLine(
          i, header,
          [&](int32_t k, std::string_view line) {
            const int32_t taker = names.BeginsTrimmed(line);  // trims only when a name is met
            if (taker != DriverNames::kNone) on_taken(k, taker, rule, line);
          },
          [&names](std::string_view line) { return names.MayBeginTrimmed(line); });
    } else if (rule != LineRule::kNone) {
      txtsetup_lines.ForEachLine(i, header, [&](int32_t k, std::string_view line) {
        const int32_t taker = HoldingTaker(rule, line, names);
        if (taker != DriverNames::kNone) on_taken(k, taker, rule, line);
      });
    }
    if (header == count) break;
    const std::string_view header_line = txtsetup_lines.LineView(header);
    section = SectionOpenedBy(TrimBlanks(header_line), names);
    // A recognised header is never blanked by the rules of the section it
    // opens: a name such as "bus" must not remove "[BusExtenders]" and hand
    // that section's lines to the section before it. A driver's own files
    // header goes with its section.
    if (section.driver_files != DriverNames::kNone) on_taken(header, section.driver_files, LineRule::kNone, header_line);
    i = header + 1;
  }
}

}  // namespace

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

std::vector<TakenLine> TxtsetupTakers(const LineList& txtsetup_lines, const DriverNames& names,
                                      std::vector<SectionLines>* sections) {
  std::vector<TakenLine> taken;
  WalkTakers(txtsetup_lines, names, sections, [&taken](int32_t line, int32_t taker, LineRule rule, std::string_view text) {
    taken.push_back(TakenLine{line, taker, rule, text});
  });
  return taken;
}

void ClearTxtsetupEntries(LineList& txtsetup_lines, const DriverNames& names) {
  // A line is read before it is blanked, and blanking it changes no other.
  WalkTakers(txtsetup_lines, names, nullptr, [&txtsetup_lines](int32_t line, int32_t, LineRule, std::string_view) {
    txtsetup_lines.BlankLine(line);
  });
}

}  // namespace vornix
