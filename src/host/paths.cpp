#include "host/paths.h"

#include <vector>

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

PathRules WindowsPathRules(const LeadByteSet& lead_bytes) {
  return PathRules{'\\', true, lead_bytes};
}

PathRules PosixPathRules() { return PathRules{'/', false, LeadByteSet()}; }

namespace {

enum class ByteKind { kOwn, kLead, kTrail };

// Walks the text once from its start: a byte of the set opens a pair, and
// the byte after it is that pair's trail, whatever its value.
template <class Visit>
void ForEachByteKind(std::string_view text, const LeadByteSet& lead_bytes,
                     Visit visit) {
  bool after_lead = false;
  for (size_t i = 0; i < text.size(); ++i) {
    ByteKind kind;
    if (after_lead) {
      kind = ByteKind::kTrail;
    } else if (text[i] != '\0' && lead_bytes.Contains(text[i])) {
      kind = ByteKind::kLead;
    } else {
      kind = ByteKind::kOwn;
    }
    after_lead = kind == ByteKind::kLead;
    visit(i, kind);
  }
}

bool IsSeparatorByte(char c, const PathRules& rules, bool with_colon) {
  return c == rules.separator || (with_colon && rules.drive_colons && c == ':');
}

// 1-based position of the last separator (or drive colon) of its own, 0 when
// there is none.
size_t LastOwnSeparator(std::string_view text, const PathRules& rules,
                        bool with_colon) {
  size_t found = 0;
  ForEachByteKind(text, rules.lead_bytes, [&](size_t i, ByteKind kind) {
    if (kind == ByteKind::kOwn && IsSeparatorByte(text[i], rules, with_colon))
      found = i + 1;
  });
  return found;
}

}  // namespace

bool IsOwnCharacter(std::string_view text, size_t index,
                    const LeadByteSet& lead_bytes) {
  bool own = false;
  ForEachByteKind(text.substr(0, index + 1), lead_bytes,
                  [&](size_t i, ByteKind kind) {
                    if (i == index) own = kind == ByteKind::kOwn;
                  });
  return own;
}

std::string DropTrailingBackslash(std::string_view text,
                                  const PathRules& rules) {
  if (!text.empty() && text.back() == rules.separator &&
      IsOwnCharacter(text, text.size() - 1, rules.lead_bytes))
    text.remove_suffix(1);
  return std::string(text);
}

std::string DirectoryOf(std::string_view path, const PathRules& rules) {
  size_t p = LastOwnSeparator(path, rules, true);
  if (p > 1 && path[p - 1] == rules.separator) {
    const size_t before = p - 2;
    const bool root_or_double =
        IsSeparatorByte(path[before], rules, true) &&
        IsOwnCharacter(path, before, rules.lead_bytes);
    if (!root_or_double) --p;
  }
  return std::string(path.substr(0, p));
}

std::string_view FileNameOf(std::string_view path, const PathRules& rules) {
  return path.substr(LastOwnSeparator(path, rules, false));
}

std::string JoinPath(std::string_view directory, std::string_view name,
                     const PathRules& rules) {
  std::string joined;
  joined.reserve(directory.size() + 1 + name.size());
  joined.append(directory);
  joined.push_back(rules.separator);
  joined.append(name);
  return joined;
}

std::string ResolvePosixPath(std::string_view current_dir,
                             std::string_view text) {
  std::string joined;
  if (text.empty() || text[0] != '/') {
    joined.append(current_dir);
    joined.push_back('/');
  }
  joined.append(text);

  std::vector<std::string_view> segments;
  std::string_view rest = joined;
  while (!rest.empty()) {
    const size_t slash = rest.find('/');
    const std::string_view segment = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view()
                                           : rest.substr(slash + 1);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      continue;
    }
    segments.push_back(segment);
  }

  std::string resolved;
  for (std::string_view segment : segments) {
    resolved.push_back('/');
    resolved.append(segment);
  }
  const bool trailing_slash = !text.empty() && text.back() == '/';
  if (resolved.empty() || trailing_slash) resolved.push_back('/');
  return resolved;
}

}  // namespace vornix
