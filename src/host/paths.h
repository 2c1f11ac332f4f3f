// Path rules over 8-bit texts. Windows separates with the backslash, knows
// drive colons, and in a double-byte code page must not take the second byte
// of a character for a separator; Linux separates with "/" and has neither.
#ifndef VORNIX_HOST_PATHS_H_
#define VORNIX_HOST_PATHS_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vornix {

/// The bytes that open a two-byte character in the ANSI code page.
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

struct PathRules {
  char separator;
  bool drive_colons;
  LeadByteSet lead_bytes;
};

PathRules WindowsPathRules(const LeadByteSet& lead_bytes);
PathRules PosixPathRules();

/// The rules of the platform the program runs on, fixed at start-up.
const PathRules& HostPathRules();

/// Whether byte `index` of `text` is a character of its own: neither the
/// lead nor the trail byte of a two-byte character.
bool IsOwnCharacter(std::string_view text, size_t index,
                    const LeadByteSet& lead_bytes);

/// The text less one trailing separator that is a character of its own.
std::string DropTrailingBackslash(std::string_view text,
                                  const PathRules& rules);

/// The directory part of a path: the separator before the file name is
/// dropped, except after a drive colon or another separator (so a root keeps
/// its separator); a path without separator gives the empty text.
std::string DirectoryOf(std::string_view path, const PathRules& rules);

/// The part after the last separator of its own.
std::string_view FileNameOf(std::string_view path, const PathRules& rules);

/// The directory, exactly one separator, the name.
std::string JoinPath(std::string_view directory, std::string_view name,
                     const PathRules& rules);

/// `text` made absolute against `current_dir` (an absolute path), with ".",
/// ".." and repeated "/" resolved as text; links are not looked at. A
/// trailing "/" stays.
std::string ResolvePosixPath(std::string_view current_dir,
                             std::string_view text);

}  // namespace vornix

#endif  // VORNIX_HOST_PATHS_H_
