// The list machinery both planners share: the pass lists (the names to scan this pass,
// those for the next one, those scanned), a bounded add that reports the internal error
// of a full list, the bound on a request and the guard of the failure value.
#ifndef ZYNINSPlanLists_h
#define ZYNINSPlanLists_h

#include <string>
#include <utility>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSLimits.h"
#include "ZYNINSNames.h"
#include "ZYNINSWorkList.h"

// A fault of a planner, with its message key and default text: the call stops and
// returns the failure value.
struct ZYNINSPlanFault {
  const char *key;
  const char *text;
};

// Reports the fault and answers false, so that a step can return it.
inline bool ZYNINSPlanFails(const ZYNINSPlanFault &fault) {
  ZYNINSReport(fault.key, fault.text);
  return false;
}

// Adds to a bounded list; a full list is the given internal error.
template <typename List, typename... Item>
bool ZYNINSBoundedAdd(const ZYNINSPlanFault &whenFull, List &list, const Item &...item) {
  return list.Add(item...) != List::Full || ZYNINSPlanFails(whenFull);
}

// A request longer than the working lists is refused rather than cut; the fault text
// takes the number of names requested.
inline bool ZYNINSRequestFits(unsigned int n, const ZYNINSPlanFault &tooMany) {
  if (n <= ZYNINSListCapacity) return true;
  ZYNINSReport(tooMany.key, tooMany.text, {std::to_string(n)});
  return false;
}

// The all-ones value means failure to every caller, so a real total stops one below it.
constexpr unsigned int ZYNINSLargestTotal = ZYNINSFailed - 1;

// Every sum of planning saturates instead of wrapping: a wrapped total would show a huge
// installation as a tiny one, and the all-ones value would read as a failure.
inline unsigned int ZYNINSAddSize(unsigned int total, unsigned int size) {
  unsigned long long sum = static_cast<unsigned long long>(total) + size;
  return sum > ZYNINSLargestTotal ? ZYNINSLargestTotal : static_cast<unsigned int>(sum);
}

// The work of the last plan that ran in the process, counted so that tests bound the work
// rather than the time: the passes, and the steps (names scanned, candidates tested,
// related entries looked at).
struct ZYNINSPlanWork {
  unsigned long passes = 0;
  unsigned long steps = 0;
};
ZYNINSPlanWork &ZYNINSLastPlanWork();

// The request's names, duplicates included: the first list a planner scans.
inline std::vector<std::string> ZYNINSRequestNames(char (*names)[ZYNINSNameWidth], unsigned int n) {
  std::vector<std::string> request;
  if (names) {
    request.reserve(n);
    for (unsigned int i = 0; i < n; ++i) request.push_back(ZYNINSNameText(names[i]));
  }
  return request;
}

// What a planner scans, pass by pass (names, or ids of names): the request first, then what
// the previous pass put on the next-pass list.
template <typename Item>
class ZYNINSPassLists {
 public:
  void Start(std::vector<Item> request) {
    _Scan = std::move(request);
    _FirstPass = true;
    ZYNINSLastPlanWork() = ZYNINSPlanWork();
    Count();
  }

  bool Done() const { return _Scan.empty(); }
  bool FirstPass() const { return _FirstPass; }
  const std::vector<Item> &Scan() const { return _Scan; }
  // Ends a pass: the next-pass list becomes the scan list.
  void Advance() {
    _Scan = Next.Items();
    Next.Clear();
    _FirstPass = false;
    Count();
  }

  ZYNINSWorkList<Item> Next;     // to scan in the next pass
  ZYNINSWorkList<Item> Scanned;  // examined so far

 private:
  void Count() {
    ZYNINSPlanWork &work = ZYNINSLastPlanWork();
    if (!_Scan.empty()) ++work.passes;
    work.steps += _Scan.size();
  }

  std::vector<Item> _Scan;
  bool _FirstPass = true;
};

#endif
