// The work record of the planners, one per thread.
#include "ZYNINSPlanLists.h"

ZYNINSPlanWork &ZYNINSLastPlanWork() {
  thread_local ZYNINSPlanWork work;
  return work;
}
