// The temporary file of a save in progress. Whatever ends the run before the
// save puts it in place (a failure, a fault, an interrupt) removes it, so
// that no half-made file stays in a setup directory, to be burned onto an
// installation medium. One implementation per platform.
#ifndef VORNIX_HOST_FILES_TEMPORARY_FILES_H_
#define VORNIX_HOST_FILES_TEMPORARY_FILES_H_

#include <string>

namespace vornix {

/// The save has made the file at `path`.
void NoteTemporaryFile(const std::string& path);
/// The save has put it in place, or removed it itself.
void ForgetTemporaryFile();
/// Removes the file noted, if any; safe in a signal handler.
void RemoveTemporaryFile();

/// Interrupts (Ctrl+C, Ctrl+Break, closing the console; every signal whose
/// default ends the process, unless ignored, but the faults, SIGKILL, SIGSTOP,
/// SIGPIPE and SIGXFSZ) remove the file first, then end the process as they
/// would have. Called once at start-up.
void RemoveTemporaryFileOnInterrupt();

/// While one lives, an interrupt waits, so that none comes between making a
/// temporary file and noting it. Not nested.
class InterruptsDeferred {
 public:
  InterruptsDeferred();
  ~InterruptsDeferred();
  InterruptsDeferred(const InterruptsDeferred&) = delete;
  InterruptsDeferred& operator=(const InterruptsDeferred&) = delete;
};

}  // namespace vornix

#endif  // VORNIX_HOST_FILES_TEMPORARY_FILES_H_
