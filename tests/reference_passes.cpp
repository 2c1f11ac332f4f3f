#include "reference_passes.h"

#include "edit/text_rules.h"
#include "host/line_list.h"

namespace vornix {

namespace {

size_t PosNoCase(const std::string& needle, std::string_view haystack) {
  return PosExact(UpperAscii(needle), UpperAscii(haystack));
}

}  // namespace

void ReferenceClearDosnetEntries(LineList& lines, const std::string& name) {
  const std::string needle = name + ".sys";
  for (int32_t i = 0; i < lines.LineCount(); ++i) {
    if (PosNoCase(needle, TrimBlanks(lines.GetLine(i))) > 0) lines.SetLine(i, "");
  }
}

namespace {

enum Kind { kNone, kBeginsWith, kQuoted, kContains, kOwnFiles };

}  // namespace

void ReferenceClearTxtsetupEntries(LineList& lines, const std::string& name) {
  const std::string quoted = "\"" + name + "\"";
  const struct {
    std::string text;
    Kind kind;
  } headers[] = {
      {"[SourceDisksFiles]", kBeginsWith},
      {"[SourceDisksFiles.amd64]", kBeginsWith},
      {"[SourceDisksFiles.ia64]", kBeginsWith},
      {"[SourceDisksFiles.x86]", kBeginsWith},
      {"[SCSI]", kBeginsWith},
      {"[SCSI.Load]", kBeginsWith},
      {"[HardwareIdsDatabase]", kQuoted},
      {"[BusExtenders.Load]", kContains},
      {"[BusExtenders]", kContains},
      {"[files." + name + "]", kOwnFiles},
  };
  Kind kind = kNone;
  for (int32_t i = 0; i < lines.LineCount(); ++i) {
    const std::string raw = lines.GetLine(i);
    const std::string trimmed(TrimBlanks(raw));
    if (PosExact("[", raw) > 0) {
      kind = kNone;
      bool recognised = false;
      for (const auto& header : headers) {
        if (SameNoCase(trimmed, header.text)) {
          kind = header.kind;
          recognised = true;
          break;
        }
      }
      if (recognised && kind != kOwnFiles) continue;
    }
    bool blank = false;
    switch (kind) {
      case kNone: blank = false; break;
      case kBeginsWith: blank = PosNoCase(name, trimmed) == 1; break;
      case kQuoted: blank = PosNoCase(quoted, trimmed) > 0; break;
      case kContains: blank = PosNoCase(name, trimmed) > 0; break;
      case kOwnFiles: blank = true; break;
    }
    if (blank) lines.SetLine(i, "");
  }
}

void ReferenceRemoveDrivers(LineList& txtsetup, LineList& dosnet,
                            const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (name.empty()) continue;
    ReferenceClearDosnetEntries(dosnet, name);
    ReferenceClearTxtsetupEntries(txtsetup, name);
  }
}

}  // namespace vornix
