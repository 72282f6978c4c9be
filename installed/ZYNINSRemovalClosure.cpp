// The closure of a removal over the relation index, pass by pass. A pass scans the names the
// previous one found: each unit that needs a scanned name (as a prerequisite, and as a
// conditional requisite when the rules say so) joins the removal set and is scanned next
// pass. What a scanned unit supersedes becomes a candidate, a name that may have served
// others in its place: it is scanned too once no unit that supersedes it stays, and until
// then waits, filed under the supersessor that holds it back.
#include "ZYNINSRemovalClosure.h"

#include <string>
#include <utility>
#include <vector>

#include "ZYNINSDeferredCandidates.h"
#include "ZYNINSDiag.h"
#include "ZYNINSExplain.h"
#include "ZYNINSPlanLists.h"
#include "ZYNINSUnitTocIO.h"
#include "ZYNINSWorkList.h"

namespace {

class Closure {
 public:
  Closure(ZYNINSRemovalSet &removal, const ZYNINSRemovalRules &rules, bool followDependents)
      : _Removal(removal),
        _Rules(rules),
        _FollowDependents(followDependents),
        _Index(removal.Index()),
        _Type(removal.Type()) {}

  bool Run(char (*names)[ZYNINSNameWidth], unsigned int n) {
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
        if (!_FollowDependents) continue;
        if (!FollowDependents(name)) return false;
        if (!CollectCandidates(name)) return false;
        if (!ZYNINSBoundedAdd(_Rules.scannedFull, _Passes.Scanned, name)) return false;
      }
      // Candidates still deferred are tested again next pass, against the grown removal set.
      if (!SortCandidates()) return false;
    }
    return true;
  }

 private:
  // A request must name an installed unit of an accepted package kind.
  bool AcceptRequest(int name, const std::string &text) {
    // A name the index does not know has no entry: it is not found, whatever the lists say.
    int index = IsInstalled(name) == 0 ? _Removal.Find(name) : -1;
    if (index < 0) {
      ReportRequest(_Rules.notFound, text);
      return false;
    }
    ZYNINSPkg pkg = _Removal.Entry(index).GetPkg();
    if (pkg != _Rules.requestPkg[0] && pkg != _Rules.requestPkg[1]) {
      ReportRequest(_Rules.wrongKind, text);
      return false;
    }
    _Removal.Add(index);
    if (ZYNINSPlanObserver *observer = _Removal.Observer()) observer->RemovalRequested(text.c_str());
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
      if (ZYNINSPlanObserver *observer = _Removal.Observer())
        observer->NeedsRemoved(_Removal.Entry(index).GetName(), _Removal.Text(name).c_str(), conditional);
    }
    return true;
  }

  // What the unit supersedes may have served others in its place: such names become
  // candidates, unless installed as such or already scanned.
  bool CollectCandidates(int name) {
    int index = _Removal.Find(name);
    if (index < 0) return true;
    const ZYNINSUnitToc &entry = _Removal.Entry(index);
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
    for (const auto &freed : _Deferred.Freed(_Removal.Members()))
      if (!TestCandidate(freed.second, freed.first)) return false;
    for (int name : _Fresh.Items())
      if (!TestCandidate(name, _NextOrder++)) return false;
    _Fresh.Clear();
    return true;
  }

  bool TestCandidate(int name, unsigned int order) {
    ++ZYNINSLastPlanWork().steps;
    ZYNINSTocIndex::Positions supersessors = _Index.Superseding(name, _Type);
    int holder = _Removal.FirstStaying(supersessors, false);
    if (holder < 0) {
      if (ZYNINSPlanObserver *observer = _Removal.Observer())
        if (!supersessors.empty())
          observer->SupersessorsRemoved(_Removal.Text(name).c_str(), _Removal.Entry(supersessors.front()).GetName());
      _Deferred.Release(name);
      return ZYNINSBoundedAdd(_Rules.candidateFull, _Passes.Next, name);
    }
    if (!_Deferred.Contains(name) && _Deferred.Count() >= ZYNINSListCapacity)
      return ZYNINSPlanFails(_Rules.deferredFull);
    _Deferred.Hold(name, order, holder);
    return true;
  }

  // Whether the name is installed (0), superseded (1) or neither (-1), asked once per name.
  int IsInstalled(int name) {
    if (_Removal.Empty() || name < 0) return -1;
    if (_Installed.empty()) _Installed.assign(_Index.NameCount(), kNotAsked);
    signed char &known = _Installed[static_cast<std::size_t>(name)];
    if (known == kNotAsked) known = static_cast<signed char>(_Removal.AskInstalled(name));
    return known;
  }

  static constexpr signed char kNotAsked = 2;

  ZYNINSRemovalSet &_Removal;
  const ZYNINSRemovalRules &_Rules;
  const bool _FollowDependents;
  const ZYNINSTocIndex &_Index;
  const ZYNINSType _Type;

  ZYNINSPassLists<int> _Passes;
  ZYNINSIndexWorkList _Fresh;  // candidates found in this pass
  ZYNINSDeferredCandidates _Deferred;
  unsigned int _NextOrder = 0;
  std::vector<signed char> _Installed;  // by name id
};

}  // namespace

bool ZYNINSRemovalClosure(ZYNINSRemovalSet &removal, const ZYNINSRemovalRules &rules, bool followDependents,
                          char (*names)[ZYNINSNameWidth], unsigned int n) {
  return Closure(removal, rules, followDependents).Run(names, n);
}
