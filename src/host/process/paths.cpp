#include "host/process/paths.h"

#include <vector>

namespace vornix {

PathRules WindowsPathRules(const LeadByteSet& lead_bytes) {
  return PathRules{'\\', true, lead_bytes};
}

PathRules PosixPathRules() { return PathRules{'/', false, LeadByteSet()}; }

namespace {

enum class ByteKind { kOwn,
                      kLead,
                      kTrail };

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

// Whether byte `index` of `text` is a character of its own: neither the
// lead nor the trail byte of a two-byte character.
bool IsSingleByteCharacter(std::string_view text, size_t index,
                           const LeadByteSet& lead_bytes) {
  bool own = false;
  ForEachByteKind(text.substr(0, index + 1), lead_bytes,
                  [&](size_t i, ByteKind kind) {
                    if (i == index) own = kind == ByteKind::kOwn;
                  });
  return own;
}

}  // namespace

std::string DropTrailingBackslash(std::string_view text,
                                  const PathRules& rules) {
  if (!text.empty() && text.back() == rules.separator &&
      IsSingleByteCharacter(text, text.size() - 1, rules.lead_bytes))
    text.remove_suffix(1);
  return std::string(text);
}

std::string DirectoryOf(std::string_view path, const PathRules& rules) {
  size_t p = LastOwnSeparator(path, rules, true);
  if (p > 1 && path[p - 1] == rules.separator) {
    const size_t before = p - 2;
    const bool root_or_double =
        IsSeparatorByte(path[before], rules, true) &&
        IsSingleByteCharacter(path, before, rules.lead_bytes);
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
