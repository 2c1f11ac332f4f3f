// Process start-up, one implementation per platform.
#ifndef VORNIX_HOST_PROCESS_H_
#define VORNIX_HOST_PROCESS_H_

namespace vornix {

/// Sets the process up before anything is printed: the lead-byte set of the
/// code page (Windows), no error dialogs (Windows), and a closed pipe made an
/// output error rather than a silent death (Linux).
void StartProcess();

}  // namespace vornix

#endif  // VORNIX_HOST_PROCESS_H_
