#include "app/run_driver.h"

#include <optional>
#include <vector>

#include "app/exit_pause.h"
#include "app/list_screen.h"
#include "app/preview_screen.h"
#include "app/screens.h"
#include "app/texts.h"
#include "edit/dosnet_pass.h"
#include "edit/driver_names.h"
#include "edit/script_rules.h"
#include "edit/txtsetup_pass.h"
#include "host/console/console.h"
#include "host/files/file_system.h"
#include "host/files/script_files.h"
#include "host/process/command_line.h"
#include "host/process/paths.h"
#include "host/text/line_list.h"

namespace vornix {

namespace {

int StopRun(const RunHost& host, const char* message, bool batch_mode) {
  host.console.Print(message);
  host.console.Print("");
  host.console.Print(texts::kStopped);
  WaitForEnter(host.console, batch_mode);
  return kStoppedStatus;
}

// A side file, when it is there, without a byte-order mark.
void LoadSideFile(const RunHost& host, const std::string& directory,
                  const char* name, LineList& list) {
  const std::string path = JoinPath(directory, name, host.paths);
  if (!host.fs.FileIsPresent(path)) return;
  LoadLines(list, path, host.fs);
  DropByteOrderMark(list);
}

}  // namespace

int RunDriver(const RunHost& host) {
  LineList delete_list, txtsetup_lines, dosnet_lines, txtsetup_add_lines,
      dosnet_add_lines;
  // The last argument is the switch: the batch mode, or the preview or the
  // list, which never pause either, or the usage screen. A lone switch is
  // also the directory.
  const Switch last = SwitchOf(host.arguments.ArgumentAt(host.arguments.ArgumentCount()));
  const bool preview = last == Switch::kPreview;
  const bool list = last == Switch::kList;
  const bool batch_mode = last == Switch::kBatch || preview || list;
  ShowBanner(host.console);
  if (host.arguments.ArgumentCount() == 0 || last == Switch::kHelp) {
    ShowUsage(host.console, batch_mode);
    return 0;
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

  // A run holds the source for itself from before it reads the scripts
  // until both are saved, and refuses a linked script before it writes
  // anything; a preview and a list only read.
  const std::string txtsetup_save = JoinPath(setup_dir, "TXTSETUP.SIF", host.paths);
  const std::string dosnet_save = JoinPath(setup_dir, "DOSNET.INF", host.paths);
  std::optional<SourceHold> hold;
  if (!preview && !list) {
    hold.emplace(setup_dir, host.fs);
    CheckSaveTarget(txtsetup_save, host.fs);
    CheckSaveTarget(dosnet_save, host.fs);
  }

  if (list)  // the list shows only TXTSETUP.SIF, but stops where a run would
    CheckLines(dosnet_path, host.fs);
  else
    LoadLines(dosnet_lines, dosnet_path, host.fs);
  LoadLines(txtsetup_lines, txtsetup_path, host.fs);
  const bool cuts_marker = DropEndOfFileMarker(txtsetup_lines);

  const std::string tool_dir =
      DirectoryOf(host.arguments.ArgumentAt(0), host.paths);
  LoadSideFile(host, tool_dir, "txtfiles.del", delete_list);
  LoadSideFile(host, tool_dir, "dosnet.add", dosnet_add_lines);
  LoadSideFile(host, tool_dir, "txtsetup.add", txtsetup_add_lines);

  const std::vector<std::string_view> names = DriverNamesOf(delete_list);
  if (list) {
    ShowDriverList(host.console, txtsetup_lines, names);
    return 0;
  }
  if (preview) {
    ShowPreview(host.console, LoadedRun{txtsetup_lines, dosnet_lines, names, txtsetup_add_lines.LineCount(),
                                        dosnet_add_lines.LineCount(), cuts_marker});
    return 0;
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

  SaveLines(txtsetup_lines, txtsetup_save, host.fs);
  SaveLines(dosnet_lines, dosnet_save, host.fs);
  hold.reset();  // not through the pause: another run may go on
  WaitForEnter(host.console, batch_mode);
  return 0;
}

}  // namespace vornix
