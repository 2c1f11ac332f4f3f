// The 8-bit encodings the program writes its Russian texts in. Windows hands
// texts out in the ANSI code page, as the system's string loader does, and
// writes the failure report in the console's OEM code page; Linux writes
// UTF-8 throughout. One implementation per platform.
#ifndef VORNIX_HOST_FAILURES_TEXT_ENCODING_H_
#define VORNIX_HOST_FAILURES_TEXT_ENCODING_H_

#include <cstddef>
#include <string_view>

namespace vornix {

/// Converts UTF-16 text to the platform's 8-bit encoding: at most `capacity`
/// bytes, cut at a whole character; returns the count written. "\r\n" is
/// the platform's line end (LF alone on Linux).
size_t EncodeText(std::u16string_view text, char* out, size_t capacity);

/// Converts a report in place from the 8-bit encoding to the console's
/// (Windows: ANSI to OEM code page); returns its new size. Allocates nothing.
size_t ToConsoleEncoding(char* text, size_t size, size_t capacity);

}  // namespace vornix

#endif  // VORNIX_HOST_FAILURES_TEXT_ENCODING_H_
