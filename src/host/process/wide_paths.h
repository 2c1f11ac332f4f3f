// Paths for the wide file functions of Windows. The program's paths are
// 8-bit texts in the ANSI code page; the wide functions take them after the
// same conversion that the ANSI functions make, and a path of MAX_PATH
// characters or more with the "\\?\" prefix, which the ANSI functions do not
// accept. A path the code page cannot spell (a Cyrillic directory under code
// page 1252) has an 8-bit text with "?" in it; its wide spelling is noted, so
// that every path that begins with that text names what the user typed.
// Windows only.
#ifndef VORNIX_HOST_PROCESS_WIDE_PATHS_H_
#define VORNIX_HOST_PROCESS_WIDE_PATHS_H_

#include <string>

namespace vornix {

std::wstring WideText(const std::string& text);
/// The wide spelling of `path`: the noted one for a noted 8-bit text, or
/// one that begins with it and a backslash; else WideText.
std::wstring WideSpelling(const std::string& path);
/// An absolute path for the wide file functions.
std::wstring WidePath(const std::string& path);
std::string AnsiText(const wchar_t* wide);
/// The 8-bit text of a path, its wide spelling noted where the code page
/// cannot spell it.
std::string AnsiPath(const std::wstring& wide);

}  // namespace vornix

#endif  // VORNIX_HOST_PROCESS_WIDE_PATHS_H_
