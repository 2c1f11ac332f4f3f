#include "host/failures/message_template.h"

#include <algorithm>
#include <cstring>

namespace vornix {

namespace {

// Digits of `value` into the end of `buf`; returns where they begin.
char* FormatDecimal(int64_t value, char* buf_end) {
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value)
                                 : static_cast<uint64_t>(value);
  char* p = buf_end;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  return p;
}

char* FormatHex(uint64_t value, char* buf_end) {
  static const char kDigits[] = "0123456789ABCDEF";
  char* p = buf_end;
  int digits = 0;
  do {
    *--p = kDigits[value & 0xF];
    value >>= 4;
    ++digits;
  } while (value != 0 || digits < 8);
  return p;
}

class BoundedWriter {
 public:
  BoundedWriter(char* out, size_t capacity) : out_(out), capacity_(capacity) {}
  void Put(std::string_view bytes) {
    const size_t room = capacity_ - size_;
    const size_t n = std::min(room, bytes.size());
    if (n != 0) std::memcpy(out_ + size_, bytes.data(), n);
    size_ += n;
  }
  size_t size() const { return size_; }

 private:
  char* out_;
  size_t capacity_;
  size_t size_ = 0;
};

}  // namespace

size_t FillTemplate(std::string_view pattern,
                    std::initializer_list<TemplateValue> values, char* out,
                    size_t capacity) {
  BoundedWriter writer(out, capacity);
  const TemplateValue* next = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      writer.Put(std::string_view(&c, 1));
      continue;
    }
    const char directive = pattern[++i];
    if (next == values.end()) continue;  // more placeholders than values
    const TemplateValue& value = *next++;
    char digits[32];
    char* const digits_end = digits + sizeof digits;
    switch (directive) {
      case 's':
        writer.Put(value.text);
        break;
      case 'd': {
        const char* begin = FormatDecimal(value.number, digits_end);
        writer.Put(std::string_view(begin, digits_end - begin));
        break;
      }
      case 'p': {
        const char* begin = FormatHex(value.hex, digits_end);
        writer.Put(std::string_view(begin, digits_end - begin));
        break;
      }
      default:
        break;
    }
  }
  return writer.size();
}

std::string FillTemplate(std::string_view pattern,
                         std::initializer_list<TemplateValue> values) {
  size_t capacity = pattern.size() + 64;
  for (const TemplateValue& value : values) capacity += value.text.size();
  std::string text(capacity, '\0');
  text.resize(FillTemplate(pattern, values, text.data(), text.size()));
  return text;
}

}  // namespace vornix
