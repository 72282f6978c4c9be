// What tells the two removal operations apart: the fixes' removal and that of products and
// configurations run the same passes, and differ only in what they accept, what they follow
// and how they word their faults.
#ifndef ZYNINSRemovalRules_h
#define ZYNINSRemovalRules_h

#include "ZYNINSPlanLists.h"
#include "ZYNINSToc.h"

struct ZYNINSRemovalRules {
  ZYNINSPkg requestPkg[2];     // package kinds a request may name
  bool messagesNameType;       // request messages carry the type keyword
  ZYNINSPlanFault notFound;    // request neither installed as such nor known
  ZYNINSPlanFault wrongKind;   // request of another package kind
  bool followIfreq;            // conditional requisites are followed too
  bool finalSteps;             // framework and FIX steps after the passes
  ZYNINSPlanFault prereqFull;  // next-pass list full while adding prerequiring units
  ZYNINSPlanFault ifreqFull;   // next-pass list full while adding ifreq units
  ZYNINSPlanFault scannedFull;    // scanned list full
  ZYNINSPlanFault candidateFull;  // next-pass list full while releasing a candidate
  ZYNINSPlanFault deferredFull;   // no room to defer one more candidate
  ZYNINSPlanFault orphanFull;     // no room for one more candidate found
  ZYNINSPlanFault tooMany;  // request over the scan list's capacity
};

#endif
