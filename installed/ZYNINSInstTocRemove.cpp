// Removal planning: what must go with a set of installed units, and the space it frees.
// Both GetSize operations run the same passes; a rules table holds what differs.
#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSExplain.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSLimits.h"
#include "ZYNINSNames.h"
#include "ZYNINSObserved.h"
#include "ZYNINSPlanLists.h"
#include "ZYNINSTocIndex.h"
#include "ZYNINSUnitTocIO.h"
#include "ZYNINSWholeFile.h"

namespace {

// What tells the two operations apart.
struct RemovalRules {
  ZYNINSPkg requestPkg[2];     // package kinds a request may name
  bool messagesNameType;       // request messages carry the type keyword
  ZYNINSPlanFault notFound;    // request neither installed as such nor known
  ZYNINSPlanFault wrongKind;   // request of another package kind
  bool followIfreq;            // conditional requisites are followed too
  bool finalSteps;             // framework and FIX steps after the passes
  ZYNINSPlanFault prereqFull;  // next-pass list full while adding prerequiring units
  ZYNINSPlanFault ifreqFull;   // next-pass list full while adding ifreq units
  ZYNINSPlanFault scannedFull;
  ZYNINSPlanFault candidateFull;  // next-pass list full while releasing a candidate
  ZYNINSPlanFault deferredFull;
  ZYNINSPlanFault orphanFull;
  ZYNINSPlanFault tooMany;  // request over the scan list's capacity
};

// Fixes, always code; the result goes to the "to_remove" file.
const RemovalRules kFixRules = {
    {ZYNINSFIX, ZYNINSFIX},
    false,
    {"GetSize.NotFound", "%s is not found\n"},
    {"GetSize.NotAFIX", "%s is not a FIX\n"},
    true,
    false,
    {"GetSize.InstToc.nbtoscanafter", "ZYNINSInstToc::GetSize: internal error nbtoscanafter"},
    {"GetSize.InstToc.nbtoscanafter2", "ZYNINSInstToc::GetSize: internal error nbtoscanafter2"},
    {"GetSize.InstToc.nbscanned", "ZYNINSInstToc::GetSize: internal error nbscanned"},
    {"GetSize.InstToc.nbtoscanafter", "ZYNINSInstToc::GetSize: internal error nbtoscanafter\n"},
    {"GetSize.InstToc.nbspsdafter", "ZYNINSInstToc::GetSize: internal error nbspsdafter\n"},
    {"GetSize.InstToc.nborphan", "ZYNINSInstToc::GetSize: internal error nborphan\n"},
    {"GetSize.InstToc.TooMany", "ZYNINSInstToc::GetSize: too many names requested: %s\n"},
};

// Products and configurations of the caller's type; the result goes to the caller's list.
const RemovalRules kProductRules = {
    {ZYNINSPRD, ZYNINSSLT},
    true,
    {"GetSize.ToRemove.Notfound", "%s %s is not found\n"},
    {"GetSize.NotCorrectType", "%s %s is not of correct type\n"},
    false,
    true,
    {"GetSize.InstToc.nbtoscanafter", "ZYNINSInstToc::GetSize:internal error nbtoscanafter\n"},
    {nullptr, nullptr},  // conditional requisites are not followed
    {"GetSize.InstToc.nbscanned2", "ZYNINSInstToc::GetSize:internal error nbtscanned2\n"},
    {"GetSize.InstToc.nbtoscanafter2", "ZYNINSInstToc::GetSize:internal error nbtoscanafter2\n"},
    {"GetSize.InstToc.nbspsdafter2", "ZYNINSInstToc::GetSize:internal error nbspsdafter2\n"},
    {"GetSize.InstToc.nborphan", "ZYNINSInstToc::GetSize:internal error nborphan\n"},
    {"GetSize.InstToc.TooMany", "ZYNINSInstToc::GetSize:too many names requested: %s\n"},
};

// The entry table and its name index are protected; naming them through a derived class
// reaches them for the planner without widening the public class.
struct RemovalAccess : ZYNINSInstToc {
  static const ZYNINSUnitToc *Entries(const ZYNINSInstToc &toc) { return toc.*&RemovalAccess::_Entries; }
  static const ZYNINSTocIndex &IndexOf(const ZYNINSInstToc &toc) { return (toc.*&RemovalAccess::Index)(); }
};

// Candidates waiting for a supersessor that stays. Each is filed under the entry that
// holds it back, so a pass retests only those whose holder has joined the removal set
// since: the others would fail again, the set only grows. Candidate order is kept as a
// sequence number.
class DeferredCandidates {
 public:
  bool Contains(int name) const { return _Order.count(name) != 0; }
  std::size_t Count() const { return _Order.size(); }
  void Hold(int name, unsigned int order, int holder) {
    _Order[name] = order;
    _HeldBy[holder].push_back(name);
  }
  void Release(int name) { _Order.erase(name); }

  // The candidates whose holder is among the members added since the last call, in
  // candidate order; they stay deferred until held again or released.
  std::vector<std::pair<unsigned int, int>> Freed(const std::vector<int> &removal) {
    std::vector<std::pair<unsigned int, int>> freed;
    for (; _Seen < removal.size(); ++_Seen) {
      auto held = _HeldBy.find(removal[_Seen]);
      if (held == _HeldBy.end()) continue;
      for (int name : held->second) freed.emplace_back(_Order[name], name);
      _HeldBy.erase(held);
    }
    std::sort(freed.begin(), freed.end());
    return freed;
  }

 private:
  std::unordered_map<int, unsigned int> _Order;
  std::unordered_map<int, std::vector<int>> _HeldBy;
  std::size_t _Seen = 0;
};

// One removal plan over one catalogue and one entry type. A catalogue whose load
// failed is seen as an empty one. Names are the ids of the catalogue's name index:
// each is looked up once, and every name the plan meets after the request is in it.
class RemovalPlan {
 public:
  RemovalPlan(ZYNINSInstToc &toc, const RemovalRules &rules, ZYNINSType type, bool closure)
      : _Toc(toc),
        _Rules(rules),
        _Type(type),
        _Closure(closure),
        _NbEntries(toc.GetNbToc() > 0 ? toc.GetNbToc() : 0),
        _Entries(_NbEntries > 0 ? RemovalAccess::Entries(toc) : nullptr),
        _Index(RemovalAccess::IndexOf(toc)) {
    if (!_Entries) _NbEntries = 0;
  }

  // Runs the passes and, when the rules ask for them, the final steps. False after an
  // internal error, which has been reported.
  bool Plan(char (*names)[ZYNINSNameWidth], unsigned int n) {
    if (!Passes(names, n)) return false;
    if (_Rules.finalSteps) {
      FrameworkStep();
      FixStep();
    }
    return true;
  }

  // The removal set in reverse catalogue order.
  std::vector<int> Result() const {
    std::vector<int> order(_Removal.Items());
    std::sort(order.begin(), order.end());
    std::reverse(order.begin(), order.end());
    return order;
  }

  const ZYNINSUnitToc &Entry(int index) const { return _Entries[index]; }

 private:
  bool Passes(char (*names)[ZYNINSNameWidth], unsigned int n) {
    // The first scan list is the request itself, duplicates included: a rejected
    // name requested twice is reported twice.
    const std::vector<std::string> request = ZYNINSRequestNames(names, n);
    std::vector<int> ids;
    ids.reserve(request.size());
    for (const std::string &name : request) ids.push_back(_Index.NameId(name.c_str()));
    for (_Passes.Start(std::move(ids)); !_Passes.Done(); _Passes.Advance()) {
      const std::vector<int> &scan = _Passes.Scan();
      for (std::size_t i = 0; i < scan.size(); ++i) {
        const int name = scan[i];
        if (_Passes.Scanned.Contains(name)) continue;
        if (_Passes.FirstPass() && !AcceptRequest(name, request[i])) continue;
        if (!_Closure) continue;
        if (!FollowDependents(name)) return false;
        if (!CollectCandidates(name)) return false;
        if (!ZYNINSBoundedAdd(_Rules.scannedFull, _Passes.Scanned, name)) return false;
      }
      // Candidates still deferred are tested again next pass, against the grown removal set.
      if (!SortCandidates()) return false;
    }
    return true;
  }

  // A request must name an installed unit of an accepted package kind.
  bool AcceptRequest(int name, const std::string &text) {
    // A name the index does not know has no entry: it is not found, whatever the lists say.
    int index = IsInstalled(name) == 0 ? Find(name) : -1;
    if (index < 0) {
      ReportRequest(_Rules.notFound, text);
      return false;
    }
    ZYNINSPkg pkg = _Entries[index].GetPkg();
    if (pkg != _Rules.requestPkg[0] && pkg != _Rules.requestPkg[1]) {
      ReportRequest(_Rules.wrongKind, text);
      return false;
    }
    _Removal.Add(index);
    if (_Observer) _Observer->RemovalRequested(text.c_str());
    return true;
  }

  void ReportRequest(const ZYNINSPlanFault &message, const std::string &name) const {
    if (_Rules.messagesNameType)
      ZYNINSReport(message.key, message.text, {name, ZYNINSTypeName(_Type)});
    else
      ZYNINSReport(message.key, message.text, {name});
  }

  // Units that need the name go too, and their own dependents next pass.
  bool FollowDependents(int name) {
    if (!TakeRelation(name, _Index.Prerequing(name, _Type), false, _Rules.prereqFull)) return false;
    if (!_Rules.followIfreq) return true;
    return TakeRelation(name, _Index.Ifrequing(name, _Type), true, _Rules.ifreqFull);
  }

  // The related units need the name (through a conditional requisite when conditional).
  bool TakeRelation(int name, ZYNINSTocIndex::Positions related, bool conditional, const ZYNINSPlanFault &whenFull) {
    for (int index : related) {
      if (!ZYNINSBoundedAdd(whenFull, _Passes.Next, _Index.EntryNameId(index))) return false;
      _Removal.Add(index);
      if (_Observer) _Observer->NeedsRemoved(_Entries[index].GetName(), Text(name).c_str(), conditional);
    }
    return true;
  }

  // What the unit supersedes may have served others in its place: such names become
  // candidates, unless installed as such or already scanned.
  bool CollectCandidates(int name) {
    int index = Find(name);
    if (index < 0) return true;
    const ZYNINSUnitToc &entry = _Entries[index];
    for (int k = 0; k < entry.GetNbSupersede(); ++k) {
      int superseded = _Index.NameId(entry.GetSupersede(k));
      if (IsInstalled(superseded) == 0 || _Passes.Scanned.Contains(superseded) || _Deferred.Contains(superseded) ||
          _Fresh.Contains(superseded))
        continue;
      // Only a new name can overflow the candidates: a known one is never refused.
      if (_Deferred.Count() + _Fresh.Count() >= ZYNINSListCapacity) return ZYNINSPlanFails(_Rules.orphanFull);
      _Fresh.Add(superseded);
    }
    return true;
  }

  // A candidate whose every supersessor is being removed is followed next pass;
  // the others wait.
  // Deferred candidates come first, in their order, then this pass's new ones.
  bool SortCandidates() {
    for (const auto &freed : _Deferred.Freed(_Removal.Items()))
      if (!TestCandidate(freed.second, freed.first)) return false;
    for (int name : _Fresh.Items())
      if (!TestCandidate(name, _NextOrder++)) return false;
    _Fresh.Clear();
    return true;
  }

  bool TestCandidate(int name, unsigned int order) {
    ++ZYNINSLastPlanWork().steps;
    ZYNINSTocIndex::Positions supersessors = _Index.Superseding(name, _Type);
    int holder = FirstStaying(supersessors, false);
    if (holder < 0) {
      if (_Observer && !supersessors.empty())
        _Observer->SupersessorsRemoved(Text(name).c_str(), _Entries[supersessors.front()].GetName());
      _Deferred.Release(name);
      return ZYNINSBoundedAdd(_Rules.candidateFull, _Passes.Next, name);
    }
    if (!_Deferred.Contains(name) && _Deferred.Count() >= ZYNINSListCapacity)
      return ZYNINSPlanFails(_Rules.deferredFull);
    _Deferred.Hold(name, order, holder);
    return true;
  }

  // Frameworks that only the removed units (and fixes) need go with them, one level
  // deep: frameworks taken here are not examined themselves.
  void FrameworkStep() {
    _Passes.Scanned.Clear();  // now the frameworks taken
    const std::size_t members = _Removal.Count();
    for (std::size_t m = 0; m < members; ++m) {
      const ZYNINSUnitToc &unit = _Entries[_Removal[m]];
      for (int k = 0; k < unit.GetNbPrereq(); ++k) {
        int prereq = _Index.NameId(unit.GetPrereq(k));
        int framework = Find(prereq);
        if (framework < 0 || _Removal.Contains(framework) || _Entries[framework].GetPkg() != ZYNINSFWK ||
            _Passes.Scanned.Contains(prereq))
          continue;
        // Taken frameworks may free others later in this step: a user found staying
        // answers until it joins the removal set itself.
        auto held = _FrameworkUsers.find(prereq);
        if (held != _FrameworkUsers.end() && !_Removal.Contains(held->second)) continue;
        int user = FirstStaying(_Index.Prerequing(prereq, _Type), true);
        if (user >= 0) {
          _FrameworkUsers[prereq] = user;
          continue;
        }
        _Removal.Add(framework);
        _Passes.Scanned.Add(prereq);  // at most one name per entry: never full
        if (_Observer) _Observer->FrameworkOnlyFor(Text(prereq).c_str(), unit.GetName());
      }
    }
  }

  // Fixes of the removed units go with them; fixes added here bring no fixes of their own.
  void FixStep() {
    const std::size_t members = _Removal.Count();
    for (std::size_t m = 0; m < members; ++m) {
      for (int fix : _Index.Prerequing(_Index.EntryNameId(_Removal[m]), _Type)) {
        if (_Entries[fix].GetPkg() != ZYNINSFIX) continue;
        _Removal.Add(fix);
        if (_Observer) _Observer->FixOf(_Entries[fix].GetName(), _Entries[_Removal[m]].GetName());
      }
    }
  }

  // The first of the related entries that stays (fixes excepted when asked), or -1
  // when all of them are in the removal set.
  int FirstStaying(ZYNINSTocIndex::Positions related, bool fixesExcepted) {
    for (int index : related) {
      ++ZYNINSLastPlanWork().steps;
      if (!_Removal.Contains(index) && !(fixesExcepted && _Entries[index].GetPkg() == ZYNINSFIX)) return index;
    }
    return -1;
  }

  // Whether the name is installed (0), superseded (1) or neither (-1), asked once per name.
  int IsInstalled(int name) {
    if (_NbEntries == 0 || name < 0) return -1;
    if (_Installed.empty()) _Installed.assign(_Index.NameCount(), kNotAsked);
    signed char &known = _Installed[static_cast<std::size_t>(name)];
    if (known == kNotAsked) known = static_cast<signed char>(_Toc.IsInstalled(_Index.NameText(name), _Type));
    return known;
  }

  int Find(int name) const {
    if (_NbEntries == 0) return -1;
    int index = _Index.First(name, _Type);
    return index >= 0 && index < _NbEntries ? index : -1;
  }

  std::string Text(int name) const { return ZYNINSNameText(_Index.NameText(name)); }

  static constexpr signed char kNotAsked = 2;

  ZYNINSInstToc &_Toc;
  const RemovalRules &_Rules;
  const ZYNINSType _Type;
  const bool _Closure;
  int _NbEntries;
  const ZYNINSUnitToc *_Entries;
  const ZYNINSTocIndex &_Index;
  // Told why each unit joins the removal set; null leaves planning as it is.
  ZYNINSPlanObserver *const _Observer = ZYNINSObserverInEffect();

  ZYNINSPassLists<int> _Passes;
  ZYNINSIndexWorkList _Fresh;  // candidates found in this pass
  DeferredCandidates _Deferred;
  unsigned int _NextOrder = 0;
  // Distinct positions of a table of at most ZYNINSMostLines entries: never full.
  ZYNINSIndexWorkList _Removal;
  std::vector<signed char> _Installed;  // by name id
  std::unordered_map<int, int> _FrameworkUsers;  // framework -> a user staying
};

unsigned int SizeOf(const RemovalPlan &plan, const std::vector<int> &order) {
  unsigned int total = 0;
  for (int index : order) total = ZYNINSAddSize(total, plan.Entry(index).GetSize());
  return total;
}

}  // namespace

unsigned int ZYNINSInstToc::GetSize(char (*names)[ZYNINSNameWidth], unsigned int n) {
  if (!ZYNINSRequestFits(n, kFixRules.tooMany)) return ZYNINSFailed;
  RemovalPlan plan(*this, kFixRules, ZYNINSCode, true);
  if (!plan.Plan(names, n)) return ZYNINSFailed;
  std::vector<int> order = plan.Result();

  std::ostringstream out;
  for (int index : order) {
    const ZYNINSUnitToc &entry = plan.Entry(index);
    const char *label = entry.GetLabel();
    out << ZYNINSNameText(entry.GetName()) << ' ' << (label ? label : "") << '\n';
  }
  // Replaced whole: a failed write leaves the file of the last plan, never part of this one.
  if (!ZYNINSWriteWholeFile("to_remove", out.str())) {
    ZYNINSReport("GetSize.InstToc.toRemove", "ZYNINSInstToc::GetSize: unable to build to_remove file\n");
    return ZYNINSFailed;
  }
  return SizeOf(plan, order);
}

unsigned int ZYNINSInstToc::GetSize(char (*names)[ZYNINSNameWidth], unsigned int n, ZYNINSType type, int closure,
                                    ZYNINSStockName *list) {
  if (type != ZYNINSCode && type != ZYNINSZarn) {
    ZYNINSReport("GetSize.InstToc.BadType", "ZYNINSInstToc::GetSize:invalid type %d\n", {static_cast<int>(type)});
    return ZYNINSFailed;
  }
  if (!ZYNINSRequestFits(n, kProductRules.tooMany)) return ZYNINSFailed;
  RemovalPlan plan(*this, kProductRules, type, closure != 0);
  if (!plan.Plan(names, n)) return ZYNINSFailed;
  std::vector<int> order = plan.Result();

  if (list) {
    char(*listNames)[ZYNINSListCapacity][ZYNINSNameWidth] = list->Reset();
    char *(*labels)[ZYNINSListCapacity] = list->GetTabLabel();
    for (std::size_t k = 0; k < order.size(); ++k) {
      const ZYNINSUnitToc &entry = plan.Entry(order[k]);
      memcpy((*listNames)[k], entry.GetName(), ZYNINSNameWidth);
      (*labels)[k] = entry.GetLabel();
    }
    *list->GetNbNameAddress() = static_cast<unsigned int>(order.size());
  }
  return SizeOf(plan, order);
}
