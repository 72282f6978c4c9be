// The work record of the planners. The library runs on one thread at a time, so one
// record serves the process; it is constant-initialised, with no constructor at load.
#include "ZYNINSPlanLists.h"

namespace {

ZYNINSPlanWork sLastPlanWork;

}  // namespace

ZYNINSPlanWork &ZYNINSLastPlanWork() { return sLastPlanWork; }
