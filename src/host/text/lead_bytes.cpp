#include "host/text/lead_bytes.h"

namespace vornix {

LeadByteSet LeadBytesFromRanges(const unsigned char* ranges, size_t size) {
  LeadByteSet set;
  for (size_t i = 0; i + 1 < size; i += 2) {
    if (ranges[i] == 0 && ranges[i + 1] == 0) break;
    if (ranges[i + 1] >= ranges[i]) set.AddRange(ranges[i], ranges[i + 1]);
  }
  return set;
}

bool HasSingleByteCodePage(unsigned primary_language) {
  // Neutral, Danish, German, English, Spanish, Finnish, French, Italian,
  // Dutch, Norwegian, Portuguese, Swedish.
  static const unsigned kLanguages[] = {0x00, 0x06, 0x07, 0x09, 0x0A, 0x0B,
                                        0x0C, 0x10, 0x13, 0x14, 0x16, 0x1D};
  for (unsigned language : kLanguages)
    if (language == primary_language) return true;
  return false;
}

}  // namespace vornix
