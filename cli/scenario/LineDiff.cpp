// A line diff from the longest common subsequence, written as unified hunks.
#include "LineDiff.h"

#include <algorithm>
#include <cstdint>

namespace scenario {

namespace {

constexpr std::size_t kContext = 3;
// Past this many cells the lines that differ are shown as all removed, then all added.
constexpr std::size_t kMaxCells = std::size_t{1} << 24;

// One line of the diff: kept (' '), removed ('-') or added ('+'), with the number of lines
// of a and of b that come before it.
struct Edit {
  char Op;
  std::size_t A, B;
};

std::vector<Edit> Edits(const std::vector<std::string> &a, const std::vector<std::string> &b) {
  const std::size_t n = a.size(), m = b.size();
  std::size_t prefix = 0, suffix = 0;
  while (prefix < n && prefix < m && a[prefix] == b[prefix]) ++prefix;
  while (suffix < n - prefix && suffix < m - prefix && a[n - 1 - suffix] == b[m - 1 - suffix]) ++suffix;
  const std::size_t rows = n - prefix - suffix, columns = m - prefix - suffix;

  std::vector<Edit> edits;
  std::size_t i = 0, j = 0;
  auto emit = [&](char op) {
    edits.push_back({op, i, j});
    if (op != '+') ++i;
    if (op != '-') ++j;
  };
  while (i < prefix) emit(' ');
  if ((rows + 1) * (columns + 1) <= kMaxCells) {
    // common[r][c]: the longest common subsequence of the rows from r and the columns from c.
    std::vector<std::uint32_t> common((rows + 1) * (columns + 1), 0);
    auto at = [&](std::size_t r, std::size_t c) -> std::uint32_t & { return common[r * (columns + 1) + c]; };
    for (std::size_t r = rows; r-- > 0;)
      for (std::size_t c = columns; c-- > 0;)
        at(r, c) = a[prefix + r] == b[prefix + c] ? at(r + 1, c + 1) + 1 : std::max(at(r + 1, c), at(r, c + 1));
    while (i < prefix + rows && j < prefix + columns) {
      const std::size_t r = i - prefix, c = j - prefix;
      emit(a[i] == b[j] ? ' ' : at(r + 1, c) >= at(r, c + 1) ? '-' : '+');
    }
  }
  while (i < prefix + rows) emit('-');
  while (j < prefix + columns) emit('+');
  while (i < n) emit(' ');
  return edits;
}

std::string Range(std::size_t before, std::size_t length) {
  std::string text = std::to_string(length == 0 ? before : before + 1);
  return length == 1 ? text : text + "," + std::to_string(length);
}

}  // namespace

std::string UnifiedDiff(const std::vector<std::string> &a, const std::vector<std::string> &b, const std::string &labelA,
                        const std::string &labelB) {
  const std::vector<Edit> edits = Edits(a, b);
  std::vector<std::size_t> changes;
  for (std::size_t k = 0; k < edits.size(); ++k)
    if (edits[k].Op != ' ') changes.push_back(k);
  if (changes.empty()) return "";

  std::string text = "--- " + labelA + "\n+++ " + labelB + "\n";
  for (std::size_t first = 0; first < changes.size();) {
    std::size_t last = first;
    while (last + 1 < changes.size() && changes[last + 1] - changes[last] <= 2 * kContext + 1) ++last;
    const std::size_t begin = changes[first] > kContext ? changes[first] - kContext : 0;
    const std::size_t end = std::min(edits.size(), changes[last] + kContext + 1);
    std::size_t lengthA = 0, lengthB = 0;
    std::string body;
    for (std::size_t k = begin; k < end; ++k) {
      lengthA += edits[k].Op != '+';
      lengthB += edits[k].Op != '-';
      body += edits[k].Op + (edits[k].Op == '+' ? b[edits[k].B] : a[edits[k].A]) + "\n";
    }
    text += "@@ -" + Range(edits[begin].A, lengthA) + " +" + Range(edits[begin].B, lengthB) + " @@\n" + body;
    first = last + 1;
  }
  return text;
}

}  // namespace scenario
