// Installation planning on a medium: the requested units with all they bring, and the space
// they need.
//
// 1. Levels: a medium of another OS or GA level than the installation is refused whole.
// 2. The passes: a pass scans names, the request first. An installed or superseded name needs
//    nothing (a requested one is reported). A name on the medium is taken, unless it is a
//    fix whose first prerequisite is not installed, on a medium of fixes only (left out with
//    a warning), a service pack below the installation's level (refused) or a framework
//    service pack below its framework's level (left out). A taken unit's prerequisites are
//    scanned next pass; what it supersedes needs no scan; its conditional requisites wait.
//    A pass that refused a name fails the plan once all its names are reported.
// 3. Substitutes: a requested name must be on the medium; a later one that is not is
//    replaced by a unit that supersedes it, else it is a missing prerequisite, which refuses
//    the plan unless lenient.
// 4. Conditional requisites: at the end of each pass, those whose condition is installed,
//    superseded or examined are scanned next pass; in lenient mode (the media switch) every
//    one is. The plan ends with a pass that finds nothing new.
// 5. The answer: the units taken, in sequence order, and their total size.
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSExplain.h"
#include "ZYNINSGuard.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSLimits.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSObserved.h"
#include "ZYNINSPendingRequisites.h"
#include "ZYNINSPlanLists.h"
#include "ZYNINSTocIndex.h"
#include "ZYNINSUnitTocIO.h"

namespace {

const ZYNINSPlanFault kTooMany = {"GetSize.Error_TooMany",
                                  "ZYNINSMediaToc::GetSize: %s names requested, at most 4096 can be planned\n"};

// Internal errors, named after the bound a full list met.
const ZYNINSPlanFault kSupersededFull = {"GetSize.Error_nbscanned",
                                         "ZYNINSMediaToc::GetSize: internal error nbscanned"};
const ZYNINSPlanFault kScannedFull = {"GetSize.Error_nbscanned2", "ZYNINSMediaToc::GetSize: internal error nbscanned2"};
const ZYNINSPlanFault kPrereqFull = {"GetSize.Error_nbtoscanafter",
                                     "ZYNINSMediaToc::GetSize: internal error nbtoscanafter"};
const ZYNINSPlanFault kSubstituteFull = {"GetSize.Error_nbtoscanafter2",
                                         "ZYNINSMediaToc::GetSize: internal error nbtoscanafter2"};
const ZYNINSPlanFault kFiredFull = {"GetSize.Error_nbtoscanafter3",
                                    "ZYNINSMediaToc::GetSize: internal error nbtoscanafter3"};
const ZYNINSPlanFault kInstallFull = {"GetSize.Error_nbtoinstall",
                                      "ZYNINSMediaToc::GetSize: internal error nbtoinstall"};
const ZYNINSPlanFault kPendingFull = {"GetSize.Error_nbifreq", "ZYNINSMediaToc::GetSize: internal error nbifreq"};

// What planning reads of the medium; GetSize hands it over. A medium whose load failed
// is seen as an empty one.
struct MediumTables {
  bool usable;
  const ZYNINSUnitToc *entries;
  const ZYNINSPrefixToc *prefixes;
  const char *os;
  const char *gaLevel;
  bool allFix;  // the medium carries fixes only
  // The medium's name index, which it builds on the first lookup.
  std::function<const ZYNINSTocIndex &()> index;
};

// One installation plan of one entry type on one medium, checked against an installation
// when there is one. In lenient mode (the media switch) missing prerequisites are ignored
// and every conditional requisite fires.
class InstallPlan {
 public:
  InstallPlan(MediumTables medium, ZYNINSInstToc *installed, ZYNINSType type, bool mediaSwitch)
      : _Medium(std::move(medium)),
        _Installed(installed),
        _Type(type),
        _TypeName(ZYNINSTypeName(type)),
        _MediaSwitch(mediaSwitch) {}

  // Checks the medium against the installation, then runs the passes. False when the
  // plan failed; every reason has been reported.
  bool Plan(char (*names)[ZYNINSNameWidth], unsigned int n) { return LevelsMatch() && Passes(names, n); }

  // The table positions of the units to install, by sequence number, then by position:
  // units that share a number are all installed, in table order.
  std::vector<int> InstallOrder() const;

 private:
  bool LevelsMatch() const;
  bool Passes(char (*names)[ZYNINSNameWidth], unsigned int n);
  bool ScanName(const std::string &name);
  void ReportInstalled(const std::string &name, int installedAs) const;
  bool NotOnMedium(const std::string &name);
  bool FixPrerequisiteFound(const ZYNINSUnitToc &entry, const std::string &name);
  bool ServicePackFits(const ZYNINSUnitToc &entry);
  bool FrameworkServicePackNeeded(const ZYNINSUnitToc &entry);
  bool Take(int position, const std::string &name);
  bool Examine(const std::string &name, const ZYNINSPlanFault &whenFull);
  bool FireRequisites();
  void TellFired(const std::string &required, const std::string &condition);
  int IsInstalled(const std::string &name) const;
  int Find(const std::string &name);
  int OneSuperseding(const std::string &name);
  const ZYNINSTocIndex &Index();

  const MediumTables _Medium;
  const ZYNINSTocIndex *_Index = nullptr;  // fetched on the first lookup
  ZYNINSInstToc *const _Installed;
  const ZYNINSType _Type;
  const char *const _TypeName;
  const bool _MediaSwitch;

  // Told why each unit is planned; null leaves planning as it is.
  ZYNINSPlanObserver *const _Observer = ZYNINSObserverInEffect();
  std::unordered_map<std::string, std::string> _Holders;  // condition/required -> the unit that brought it

  bool _Refused = false;
  ZYNINSPassLists<std::string> _Passes;
  // Planned units by table position, never by sequence number: a number may take any
  // 32-bit value, and two units may share one.
  ZYNINSIndexWorkList _ToInstall;
  // Pending and deferred conditional requisites in one: the deferred ones are those still
  // waiting after a pass, so its bound (nbifreqafter) can never be met before nbifreq.
  ZYNINSPendingRequisites _Pending;
};

// Media sizes count in KiB; code units carry a fixed overhead; zarn units none. The total
// has saturated below the failure value, so neither step can reach it.
unsigned int PlannedSize(unsigned int total, ZYNINSType type, bool mediaSwitch) {
  if (total == 0) return 0;
  if (mediaSwitch) return total / ZYNINSKiB + 1;
  if (type == ZYNINSCode) return ZYNINSAddSize(total, ZYNINSCodeUnitOverhead);
  return total;
}

}  // namespace

unsigned int ZYNINSMediaToc::GetSize(char (*names)[ZYNINSNameWidth], unsigned int n, ZYNINSType type, int mediaSwitch,
                                     unsigned int *count, char (*&list)[ZYNINSNameWidth],
                                     ZYNINSInstToc *installed) const {
  // Whatever stops planning (no room, a caller's observer or diagnostic stream) fails it.
  return ZYNINSGuarded(ZYNINSFailed, [&] {
    if (!ZYNINSRequestFits(n, kTooMany)) return ZYNINSFailed;
    if (n > 0 && !names) {
      ZYNINSReport("GetSize.Error_NoNames", "ZYNINSMediaToc::GetSize: %s names requested without a name list\n",
                   {std::to_string(n)});
      return ZYNINSFailed;
    }

    MediumTables medium;
    medium.usable = GetNbToc() > 0;
    medium.entries = _Entries;
    medium.prefixes = _Prefix;
    medium.os = _OS;
    medium.gaLevel = _GALevel;
    medium.allFix = _AllFix == 1;
    medium.index = [this]() -> const ZYNINSTocIndex & { return Index(); };
    InstallPlan plan(std::move(medium), installed, type, mediaSwitch != 0);
    if (!plan.Plan(names, n)) return ZYNINSFailed;

    // The install list in sequence order, one block the caller releases.
    std::vector<int> positions = plan.InstallOrder();
    std::unique_ptr<char[][ZYNINSNameWidth]> result(new char[positions.size()][ZYNINSNameWidth]);
    unsigned int total = 0;
    for (size_t i = 0; i < positions.size(); ++i) {
      const ZYNINSUnitToc &entry = _Entries[positions[i]];
      memcpy(result[i], entry.GetName(), ZYNINSNameWidth);
      total = ZYNINSAddSize(total, mediaSwitch != 0 ? _Prefix[positions[i]].GetMediaSize() : entry.GetSize());
    }
    if (count) *count = static_cast<unsigned int>(positions.size());
    list = result.release();
    return PlannedSize(total, type, mediaSwitch != 0);
  });
}

namespace {

std::string LevelText(const char *level) { return std::string(level, strnlen(level, ZYNINSLevelWidth)); }

// A medium of another OS or GA level is never installed onto the installation.
bool InstallPlan::LevelsMatch() const {
  if (!_Installed) return true;
  if (strncmp(_Medium.os, _Installed->GetOS(), ZYNINSLevelWidth) != 0) {
    ZYNINSReport("GetSize.Error_BadOS",
                 "Invalid Media: it's forbidden to install %s operating system data onto %s operating system "
                 "installation\n",
                 {LevelText(_Medium.os), LevelText(_Installed->GetOS())});
    return false;
  }
  if (strncmp(_Medium.gaLevel, _Installed->GetGALevel(), ZYNINSLevelWidth) != 0) {
    ZYNINSReport("GetSize.Error_BadGALevel",
                 "Invalid Media: it's forbidden to install %s GA level data onto %s GA level installation\n",
                 {LevelText(_Medium.gaLevel), LevelText(_Installed->GetGALevel())});
    return false;
  }
  return true;
}

bool InstallPlan::Passes(char (*names)[ZYNINSNameWidth], unsigned int n) {
  for (_Passes.Start(ZYNINSRequestNames(names, n)); !_Passes.Done(); _Passes.Advance()) {
    for (const std::string &name : _Passes.Scan())
      if (!ScanName(name)) return false;
    // Every name of the pass has been examined and reported before giving up.
    if (_Refused) return false;
    if (!FireRequisites()) return false;
  }
  return true;
}

// False on an internal error only; a refused name sets _Refused.
bool InstallPlan::ScanName(const std::string &name) {
  int installedAs = IsInstalled(name);
  if (installedAs != -1) {
    if (_Passes.FirstPass()) ReportInstalled(name, installedAs);
    return true;
  }
  if (_Passes.Scanned.Contains(name)) return true;
  int position = Find(name);
  if (position == -1) return NotOnMedium(name);
  const ZYNINSUnitToc &entry = _Medium.entries[position];
  if (!FixPrerequisiteFound(entry, name) || !ServicePackFits(entry) || !FrameworkServicePackNeeded(entry))
    return true;
  return Take(position, name);
}

void InstallPlan::ReportInstalled(const std::string &name, int installedAs) const {
  if (std::ostream *diag = ZYNINSDiagStream()) *diag << name << ' ' << _TypeName;
  if (installedAs == 0)
    ZYNINSReport("GetSize.Msg_AlreadyInstalled", "%s %s : already installed software\n", {name, _TypeName});
  else
    ZYNINSReport("GetSize.Msg_SupersededSoftware", "%s %s : superseded software\n", {name, _TypeName});
}

// A requested name must be on the medium. A later one may be replaced by a unit that
// supersedes it; else it is a missing prerequisite, which lenient mode ignores.
bool InstallPlan::NotOnMedium(const std::string &name) {
  if (_Passes.FirstPass()) {
    ZYNINSReport("GetSize.Msg_ProductNotfound", "%s %s is not found on the media\n", {name, _TypeName});
    _Refused = true;
  } else {
    int superseding = OneSuperseding(name);
    if (superseding != -1) {
      const ZYNINSUnitToc &substitute = _Medium.entries[superseding];
      if (!ZYNINSBoundedAdd(kSubstituteFull, _Passes.Next, ZYNINSNameText(substitute.GetName()))) return false;
      if (_Observer) _Observer->StandsInFor(substitute.GetName(), name.c_str());
    } else if (!_MediaSwitch) {
      ZYNINSReport("GetSize.Msg_PrereqNotfound", "Prerequisite %s %s is not found\n", {name, _TypeName});
      _Refused = true;
    }
  }
  return Examine(name, kScannedFull);
}

// On a medium of fixes only, a requested fix whose first prerequisite is missing from
// the installation is left out with a warning.
bool InstallPlan::FixPrerequisiteFound(const ZYNINSUnitToc &entry, const std::string &name) {
  if (!_Passes.FirstPass() || !_Medium.allFix || _MediaSwitch || entry.GetNbPrereq() == 0) return true;
  std::string prereq = ZYNINSNameText(entry.GetPrereq(0));
  if (IsInstalled(prereq) != -1) return true;
  ZYNINSReport("GetSize.Msg_PrereqNotfound",
               "%s which is a prerequisite of %s has not been found.\nThough you required to install %s, "
               "it will not be installed.\nContinuing...",
               {prereq, name, name});
  return false;
}

// A service pack needs an installation whose current level it does not lower.
bool InstallPlan::ServicePackFits(const ZYNINSUnitToc &entry) {
  if (entry.GetPkg() != ZYNINSSPK) return true;
  if (!_Installed) {
    ZYNINSReport("GetSize.Msg_GANotfound", "GA not found.\nThe correct GA must be installed before installing %s\n",
                 {entry.GetLabel()});
    _Refused = true;
    return false;
  }
  if (entry.GetSPKLevel() < _Installed->GetSPKLevel(1)) {
    ZYNINSReport("GetSize.Msg_LowerLevel", "%s is lower than current Service Pack level:%s \n",
                 {entry.GetLabel(), _Installed->GetSPKLevel(1)});
    _Refused = true;
    return false;
  }
  return true;
}

// A framework service pack needs an installation (without one the plan fails silently);
// one below the level its framework already has is left out silently.
bool InstallPlan::FrameworkServicePackNeeded(const ZYNINSUnitToc &entry) {
  if (entry.GetPkg() != ZYNINSFSP) return true;
  if (!_Installed) {
    _Refused = true;
    return false;
  }
  char *framework = entry.GetFrameworkName();
  int frameworkLevel = _Installed->GetMaxSPKLevel(framework);
  delete[] framework;
  return entry.GetSPKLevel() >= frameworkLevel;
}

// The unit is planned: what it supersedes needs no scan, its conditional requisites
// wait for their condition, its prerequisites are scanned next pass.
bool InstallPlan::Take(int position, const std::string &name) {
  const ZYNINSUnitToc &entry = _Medium.entries[position];
  if (!ZYNINSBoundedAdd(kInstallFull, _ToInstall, position)) return false;
  if (_Observer && _Passes.FirstPass()) _Observer->Requested(name.c_str());
  for (int i = 0; i < entry.GetNbSupersede(); ++i)
    if (!Examine(ZYNINSNameText(entry.GetSupersede(i)), kSupersededFull)) return false;
  for (int i = 0; i < entry.GetNbIfreq(); ++i) {
    const ZYNINSIfreqPair &pair = *entry.GetIfreq(i);
    std::string condition = ZYNINSNameText(pair.GetCondName());
    bool met = _MediaSwitch || IsInstalled(condition) != -1;
    if (!ZYNINSBoundedAdd(kPendingFull, _Pending, pair, met, _Passes.Scanned.Contains(condition))) return false;
    // The first unit that brought a waiting pair is the one a firing names.
    if (_Observer) _Holders.emplace(condition + '/' + ZYNINSNameText(pair.GetReqName()), name);
  }
  for (int i = 0; i < entry.GetNbPrereq(); ++i) {
    if (!ZYNINSBoundedAdd(kPrereqFull, _Passes.Next, ZYNINSNameText(entry.GetPrereq(i)))) return false;
    if (_Observer) _Observer->PrerequisiteOf(entry.GetPrereq(i), name.c_str());
  }
  return Examine(name, kScannedFull);
}

// An examined name also releases the requisites that wait on it.
bool InstallPlan::Examine(const std::string &name, const ZYNINSPlanFault &whenFull) {
  ZYNINSNameWorkList::AddResult added = _Passes.Scanned.Add(name);
  if (added == ZYNINSNameWorkList::Full) return ZYNINSPlanFails(whenFull);
  if (added == ZYNINSNameWorkList::Added) _Pending.Examined(name);
  return true;
}

// A requisite fires once its condition is installed, superseded or examined here.
bool InstallPlan::FireRequisites() {
  std::vector<std::string> conditions;
  std::vector<std::string> firing = _Pending.TakeFiring(_Observer ? &conditions : nullptr);
  for (std::size_t k = 0; k < firing.size(); ++k) {
    if (!ZYNINSBoundedAdd(kFiredFull, _Passes.Next, firing[k])) return false;
    if (_Observer) TellFired(firing[k], conditions[k]);
  }
  return true;
}

void InstallPlan::TellFired(const std::string &required, const std::string &condition) {
  // Only lenient mode fires a pair whose condition is neither installed nor examined.
  bool lenient = IsInstalled(condition) == -1 && !_Passes.Scanned.Contains(condition);
  const std::string &holder = _Holders[condition + '/' + required];
  _Observer->ConditionalRequisite(required.c_str(), holder.c_str(), condition.c_str(), lenient);
}

int InstallPlan::IsInstalled(const std::string &name) const {
  return _Installed ? _Installed->IsInstalled(name.c_str(), _Type) : -1;
}

// The position of the first entry of the name, or -1.
int InstallPlan::Find(const std::string &name) {
  if (!_Medium.usable) return -1;
  char field[ZYNINSNameWidth + 1] = {};
  name.copy(field, ZYNINSNameWidth);
  return Index().First(field, _Type);
}

// The position of the first entry that supersedes the name, or -1.
int InstallPlan::OneSuperseding(const std::string &name) {
  if (!_Medium.usable) return -1;
  ZYNINSTocIndex::Positions positions = Index().Superseding(name.c_str(), _Type);
  return positions.empty() ? -1 : positions.front();
}

const ZYNINSTocIndex &InstallPlan::Index() {
  if (!_Index) _Index = &_Medium.index();
  return *_Index;
}

std::vector<int> InstallPlan::InstallOrder() const {
  std::vector<int> positions = _ToInstall.Items();
  const ZYNINSPrefixToc *prefixes = _Medium.prefixes;
  std::sort(positions.begin(), positions.end(), [prefixes](int a, int b) {
    int numberA = prefixes[a].GetIndexI(), numberB = prefixes[b].GetIndexI();
    return numberA != numberB ? numberA < numberB : a < b;
  });
  return positions;
}

}  // namespace
