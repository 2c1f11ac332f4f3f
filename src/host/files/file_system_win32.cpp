// Windows: the file system, through the wide file functions. A save writes
// a temporary file beside the script, forces it to disk and moves it over
// the script in one step.
#include <windows.h>

#include <memory>
#include <new>
#include <string>

#include "host/files/file_system.h"

#include "host/failures/message_template.h"
#include "host/files/temporary_files.h"
#include "host/process/paths.h"
#include "host/process/process.h"
#include "host/process/wide_paths.h"

namespace vornix {

namespace {

using Step = FileResult::Step;

FileResult Failed(Step step, DWORD error) {
  return FileResult::Failed(step, static_cast<int32_t>(error));
}

bool FindEntry(const std::string& path, WIN32_FIND_DATAW* entry) {
  const HANDLE search = FindFirstFileW(WidePath(path).c_str(), entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// A new file beside the target. Unless the move went through, it is closed
// and removed again: Windows cannot remove a file that is still open.
class TemporaryFile {
 public:
  TemporaryFile(HANDLE handle, std::string path)
      : handle_(handle), path_(std::move(path)) {
    NoteTemporaryFile(path_);
  }
  ~TemporaryFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!path_.empty()) DeleteFileW(WidePath(path_).c_str());
    ForgetTemporaryFile();
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  HANDLE handle() const { return handle_; }
  const std::string& path() const { return path_; }
  /// Closes now, so that the caller can see the result.
  bool Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }
  void Keep() { path_.clear(); }

 private:
  HANDLE handle_;
  std::string path_;
};

// The directory part of `path` with its final separator.
std::string_view DirectoryPrefix(std::string_view path) {
  return path.substr(0, path.size() - FileNameOf(path, HostPathRules()).size());
}

// The path of the existing entry as the directory spells it, so that
// replacing "txtsetup.sif" by way of "TXTSETUP.SIF" keeps the name's case.
std::string ExistingSpelling(const std::string& path) {
  WIN32_FIND_DATAW entry;
  if (!FindEntry(path, &entry)) return path;
  return std::string(DirectoryPrefix(path)) + AnsiText(entry.cFileName);
}

class RealWin32FileSystem : public FileSystem {
 public:
  bool FileIsPresent(const std::string& path) override {
    WIN32_FIND_DATAW entry;
    return FindEntry(path, &entry) &&
           (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  FileResult ReadWholeFile(const std::string& path, FileBytes* bytes) override;
  FileResult ReplaceFile(const std::string& path,
                         const std::vector<std::string_view>& pieces) override;

  FileResult CheckReplaceable(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
      return Failed(Step::kCreate, ERROR_CANT_ACCESS_FILE);
    return FileResult::Done();
  }

  // A lock file in the directory, opened without sharing and deleted when
  // its last handle closes, so also when the process dies: another run's
  // open fails with a sharing violation. Only that stops the run: where no
  // file can be made (read-only media, no rights) no save can be made
  // either, and the saves report it.
  FileResult HoldDirectory(const std::string& directory, std::string* held) override {
    *held = JoinPath(directory, "vornix.lock", HostPathRules());
    const HANDLE handle = CreateFileW(WidePath(*held).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      held_ = handle;
      return FileResult::Done();
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION ? Failed(Step::kOpen, error) : FileResult::Done();
  }

  void ReleaseDirectory() override {
    if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
    held_ = INVALID_HANDLE_VALUE;
  }

  std::optional<std::string> FullPathOf(const std::string& text) override {
    // The wide function, because the ANSI one refuses results of MAX_PATH
    // characters or more.
    const std::wstring wide = WideSpelling(text);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length = GetFullPathNameW(
          wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
      if (length == 0) return std::nullopt;
      if (length < full.size()) {
        full.resize(length);
        return AnsiPath(full);
      }
      full.resize(length);  // the size asked for, terminator included
    }
  }

 private:
  HANDLE held_ = INVALID_HANDLE_VALUE;
};

FileResult RealWin32FileSystem::ReadWholeFile(const std::string& path,
                                              FileBytes* bytes) {
  Handle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Failed(Step::kOpen, GetLastError());
  DWORD high = 0;
  const DWORD size = GetFileSize(file.get(), &high);
  if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
    return Failed(Step::kRead, GetLastError());
  if (high != 0 || size > 0x7FFFFFFF) throw std::bad_alloc();

  bytes->data.reset(new char[size]);
  bytes->size = size;
  DWORD read = 0;
  if (size != 0 &&
      (!ReadFile(file.get(), bytes->data.get(), size, &read, nullptr) || read != size))
    return Failed(Step::kRead, GetLastError());
  return FileResult::Done();
}

// A new file of a name of its own beside the target; nothing and the
// system's error code when none can be made.
std::unique_ptr<TemporaryFile> CreateTemporaryBeside(const std::string& target,
                                                     DWORD* error) {
  const std::string directory(DirectoryPrefix(target));
  for (unsigned attempt = 0;; ++attempt) {
    std::string name = directory + FillTemplate("vornix-%p-%p.tmp", {TemplateValue::Hex(GetCurrentProcessId()),
                                                                     TemplateValue::Hex(attempt)});
    HANDLE handle = CreateFileW(WidePath(name).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
      return std::make_unique<TemporaryFile>(handle, std::move(name));
    *error = GetLastError();
    if ((*error != ERROR_FILE_EXISTS && *error != ERROR_ALREADY_EXISTS) ||
        attempt == 0xFFFF)
      return nullptr;
  }
}

FileResult RealWin32FileSystem::ReplaceFile(
    const std::string& path, const std::vector<std::string_view>& pieces) {
  const FileResult replaceable = CheckReplaceable(path);
  if (replaceable.failed != Step::kDone) return replaceable;
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY |
                               FILE_ATTRIBUTE_READONLY)) != 0)
    return Failed(Step::kCreate, ERROR_ACCESS_DENIED);
  const std::string target = exists ? ExistingSpelling(path) : path;

  DWORD error = 0;
  std::unique_ptr<TemporaryFile> temporary;
  {
    const InterruptsDeferred deferred;
    temporary = CreateTemporaryBeside(target, &error);
  }
  if (!temporary) return Failed(Step::kCreate, error);
  // One write request for the whole text.
  std::string text;
  size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  text.reserve(size);
  for (const std::string_view piece : pieces) text.append(piece);
  DWORD written = 0;
  if (!text.empty() && !WriteFile(temporary->handle(), text.data(),
                                  static_cast<DWORD>(text.size()), &written, nullptr))
    return Failed(Step::kWrite, GetLastError());
  if (written != text.size())  // fewer bytes taken and no error named: no room
    return Failed(Step::kWrite, ERROR_DISK_FULL);
  if (!FlushFileBuffers(temporary->handle()) || !temporary->Close())
    return Failed(Step::kWrite, GetLastError());

  if (exists)
    SetFileAttributesW(WidePath(temporary->path()).c_str(),
                       attributes & (FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE));
  if (!MoveFileExW(WidePath(temporary->path()).c_str(), WidePath(target).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Failed(Step::kCreate, GetLastError());
  temporary->Keep();
  return FileResult::Done();
}

}  // namespace

FileSystem& RealFileSystem() {
  static RealWin32FileSystem fs;
  return fs;
}

}  // namespace vornix
