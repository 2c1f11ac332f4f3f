// Linux: UTF-8 with LF line ends.
#include "host/failures/text_encoding.h"

namespace vornix {

// The catalogue's texts are Cyrillic and ASCII: each character is one or two
// bytes of UTF-8, or three for the rest of the Basic Multilingual Plane.
size_t EncodeText(std::u16string_view text, char* out, size_t capacity) {
  size_t size = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    const size_t length = c < 0x80 ? 1 : c < 0x800 ? 2
                                                   : 3;
    if (size + length > capacity) break;
    static const unsigned char kLead[] = {0, 0, 0xC0, 0xE0};
    for (size_t k = length - 1; k > 0; --k, c >>= 6) out[size + k] = static_cast<char>(0x80 | (c & 0x3F));
    out[size] = static_cast<char>(kLead[length] | c);
    size += length;
  }
  return size;
}

size_t ToConsoleEncoding(char*, size_t size, size_t) { return size; }

}  // namespace vornix
