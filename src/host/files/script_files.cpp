#include "host/files/script_files.h"

#include <algorithm>
#include <string_view>

#include "host/failures/failures.h"
#include "host/files/file_system.h"
#include "host/text/line_list.h"

namespace vornix {

namespace {

// The full path a file message names: as FullPathOf forms it, or as given
// when the platform cannot resolve it.
std::string FullPathForMessage(const std::string& path, FileSystem& fs) {
  return fs.FullPathOf(path).value_or(path);
}

// The one place where what the file system met becomes a failure.
void RaiseIfFailed(const FileResult& result, const std::string& path,
                   FileSystem& fs) {
  using Step = FileResult::Step;
  switch (result.failed) {
    case Step::kDone:
      return;
    case Step::kOpen:
      Raise<EFOpenError>(FullPathForMessage(path, fs),
                         SystemErrorText(result.error));
    case Step::kCreate:
      Raise<EFCreateError>(FullPathForMessage(path, fs),
                           SystemErrorText(result.error));
    case Step::kRead:
      Raise<EReadError>();
    case Step::kWrite:
      Raise<EWriteError>(FullPathForMessage(path, fs),
                         SystemErrorText(result.error));
  }
}

// The text ends at its first NUL, at `nul`. A byte other than NUL after it
// makes the file no text, which read as text would lose all after the NUL;
// NUL padding at the very end is fine.
void CheckNulPadding(std::string_view all, size_t nul, const std::string& path, FileSystem& fs) {
  if (all.find_first_not_of('\0', nul) != std::string_view::npos)
    Raise<EFileFormatError>(FullPathForMessage(path, fs), static_cast<int64_t>(nul));
}

}  // namespace

void LoadLines(LineList& lines, const std::string& path, FileSystem& fs) {
  FileBytes bytes{};
  RaiseIfFailed(fs.ReadWholeFile(path, &bytes), path, fs);
  const std::string_view all(bytes.data.get(), bytes.size);
  CheckNulPadding(all, lines.SetText(std::move(bytes.data), bytes.size), path, fs);
}

void CheckLines(const std::string& path, FileSystem& fs) {
  FileBytes bytes{};
  RaiseIfFailed(fs.ReadWholeFile(path, &bytes), path, fs);
  const std::string_view all(bytes.data.get(), bytes.size);
  CheckNulPadding(all, std::min(all.find('\0'), all.size()), path, fs);
}

void SaveLines(const LineList& lines, const std::string& path, FileSystem& fs) {
  RaiseIfFailed(fs.ReplaceFile(path, lines.TextPieces()), path, fs);
}

void CheckSaveTarget(const std::string& path, FileSystem& fs) {
  RaiseIfFailed(fs.CheckReplaceable(path), path, fs);
}

SourceHold::SourceHold(const std::string& directory, FileSystem& fs) : fs_(fs) {
  std::string held;
  const FileResult result = fs.HoldDirectory(directory, &held);
  RaiseIfFailed(result, held, fs);
}

SourceHold::~SourceHold() { fs_.ReleaseDirectory(); }

}  // namespace vornix
