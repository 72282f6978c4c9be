// A unified diff of two lists of lines, as diff -u writes it.
#ifndef LineDiff_h
#define LineDiff_h

#include <string>
#include <vector>

namespace scenario {

// The hunks that turn a into b, with three lines of context, under the headers
// "--- labelA" and "+++ labelB"; empty when a and b are equal.
std::string UnifiedDiff(const std::vector<std::string> &a, const std::vector<std::string> &b, const std::string &labelA,
                        const std::string &labelB);

}  // namespace scenario

#endif
