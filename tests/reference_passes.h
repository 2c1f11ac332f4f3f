// The removal rules as plain per-name walks, written for clarity rather than
// speed: the yardstick for the one-walk passes in the tests and fuzzers.
#ifndef VORNIX_TESTS_REFERENCE_PASSES_H_
#define VORNIX_TESTS_REFERENCE_PASSES_H_

#include <string>
#include <vector>

namespace vornix {

class LineList;

void ReferenceClearDosnetEntries(LineList& lines, const std::string& name);
void ReferenceClearTxtsetupEntries(LineList& lines, const std::string& name);

/// Both reference walks for every non-empty name, in list order.
void ReferenceRemoveDrivers(LineList& txtsetup, LineList& dosnet,
                            const std::vector<std::string>& names);

}  // namespace vornix

#endif  // VORNIX_TESTS_REFERENCE_PASSES_H_
