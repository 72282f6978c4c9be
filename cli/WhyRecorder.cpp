#include "WhyRecorder.h"

#include <algorithm>

void WhyRecorder::Add(const char *unit, Reason reason) {
  std::vector<Reason> &reasons = _Reasons[unit];
  if (std::find(reasons.begin(), reasons.end(), reason) == reasons.end()) reasons.push_back(std::move(reason));
}

void WhyRecorder::Requested(const char *unit) { Add(unit, {Kind::Requested, "", ""}); }
void WhyRecorder::PrerequisiteOf(const char *unit, const char *needer) { Add(unit, {Kind::Prerequisite, needer, ""}); }
void WhyRecorder::StandsInFor(const char *unit, const char *missing) { Add(unit, {Kind::StandIn, missing, ""}); }
void WhyRecorder::ConditionalRequisite(const char *unit, const char *holder, const char *condition, bool lenient) {
  Add(unit, {lenient ? Kind::Lenient : Kind::Conditional, holder, condition});
}
void WhyRecorder::RemovalRequested(const char *unit) { Add(unit, {Kind::Requested, "", ""}); }
void WhyRecorder::NeedsRemoved(const char *unit, const char *removed, bool conditional) {
  Add(unit, {conditional ? Kind::NeedsConditional : Kind::Needs, removed, ""});
}
void WhyRecorder::SupersessorsRemoved(const char *name, const char *supersessor) {
  _Supersessor.emplace(name, supersessor);
}
void WhyRecorder::FrameworkOnlyFor(const char *framework, const char *removed) {
  Add(framework, {Kind::Framework, removed, ""});
}
void WhyRecorder::FixOf(const char *fix, const char *removed) { Add(fix, {Kind::Fix, removed, ""}); }

std::string WhyRecorder::Worded(const Reason &reason, const std::set<std::string> &removed,
                                const IsFix &isFix) const {
  const std::string &other = reason.Other;
  switch (reason.What) {
    case Kind::Requested:
      return "requested";
    case Kind::Prerequisite:
      return "prerequisite of " + other;
    case Kind::StandIn:
      return "stands in for the prerequisite " + other + ", missing from the medium, which it supersedes";
    case Kind::Conditional:
      return "conditional requisite of " + other + ": " + reason.Condition + " is installed or planned, so " + other + " needs it";
    case Kind::Lenient:
      return "conditional requisite of " + other + " (if " + reason.Condition +
             "), taken by the lenient media-switch closure";
    case Kind::Needs:
    case Kind::NeedsConditional: {
      std::string how = reason.What == Kind::NeedsConditional ? " through a conditional requisite" : "";
      if (removed.count(other) == 0) {
        auto by = _Supersessor.find(other);
        if (by != _Supersessor.end())
          return "needs " + other + how + ", which only the removed " + by->second + " supersedes";
      }
      if (isFix && isFix(other)) return "requires removed fix " + other + how;
      return "needs " + other + how + ", which is removed";
    }
    case Kind::Framework:
      return "framework needed only by removed " + other;
    case Kind::Fix:
      return "fix of removed " + other;
  }
  return "";
}

std::vector<std::string> WhyRecorder::Reasons(const std::string &unit, const std::set<std::string> &removed,
                                              const IsFix &isFix) const {
  std::vector<std::string> worded;
  auto found = _Reasons.find(unit);
  if (found == _Reasons.end()) return worded;
  for (const Reason &reason : found->second) worded.push_back(Worded(reason, removed, isFix));
  return worded;
}
