// Installation planning on a medium: closure of the requested units over prerequisites,
// superseding substitutes and conditional requisites, pass by pass.
#include <algorithm>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSExplain.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSLimits.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSObserved.h"
#include "ZYNINSPendingRequisites.h"
#include "ZYNINSPlanLists.h"
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

// The lookups and the tables are protected; naming them through a derived class reaches
// them for the planner without widening the public class.
struct MediaAccess : ZYNINSMediaToc {
  static const ZYNINSUnitToc *Entries(const ZYNINSMediaToc &toc) { return toc.*&MediaAccess::_Entries; }
  static const ZYNINSPrefixToc *Prefixes(const ZYNINSMediaToc &toc) { return toc.*&MediaAccess::_Prefix; }
  static const char *OS(const ZYNINSMediaToc &toc) { return toc.*&MediaAccess::_OS; }
  static const char *GALevel(const ZYNINSMediaToc &toc) { return toc.*&MediaAccess::_GALevel; }
  static bool AllFix(const ZYNINSMediaToc &toc) { return toc.*&MediaAccess::_AllFix == 1; }
  static int Index(const ZYNINSMediaToc &toc, char *name, ZYNINSType type) {
    return (toc.*&MediaAccess::GetIndex)(name, type);
  }
  static int OneSuperseding(const ZYNINSMediaToc &toc, const char *name, ZYNINSType type) {
    return (toc.*&MediaAccess::GetOneSuperseding)(name, type);
  }
};

// Media sizes count in KiB; code units carry a fixed overhead; zarn units none. The total
// has saturated below the failure value, so neither step can reach it.
unsigned int PlannedSize(unsigned int total, ZYNINSType type, bool mediaSwitch) {
  if (total == 0) return 0;
  if (mediaSwitch) return total / ZYNINSKiB + 1;
  if (type == ZYNINSCode) return ZYNINSAddSize(total, ZYNINSCodeUnitOverhead);
  return total;
}

// One installation plan of one entry type on one medium, checked against an installation
// when there is one. In lenient mode (the media switch) missing prerequisites are ignored
// and every conditional requisite fires.
class InstallPlan {
 public:
  InstallPlan(const ZYNINSMediaToc &media, ZYNINSInstToc *installed, ZYNINSType type, bool mediaSwitch)
      : _Media(media),
        _Installed(installed),
        _Type(type),
        _TypeName(ZYNINSTypeName(type)),
        _MediaSwitch(mediaSwitch),
        _Usable(media.GetNbToc() > 0),
        _Entries(MediaAccess::Entries(media)),
        _Prefixes(MediaAccess::Prefixes(media)) {}

  // Checks the medium against the installation, then runs the passes. False when the
  // plan failed; every reason has been reported.
  bool Plan(char (*names)[ZYNINSNameWidth], unsigned int n) { return LevelsMatch() && Passes(names, n); }

  // The table positions of the units to install, by sequence number, then by position:
  // units that share a number are all installed, in table order.
  std::vector<int> InstallOrder() const {
    std::vector<int> positions = _ToInstall.Items();
    const ZYNINSPrefixToc *prefixes = _Prefixes;
    std::sort(positions.begin(), positions.end(), [prefixes](int a, int b) {
      int numberA = prefixes[a].GetIndexI(), numberB = prefixes[b].GetIndexI();
      return numberA != numberB ? numberA < numberB : a < b;
    });
    return positions;
  }

 private:
  // A medium of another OS or GA level is never installed onto the installation.
  bool LevelsMatch() const {
    if (!_Installed) return true;
    const char *os = MediaAccess::OS(_Media);
    const char *gaLevel = MediaAccess::GALevel(_Media);
    if (strncmp(os, _Installed->GetOS(), ZYNINSLevelWidth) != 0) {
      ZYNINSReport("GetSize.Error_BadOS",
                   "Invalid Media: it's forbidden to install %s operating system data onto %s operating system "
                   "installation\n",
                   {LevelText(os), LevelText(_Installed->GetOS())});
      return false;
    }
    if (strncmp(gaLevel, _Installed->GetGALevel(), ZYNINSLevelWidth) != 0) {
      ZYNINSReport("GetSize.Error_BadGALevel",
                   "Invalid Media: it's forbidden to install %s GA level data onto %s GA level installation\n",
                   {LevelText(gaLevel), LevelText(_Installed->GetGALevel())});
      return false;
    }
    return true;
  }

  static std::string LevelText(const char *level) { return std::string(level, strnlen(level, ZYNINSLevelWidth)); }

  bool Passes(char (*names)[ZYNINSNameWidth], unsigned int n) {
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
  bool ScanName(const std::string &name) {
    int installedAs = IsInstalled(name);
    if (installedAs != -1) {
      if (_Passes.FirstPass()) ReportInstalled(name, installedAs);
      return true;
    }
    if (_Passes.Scanned.Contains(name)) return true;
    int position = Find(name);
    if (position == -1) return NotOnMedium(name);
    const ZYNINSUnitToc &entry = _Entries[position];
    if (!FixPrerequisiteFound(entry, name) || !ServicePackFits(entry) || !FrameworkServicePackNeeded(entry))
      return true;
    return Take(position, name);
  }

  void ReportInstalled(const std::string &name, int installedAs) const {
    if (std::ostream *diag = ZYNINSDiagStream()) *diag << name << ' ' << _TypeName;
    if (installedAs == 0)
      ZYNINSReport("GetSize.Msg_AlreadyInstalled", "%s %s : already installed software\n", {name, _TypeName});
    else
      ZYNINSReport("GetSize.Msg_SupersededSoftware", "%s %s : superseded software\n", {name, _TypeName});
  }

  // A requested name must be on the medium. A later one may be replaced by a unit that
  // supersedes it; else it is a missing prerequisite, which lenient mode ignores.
  bool NotOnMedium(const std::string &name) {
    if (_Passes.FirstPass()) {
      ZYNINSReport("GetSize.Msg_ProductNotfound", "%s %s is not found on the media\n", {name, _TypeName});
      _Refused = true;
    } else {
      int superseding = _Usable ? MediaAccess::OneSuperseding(_Media, name.c_str(), _Type) : -1;
      if (superseding != -1) {
        if (!ZYNINSBoundedAdd(kSubstituteFull, _Passes.Next, ZYNINSNameText(_Entries[superseding].GetName())))
          return false;
        if (_Observer) _Observer->StandsInFor(_Entries[superseding].GetName(), name.c_str());
      } else if (!_MediaSwitch) {
        ZYNINSReport("GetSize.Msg_PrereqNotfound", "Prerequisite %s %s is not found\n", {name, _TypeName});
        _Refused = true;
      }
    }
    return Examine(name, kScannedFull);
  }

  // On a medium of fixes only, a requested fix whose first prerequisite is missing from
  // the installation is left out with a warning.
  bool FixPrerequisiteFound(const ZYNINSUnitToc &entry, const std::string &name) {
    if (!_Passes.FirstPass() || !MediaAccess::AllFix(_Media) || _MediaSwitch || entry.GetNbPrereq() == 0) return true;
    std::string prereq = ZYNINSNameText(entry.GetPrereq(0));
    if (IsInstalled(prereq) != -1) return true;
    ZYNINSReport("GetSize.Msg_PrereqNotfound",
                 "%s which is a prerequisite of %s has not been found.\nThough you required to install %s, "
                 "it will not be installed.\nContinuing...",
                 {prereq, name, name});
    return false;
  }

  // A service pack needs an installation whose current level it does not lower.
  bool ServicePackFits(const ZYNINSUnitToc &entry) {
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
  bool FrameworkServicePackNeeded(const ZYNINSUnitToc &entry) {
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
  bool Take(int position, const std::string &name) {
    const ZYNINSUnitToc &entry = _Entries[position];
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
  bool Examine(const std::string &name, const ZYNINSPlanFault &whenFull) {
    ZYNINSNameWorkList::AddResult added = _Passes.Scanned.Add(name);
    if (added == ZYNINSNameWorkList::Full) return ZYNINSPlanFails(whenFull);
    if (added == ZYNINSNameWorkList::Added) _Pending.Examined(name);
    return true;
  }

  // A requisite fires once its condition is installed, superseded or examined here.
  bool FireRequisites() {
    std::vector<std::string> conditions;
    std::vector<std::string> firing = _Pending.TakeFiring(_Observer ? &conditions : nullptr);
    for (std::size_t k = 0; k < firing.size(); ++k) {
      if (!ZYNINSBoundedAdd(kFiredFull, _Passes.Next, firing[k])) return false;
      if (_Observer) TellFired(firing[k], conditions[k]);
    }
    return true;
  }

  void TellFired(const std::string &required, const std::string &condition) {
    // Only lenient mode fires a pair whose condition is neither installed nor examined.
    bool lenient = IsInstalled(condition) == -1 && !_Passes.Scanned.Contains(condition);
    const std::string &holder = _Holders[condition + '/' + required];
    _Observer->ConditionalRequisite(required.c_str(), holder.c_str(), condition.c_str(), lenient);
  }

  int IsInstalled(const std::string &name) const {
    return _Installed ? _Installed->IsInstalled(name.c_str(), _Type) : -1;
  }

  int Find(const std::string &name) const {
    if (!_Usable) return -1;
    char field[ZYNINSNameWidth + 1] = {};
    name.copy(field, ZYNINSNameWidth);
    return MediaAccess::Index(_Media, field, _Type);
  }

  const ZYNINSMediaToc &_Media;
  ZYNINSInstToc *const _Installed;
  const ZYNINSType _Type;
  const char *const _TypeName;
  const bool _MediaSwitch;
  const bool _Usable;  // a medium whose load failed is seen as an empty one
  const ZYNINSUnitToc *const _Entries;
  const ZYNINSPrefixToc *const _Prefixes;

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

}  // namespace

unsigned int ZYNINSMediaToc::GetSize(char (*names)[ZYNINSNameWidth], unsigned int n, ZYNINSType type, int mediaSwitch,
                                     unsigned int *count, char (*&list)[ZYNINSNameWidth],
                                     ZYNINSInstToc *installed) const {
  if (!ZYNINSRequestFits(n, kTooMany)) return ZYNINSFailed;
  if (n > 0 && !names) {
    ZYNINSReport("GetSize.Error_NoNames", "ZYNINSMediaToc::GetSize: %s names requested without a name list\n",
                 {std::to_string(n)});
    return ZYNINSFailed;
  }

  InstallPlan plan(*this, installed, type, mediaSwitch != 0);
  if (!plan.Plan(names, n)) return ZYNINSFailed;

  // The install list in sequence order, one block the caller releases.
  std::vector<int> positions = plan.InstallOrder();
  char(*result)[ZYNINSNameWidth] = new char[positions.size()][ZYNINSNameWidth];
  unsigned int total = 0;
  for (size_t i = 0; i < positions.size(); ++i) {
    const ZYNINSUnitToc &entry = _Entries[positions[i]];
    memcpy(result[i], entry.GetName(), ZYNINSNameWidth);
    total = ZYNINSAddSize(total, mediaSwitch != 0 ? _Prefix[positions[i]].GetMediaSize() : entry.GetSize());
  }
  if (count) *count = static_cast<unsigned int>(positions.size());
  list = result;
  return PlannedSize(total, type, mediaSwitch != 0);
}
