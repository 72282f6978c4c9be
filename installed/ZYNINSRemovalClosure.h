// The passes of a removal plan: the request, then pass by pass the units that need a removed
// one, and the names a removed one supersedes once nothing that stays supersedes them.
#ifndef ZYNINSRemovalClosure_h
#define ZYNINSRemovalClosure_h

#include "ZYNINSLimits.h"
#include "ZYNINSRemovalRules.h"
#include "ZYNINSRemovalSet.h"

// Adds the request and, with followDependents, all it brings to the removal set. False
// after an internal error, which has been reported; rejected requests are reported and
// left out.
bool ZYNINSRemovalClosure(ZYNINSRemovalSet &removal, const ZYNINSRemovalRules &rules, bool followDependents,
                          char (*names)[ZYNINSNameWidth], unsigned int n);

#endif
