// The lead bytes of the ANSI code page: in a double-byte code page such as
// Shift-JIS, a lead byte and the byte after it form one character, and that
// second byte may have the value of a backslash or a quote.
#ifndef VORNIX_HOST_TEXT_LEAD_BYTES_H_
#define VORNIX_HOST_TEXT_LEAD_BYTES_H_

#include <array>
#include <cstddef>

namespace vornix {

class LeadByteSet {
 public:
  LeadByteSet() { bytes_.fill(false); }
  void AddRange(unsigned char low, unsigned char high) {
    for (unsigned value = low; value <= high; ++value) bytes_[value] = true;
  }
  bool Contains(char c) const { return bytes_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> bytes_;
};

/// The lead-byte ranges as the system reports them for a code page: up to
/// six pairs of low and high byte, ended by a pair of zeros.
LeadByteSet LeadBytesFromRanges(const unsigned char* ranges, size_t size);

/// Languages whose code pages are all single-byte, so that a locale of one of
/// them needs no lead-byte set; `primary_language` is the low 10 bits of a
/// language identifier.
bool HasSingleByteCodePage(unsigned primary_language);

}  // namespace vornix

#endif  // VORNIX_HOST_TEXT_LEAD_BYTES_H_
