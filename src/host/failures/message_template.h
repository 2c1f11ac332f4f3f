// Filling the placeholders of a message template: %s takes a text, %d a
// signed number in decimal, %p an address in upper-case hexadecimal.
#ifndef VORNIX_HOST_FAILURES_MESSAGE_TEMPLATE_H_
#define VORNIX_HOST_FAILURES_MESSAGE_TEMPLATE_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vornix {

/// One value for a placeholder: %s takes text, %d a signed number, %p an
/// address written as eight or more upper-case hexadecimal digits.
struct TemplateValue {
  TemplateValue(std::string_view value) : text(value) {}
  TemplateValue(const char* value) : text(value) {}
  TemplateValue(const std::string& value) : text(value) {}
  TemplateValue(int64_t value) : number(value) {}
  TemplateValue(int value) : number(value) {}
  static TemplateValue Hex(uint64_t value) {
    TemplateValue v(static_cast<int64_t>(0));
    v.hex = value;
    return v;
  }
  std::string_view text;
  int64_t number = 0;
  uint64_t hex = 0;
};

/// Fills %s, %d and %p in order from `values`. Writes at
/// most `capacity` bytes, cutting what does not fit; returns the count.
size_t FillTemplate(std::string_view pattern,
                    std::initializer_list<TemplateValue> values, char* out,
                    size_t capacity);
std::string FillTemplate(std::string_view pattern,
                         std::initializer_list<TemplateValue> values);

}  // namespace vornix

#endif  // VORNIX_HOST_FAILURES_MESSAGE_TEMPLATE_H_
