// The banner that opens every run, and the usage screen.
#ifndef VORNIX_APP_SCREENS_H_
#define VORNIX_APP_SCREENS_H_

namespace vornix {

class Console;

/// The three banner lines and a blank line.
void ShowBanner(Console& console);
/// The usage screen, ended by the exit pause.
void ShowUsage(Console& console, bool batch_mode);

}  // namespace vornix

#endif  // VORNIX_APP_SCREENS_H_
