// The pause that ends every interactive run, so that a console window opened
// for the program stays until its text has been read.
#ifndef VORNIX_APP_EXIT_PAUSE_H_
#define VORNIX_APP_EXIT_PAUSE_H_

namespace vornix {

class Console;

/// Unless in batch mode: a blank line, the prompt, and one line read. At the
/// end of input the read returns at once.
void WaitForEnter(Console& console, bool batch_mode);

}  // namespace vornix

#endif  // VORNIX_APP_EXIT_PAUSE_H_
