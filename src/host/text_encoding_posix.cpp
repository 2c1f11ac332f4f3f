// Linux: UTF-8 with LF line ends.
#include "host/text_encoding.h"

namespace vornix {

namespace {

size_t Utf8Length(char32_t c) {
  return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

}  // namespace

size_t EncodeText(std::u16string_view text, char* out, size_t capacity) {
  size_t size = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() &&
        text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    const size_t length = Utf8Length(c);
    if (size + length > capacity) break;
    if (length == 1) {
      out[size] = static_cast<char>(c);
    } else {
      for (size_t k = length - 1; k > 0; --k) {
        out[size + k] = static_cast<char>(0x80 | (c & 0x3F));
        c >>= 6;
      }
      static const unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
      out[size] = static_cast<char>(kLead[length] | c);
    }
    size += length;
  }
  return size;
}

size_t ToConsoleEncoding(char*, size_t size, size_t) { return size; }

}  // namespace vornix
