// The planning observer: no-op defaults, so that an observer overrides only what it
// wants told, and the one process-wide setting the planners consult.
#include "ZYNINSExplain.h"
#include "ZYNINSObserved.h"

namespace {
ZYNINSPlanObserver *sObserver = nullptr;
}  // namespace

ZYNINSPlanObserver::~ZYNINSPlanObserver() {}
void ZYNINSPlanObserver::Requested(const char *) {}
void ZYNINSPlanObserver::PrerequisiteOf(const char *, const char *) {}
void ZYNINSPlanObserver::StandsInFor(const char *, const char *) {}
void ZYNINSPlanObserver::ConditionalRequisite(const char *, const char *, const char *, bool) {}
void ZYNINSPlanObserver::Planned(const char *) {}
void ZYNINSPlanObserver::RemovalRequested(const char *) {}
void ZYNINSPlanObserver::NeedsRemoved(const char *, const char *, bool) {}
void ZYNINSPlanObserver::SupersessorsRemoved(const char *, const char *) {}
void ZYNINSPlanObserver::FrameworkOnlyFor(const char *, const char *) {}
void ZYNINSPlanObserver::FixOf(const char *, const char *) {}

ZYNINSPlanObserver *ZYNINSSetPlanObserver(ZYNINSPlanObserver *observer) {
  ZYNINSPlanObserver *previous = sObserver;
  sObserver = observer;
  return previous;
}

ZYNINSPlanObserver *ZYNINSObserverInEffect() { return sObserver; }
