// The passes of a removal plan: the request, then pass by pass the units that need a removed
// one, and the units a removed one supersedes once nothing that stays supersedes them.
#ifndef ZYNINSRemovalClosure_h
#define ZYNINSRemovalClosure_h

#include <string>
#include <vector>

#include "ZYNINSDeferredCandidates.h"
#include "ZYNINSLimits.h"
#include "ZYNINSPlanLists.h"
#include "ZYNINSRemovalRules.h"
#include "ZYNINSRemovalSet.h"
#include "ZYNINSWorkList.h"

class ZYNINSRemovalClosure {
 public:
  // Without followDependents only the request is taken.
  ZYNINSRemovalClosure(ZYNINSRemovalSet &removal, const ZYNINSRemovalRules &rules, bool followDependents)
      : _Removal(removal), _Rules(rules), _FollowDependents(followDependents) {}

  // Adds the request and what it brings to the removal set. False after an internal
  // error, which has been reported; rejected requests are reported and left out.
  bool Run(char (*names)[ZYNINSNameWidth], unsigned int n);

 private:
  bool AcceptRequest(int name, const std::string &text);
  void ReportRequest(const ZYNINSPlanFault &message, const std::string &name) const;
  bool FollowDependents(int name);
  bool TakeRelation(int name, ZYNINSTocIndex::Positions related, bool conditional, const ZYNINSPlanFault &whenFull);
  bool CollectCandidates(int name);
  bool SortCandidates();
  bool TestCandidate(int name, unsigned int order);
  int IsInstalled(int name);

  static constexpr signed char kNotAsked = 2;

  ZYNINSRemovalSet &_Removal;
  const ZYNINSRemovalRules &_Rules;
  const bool _FollowDependents;

  ZYNINSPassLists<int> _Passes;
  ZYNINSIndexWorkList _Fresh;  // candidates found in this pass
  ZYNINSDeferredCandidates _Deferred;
  unsigned int _NextOrder = 0;
  std::vector<signed char> _Installed;  // by name id
};

#endif
