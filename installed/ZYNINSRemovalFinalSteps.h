// The steps that follow the closure of a product or configuration removal: the frameworks
// left without a user, then the fixes of every removed unit.
#ifndef ZYNINSRemovalFinalSteps_h
#define ZYNINSRemovalFinalSteps_h

#include "ZYNINSRemovalSet.h"

// Frameworks that only the removed units (and fixes) need go with them, one level deep:
// frameworks taken here are not examined themselves.
void ZYNINSRemoveUnusedFrameworks(ZYNINSRemovalSet &removal);

// Fixes of the removed units go with them; fixes added here bring no fixes of their own.
void ZYNINSRemoveFixesOfRemoved(ZYNINSRemovalSet &removal);

#endif
