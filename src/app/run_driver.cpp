#include "app/run_driver.h"

#include <optional>
#include <vector>

#include "app/exit_pause.h"
#include "app/preview_screen.h"
#include "app/screens.h"
#include "app/texts.h"
#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/text_rules.h"
#include "edit/txtsetup_pass.h"
#include "host/command_line.h"
#include "host/console.h"
#include "host/file_system.h"
#include "host/line_list.h"
#include "host/paths.h"

namespace vornix {

namespace {

void StopRun(const RunHost& host, const char* message, bool batch_mode) {
  host.console.Print(message);
  host.console.Print("");
  host.console.Print(texts::kStopped);
  WaitForEnter(host.console, batch_mode);
}

void LoadIfPresent(const RunHost& host, const std::string& directory,
                   const char* name, LineList& list) {
  const std::string path = JoinPath(directory, name, host.paths);
  if (host.fs.FileIsPresent(path)) list.LoadLines(path, host.fs);
}

// An empty or blank-only line of the deletion list names no driver: as a
// name it would blank every ".sys" line of dosnet.inf. Every other line is
// used exactly as read, blanks included.
std::vector<std::string> DriverNamesOf(const LineList& delete_list) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < delete_list.LineCount(); ++i) {
    const std::string_view name = delete_list.LineView(i);
    if (!TrimBlanks(name).empty()) names.emplace_back(name);
  }
  return names;
}

}  // namespace

bool DropEndOfFileMarker(LineList& lines) {
  const int32_t last = lines.LineCount() - 1;
  const std::string line = lines.GetLine(last);
  const size_t marker = PosExact("\x1A", line);
  if (marker == 0) return false;
  if (marker == 1)
    lines.DeleteLine(last);
  else
    lines.SetLine(last, std::string_view(line).substr(0, marker - 1));
  return true;
}

void RunDriver(const RunHost& host) {
  LineList delete_list, txtsetup_lines, dosnet_lines, txtsetup_add_lines,
      dosnet_add_lines;
  // The last argument is the switch, in any letter case: "-Q" the batch
  // mode, "-N" the preview, which never pauses either.
  const std::string last = UpperAscii(host.arguments.ArgumentAt(host.arguments.ArgumentCount()));
  const bool preview = last == "-N";
  const bool batch_mode = last == "-Q" || preview;
  ShowBanner(host.console);
  if (host.arguments.ArgumentCount() == 0) {
    ShowUsage(host.console, batch_mode);
    return;
  }

  // A directory the platform cannot resolve is treated as one without
  // scripts; it must never fall back to the root of the current drive.
  const std::optional<std::string> full_path =
      host.fs.FullPathOf(host.arguments.ArgumentAt(1));
  const std::string setup_dir =
      full_path ? DropTrailingBackslash(*full_path, host.paths) : std::string();
  const std::string txtsetup_path =
      JoinPath(setup_dir, "txtsetup.sif", host.paths);
  const std::string dosnet_path = JoinPath(setup_dir, "dosnet.inf", host.paths);
  if (!full_path || !host.fs.FileIsPresent(txtsetup_path))
    return StopRun(host, texts::kNoTxtsetup, batch_mode);
  if (!host.fs.FileIsPresent(dosnet_path))
    return StopRun(host, texts::kNoDosnet, batch_mode);

  dosnet_lines.LoadLines(dosnet_path, host.fs);
  txtsetup_lines.LoadLines(txtsetup_path, host.fs);
  const bool cuts_marker = DropEndOfFileMarker(txtsetup_lines);

  const std::string tool_dir =
      DirectoryOf(host.arguments.ArgumentAt(0), host.paths);
  LoadIfPresent(host, tool_dir, "txtfiles.del", delete_list);
  LoadIfPresent(host, tool_dir, "dosnet.add", dosnet_add_lines);
  LoadIfPresent(host, tool_dir, "txtsetup.add", txtsetup_add_lines);

  const std::vector<std::string> names = DriverNamesOf(delete_list);
  if (preview) {
    return ShowPreview(host.console, PreviewOf{txtsetup_lines, dosnet_lines, names, txtsetup_add_lines.LineCount(),
                                               dosnet_add_lines.LineCount(), cuts_marker});
  }
  host.console.Print(texts::kDeleting);
  const DriverNames driver_names(names);
  ClearDosnetEntries(dosnet_lines, driver_names);
  ClearTxtsetupEntries(txtsetup_lines, driver_names);
  host.console.Print(texts::kDone);

  host.console.Print(texts::kRestoring);
  dosnet_lines.AppendLines(dosnet_add_lines);
  txtsetup_lines.AppendLines(txtsetup_add_lines);
  host.console.Print(texts::kDone);

  txtsetup_lines.SaveLines(JoinPath(setup_dir, "TXTSETUP.SIF", host.paths),
                           host.fs);
  dosnet_lines.SaveLines(JoinPath(setup_dir, "DOSNET.INF", host.paths), host.fs);
  WaitForEnter(host.console, batch_mode);
}

}  // namespace vornix
