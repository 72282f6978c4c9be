// What the planners consult: the observer set by ZYNINSSetPlanObserver, or null.
#ifndef ZYNINSObserved_h
#define ZYNINSObserved_h

class ZYNINSPlanObserver;

ZYNINSPlanObserver *ZYNINSObserverInEffect();

#endif
