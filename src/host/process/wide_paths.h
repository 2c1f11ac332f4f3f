// Paths for the wide file functions of Windows. The program's paths are
// 8-bit texts in the ANSI code page; the wide functions take them after the
// same conversion that the ANSI functions make, and a path of MAX_PATH
// characters or more with the "\\?\" prefix, which the ANSI functions do not
// accept. Windows only.
#ifndef VORNIX_HOST_PROCESS_WIDE_PATHS_H_
#define VORNIX_HOST_PROCESS_WIDE_PATHS_H_

#include <string>

namespace vornix {

std::wstring WideText(const std::string& text);
/// An absolute path for the wide file functions.
std::wstring WidePath(const std::string& path);
std::string AnsiText(const wchar_t* wide);

}  // namespace vornix

#endif  // VORNIX_HOST_PROCESS_WIDE_PATHS_H_
