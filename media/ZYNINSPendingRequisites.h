// The conditional requisites of planned units that wait for their condition.
//
// A pair fires at the end of a pass when its condition is installed (or superseded)
// in the installation, when the condition has been examined by the planning, or
// always in lenient mode. Pairs that do not fire stay for the next pass. Rather than
// testing every waiting pair at every pass, a pair is marked ready as soon as its
// condition qualifies, so a pass costs what it changes. Pairs fire in the order in
// which they started waiting.
#ifndef ZYNINSPendingRequisites_h
#define ZYNINSPendingRequisites_h

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ZYNINSLimits.h"
#include "ZYNINSToc.h"

class ZYNINSPendingRequisites {
 public:
  enum AddResult { Added, Present, Full };
  explicit ZYNINSPendingRequisites(std::size_t capacity = ZYNINSListCapacity) : _Capacity(capacity) {}

  // Adds a pair unless an equal one (both halves) is waiting; a full list refuses every pair.
  // conditionMet: the condition is installed or superseded, or every pair fires (lenient mode).
  // conditionExamined: the condition is already in the examined list.
  AddResult Add(const ZYNINSIfreqPair &pair, bool conditionMet, bool conditionExamined);
  // The name has just been examined: pairs waiting on it fire at the end of the pass.
  void Examined(const std::string &name);
  // Ends a pass: the required names of the pairs that fire, in waiting order; they stop waiting.
  // With conditions, their condition names too, at the same positions.
  std::vector<std::string> TakeFiring(std::vector<std::string> *conditions = nullptr);

 private:
  struct Waiting {
    std::string key;
    std::string required;
  };
  std::size_t _Capacity;
  std::vector<Waiting> _Pairs;                                      // by arrival; fired ones stay as holes
  std::unordered_set<std::string> _Keys;                             // pairs still waiting
  std::unordered_map<std::string, std::vector<std::size_t>> _ByCondition;  // unmet pairs by condition
  std::vector<std::size_t> _Ready;
};

#endif
