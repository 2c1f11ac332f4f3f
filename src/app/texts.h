// Everything the program itself prints, word for word. "Unnable" and "stok"
// are the program's own spelling, which batch files may look for.
#ifndef VORNIX_APP_TEXTS_H_
#define VORNIX_APP_TEXTS_H_

namespace vornix {
namespace texts {
inline constexpr char kBanner[] = "MassStorage driver deleter v1.0.0.2";
inline constexpr char kCreditAuthors[] = "Written by the Vornix developers";
inline constexpr char kCreditPlace[] = "Made on the Internet, 2026";
inline constexpr char kUsage[] = "Usage: Vornix <I386_DIR>  [-Q]";
inline constexpr char kUsageDir[] =
    "I386_DIR dir - I386 source dir to MassStorage driver integration";
inline constexpr char kUsageBatch[] =
    "-Q (optional) - batch mode - no wait user input";
inline constexpr char kUsageReadme[] =
    "For more info see readme.txt (to future...)";
inline constexpr char kNoTxtsetup[] = "Unnable to open txtsetup.sif!";
inline constexpr char kNoDosnet[] = "Unnable to open dosnet.inf!";
inline constexpr char kStopped[] = "Process stopped.";
inline constexpr char kDeleting[] = "Delete 3rd party MSST drivers...";
inline constexpr char kDone[] = "Done...";
inline constexpr char kRestoring[] =
    "Restore stok replaced/deleted MSST drivers...";
inline constexpr char kPrompt[] = "Hit <Enter> to exit";
// The preview ("-N").
inline constexpr char kPreviewing[] = "Preview: nothing is written.";
inline constexpr char kNoLine[] = "  no line";
inline constexpr char kLongerName[] = " <- longer name";
inline constexpr char kKept[] = " <- kept";
inline constexpr char kTxtsetupLine[] = "  TXTSETUP.SIF ";  // then number, ": ", text
inline constexpr char kDosnetLine[] = "  DOSNET.INF ";
inline constexpr char kWouldAppend[] = "Would append %s to DOSNET.INF and %s to TXTSETUP.SIF.";
inline constexpr char kLine[] = " line";
inline constexpr char kLines[] = " lines";
inline constexpr char kCutsMarker[] = "Would cut the end-of-file marker from TXTSETUP.SIF.";
// The list ("-L").
inline constexpr char kDriverCount[] = "Text-mode mass-storage drivers in TXTSETUP.SIF: %d";
inline constexpr char kIds[] = " IDs";
inline constexpr char kId[] = " ID ";  // as wide as " IDs"
inline constexpr char kNoDescription[] = "(no description)";
inline constexpr char kTakenBy[] = " <- ";  // then the name
inline constexpr char kIdleNames[] = "Names in txtfiles.del that take no driver line: ";
inline constexpr char kNameSeparator[] = ", ";
}  // namespace texts
}  // namespace vornix

#endif  // VORNIX_APP_TEXTS_H_
