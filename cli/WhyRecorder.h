// --why: records what planning tells its observer and words it, unit by unit.
#ifndef WhyRecorder_h
#define WhyRecorder_h

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ZYNINSExplain.h"

class WhyRecorder : public ZYNINSPlanObserver {
 public:
  // Observes the planning calls made during its lifetime.
  WhyRecorder() : _Previous(ZYNINSSetPlanObserver(this)) {}
  ~WhyRecorder() override { ZYNINSSetPlanObserver(_Previous); }
  WhyRecorder(const WhyRecorder &) = delete;
  WhyRecorder &operator=(const WhyRecorder &) = delete;

  // Whether a unit of the removal result is a fix: its reasons then say so.
  using IsFix = std::function<bool(const std::string &)>;
  // The reasons of a unit, in the order planning found them, each once.
  std::vector<std::string> Reasons(const std::string &unit, const std::set<std::string> &removed,
                                   const IsFix &isFix = {}) const;

  void Requested(const char *unit) override;
  void PrerequisiteOf(const char *unit, const char *needer) override;
  void StandsInFor(const char *unit, const char *missing) override;
  void ConditionalRequisite(const char *unit, const char *holder, const char *condition, bool lenient) override;
  void RemovalRequested(const char *unit) override;
  void NeedsRemoved(const char *unit, const char *removed, bool conditional) override;
  void SupersessorsRemoved(const char *name, const char *supersessor) override;
  void FrameworkOnlyFor(const char *framework, const char *removed) override;
  void FixOf(const char *fix, const char *removed) override;

 private:
  enum class Kind { Requested, Prerequisite, StandIn, Conditional, Lenient, Needs, NeedsConditional, Framework, Fix };
  struct Reason {
    Kind What;
    std::string Other;      // the unit the reason comes from
    std::string Condition;  // a conditional requisite's condition
    bool operator==(const Reason &o) const { return What == o.What && Other == o.Other && Condition == o.Condition; }
  };
  void Add(const char *unit, Reason reason);
  std::string Worded(const Reason &reason, const std::set<std::string> &removed, const IsFix &isFix) const;

  ZYNINSPlanObserver *_Previous;
  std::map<std::string, std::vector<Reason>> _Reasons;
  std::map<std::string, std::string> _Supersessor;  // a name no longer served -> a removed supersessor
};

#endif
