// The rules of the scripts and the side files that hold before and around
// the removal passes.
#ifndef VORNIX_EDIT_SCRIPT_RULES_H_
#define VORNIX_EDIT_SCRIPT_RULES_H_

#include <string>
#include <vector>

namespace vornix {

class LineList;

/// Drops the end-of-file marker: a last line holding 0x1A is cut before its
/// first 0x1A, and removed when nothing is left before it. True if it did.
bool DropEndOfFileMarker(LineList& lines);

/// Drops a UTF-8 byte-order mark (EF BB BF), which Notepad puts at the start
/// of a file it saves as "UTF-8", from the start of a side file's lines. A
/// file of the mark alone is an empty file.
void DropByteOrderMark(LineList& lines);

/// The driver names of the deletion list, in list order. An empty or
/// blank-only line names no driver: as a name it would blank every ".sys"
/// line of dosnet.inf. Every other line is used exactly as read, blanks
/// included.
std::vector<std::string_view> DriverNamesOf(const LineList& delete_list);

}  // namespace vornix

#endif  // VORNIX_EDIT_SCRIPT_RULES_H_
