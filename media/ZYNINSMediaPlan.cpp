// Installation planning on a medium: closure of the requested units over prerequisites,
// superseding substitutes and conditional requisites, pass by pass.
#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "ZYNINSDiag.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSLimits.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSPendingRequisites.h"
#include "ZYNINSNames.h"
#include "ZYNINSWorkList.h"
#include "ZYNINSUnitTocIO.h"

namespace {

// A bounded add; a full list is an internal error named after its bound.
void ReportFull(const char *bound) {
  std::string key = std::string("GetSize.Error_") + bound;
  std::string text = std::string("ZYNINSMediaToc::GetSize: internal error ") + bound;
  ZYNINSReport(key.c_str(), text.c_str());
}

template <typename List, typename Item>
bool BoundedAdd(List &list, const Item &item, const char *bound) {
  if (list.Add(item) != List::Full) return true;
  ReportFull(bound);
  return false;
}

bool BoundedAdd(ZYNINSPendingRequisites &pending, const ZYNINSIfreqPair &pair, bool met, bool examined,
                const char *bound) {
  if (pending.Add(pair, met, examined) != ZYNINSPendingRequisites::Full) return true;
  ReportFull(bound);
  return false;
}

// Media sizes count in KiB; code units carry a fixed overhead; zarn units none.
unsigned int PlannedSize(unsigned int total, ZYNINSType type, int mediaSwitch) {
  if (total == 0) return 0;
  unsigned int size = total;
  if (mediaSwitch != 0)
    size = total / ZYNINSKiB + 1;
  else if (type == ZYNINSCode)
    size = total + ZYNINSCodeUnitOverhead;
  // The all-ones value means failure to every caller.
  return size == ZYNINSFailed ? ZYNINSFailed - 1 : size;
}

}  // namespace

unsigned int ZYNINSMediaToc::GetSize(char (*names)[ZYNINSNameWidth], unsigned int n, ZYNINSType type,
                                     int mediaSwitch, unsigned int *count, char (*&list)[ZYNINSNameWidth],
                                     ZYNINSInstToc *installed) const {
  const char *typeName = ZYNINSTypeName(type);

  // A request longer than the working lists is refused rather than cut.
  if (n > ZYNINSListCapacity) {
    ZYNINSReport("GetSize.Error_TooMany",
                 "ZYNINSMediaToc::GetSize: %s names requested, at most 4096 can be planned\n",
                 {std::to_string(n)});
    return ZYNINSFailed;
  }
  if (n > 0 && !names) {
    ZYNINSReport("GetSize.Error_NoNames", "ZYNINSMediaToc::GetSize: %s names requested without a name list\n",
                 {std::to_string(n)});
    return ZYNINSFailed;
  }

  if (installed) {
    if (strncmp(_OS, installed->GetOS(), ZYNINSLevelWidth) != 0) {
      ZYNINSReport("GetSize.Error_BadOS",
                   "Invalid Media: it's forbidden to install %s operating system data onto %s operating system "
                   "installation\n",
                   {std::string(_OS, strnlen(_OS, ZYNINSLevelWidth)), ZYNINSNameText(installed->GetOS())});
      return ZYNINSFailed;
    }
    if (strncmp(_GALevel, installed->GetGALevel(), ZYNINSLevelWidth) != 0) {
      ZYNINSReport("GetSize.Error_BadGALevel",
                   "Invalid Media: it's forbidden to install %s GA level data onto %s GA level installation\n",
                   {std::string(_GALevel, strnlen(_GALevel, ZYNINSLevelWidth)), ZYNINSNameText(installed->GetGALevel())});
      return ZYNINSFailed;
    }
  }

  auto isInstalled = [&](const std::string &name) {
    return installed ? installed->IsInstalled(name.c_str(), type) : -1;
  };

  std::vector<std::string> scan;
  ZYNINSNameWorkList nextPass;
  ZYNINSNameWorkList scanned;
  // Planned units by sequence number, mapped back to the medium's lines at the end.
  ZYNINSIndexWorkList toInstall;
  // Pending and deferred conditional requisites in one: the deferred ones are those still
  // waiting after a pass, so its bound (nbifreqafter) can never be met before nbifreq.
  ZYNINSPendingRequisites pending;
  // Examined names also release the requisites that wait on them.
  auto examine = [&](const std::string &name, const char *bound) {
    ZYNINSNameWorkList::AddResult added = scanned.Add(name);
    if (added == ZYNINSNameWorkList::Full) {
      ReportFull(bound);
      return false;
    }
    if (added == ZYNINSNameWorkList::Added) pending.Examined(name);
    return true;
  };
  bool passOne = true;
  bool success = true;

  scan.reserve(n);
  for (unsigned int i = 0; i < n; ++i) scan.push_back(ZYNINSNameText(names[i]));

  while (!scan.empty()) {
    for (std::string &name : scan) {
      int installedAs = isInstalled(name);
      if (installedAs != -1) {
        if (passOne) {
          if (std::ostream *diag = ZYNINSDiagStream()) *diag << name << ' ' << typeName;
          if (installedAs == 0)
            ZYNINSReport("GetSize.Msg_AlreadyInstalled", "%s %s : already installed software\n", {name, typeName});
          else
            ZYNINSReport("GetSize.Msg_SupersededSoftware", "%s %s : superseded software\n", {name, typeName});
        }
        continue;
      }
      if (scanned.Contains(name)) continue;

      int position = _NbToc > 0 ? GetIndex(&name[0], type) : -1;
      if (position == -1) {
        if (passOne) {
          ZYNINSReport("GetSize.Msg_ProductNotfound", "%s %s is not found on the media\n", {name, typeName});
          success = false;
        } else {
          int superseding = _NbToc > 0 ? GetOneSuperseding(name.c_str(), type) : -1;
          if (superseding != -1) {
            if (!BoundedAdd(nextPass, ZYNINSNameText(_Entries[superseding].GetName()), "nbtoscanafter2"))
              return ZYNINSFailed;
          } else if (mediaSwitch == 0) {
            ZYNINSReport("GetSize.Msg_PrereqNotfound", "Prerequisite %s %s is not found\n", {name, typeName});
            success = false;
          }
        }
        if (!examine(name, "nbscanned2")) return ZYNINSFailed;
        continue;
      }

      const ZYNINSUnitToc &entry = _Entries[position];
      if (passOne && _AllFix == 1 && mediaSwitch == 0 && entry.GetNbPrereq() > 0) {
        std::string prereq = ZYNINSNameText(entry.GetPrereq(0));
        if (isInstalled(prereq) == -1) {
          ZYNINSReport("GetSize.Msg_PrereqNotfound",
                       "%s which is a prerequisite of %s has not been found.\nThough you required to install %s, "
                       "it will not be installed.\nContinuing...",
                       {prereq, name, name});
          continue;
        }
      }
      if (entry.GetPkg() == ZYNINSSPK) {
        if (!installed) {
          ZYNINSReport("GetSize.Msg_GANotfound",
                       "GA not found.\nThe correct GA must be installed before installing %s\n", {entry.GetLabel()});
          success = false;
          continue;
        }
        if (entry.GetSPKLevel() < installed->GetSPKLevel(1)) {
          ZYNINSReport("GetSize.Msg_LowerLevel", "%s is lower than current Service Pack level:%s \n",
                       {entry.GetLabel(), installed->GetSPKLevel(1)});
          success = false;
          continue;
        }
      }
      if (entry.GetPkg() == ZYNINSFSP) {
        if (!installed) {
          success = false;
          continue;
        }
        char *framework = entry.GetFrameworkName();
        int frameworkLevel = installed->GetMaxSPKLevel(framework);
        delete[] framework;
        // The installation already has a newer service pack for that framework.
        if (entry.GetSPKLevel() < frameworkLevel) continue;
      }

      if (!BoundedAdd(toInstall, _Prefix[position].GetIndexI(), "nbtoinstall")) return ZYNINSFailed;
      for (int i = 0; i < entry.GetNbSupersede(); ++i)
        if (!examine(ZYNINSNameText(entry.GetSupersede(i)), "nbscanned")) return ZYNINSFailed;
      for (int i = 0; i < entry.GetNbIfreq(); ++i) {
        const ZYNINSIfreqPair &pair = *entry.GetIfreq(i);
        std::string condition = ZYNINSNameText(pair.GetCondName());
        bool met = mediaSwitch != 0 || isInstalled(condition) != -1;
        if (!BoundedAdd(pending, pair, met, scanned.Contains(condition), "nbifreq")) return ZYNINSFailed;
      }
      for (int i = 0; i < entry.GetNbPrereq(); ++i)
        if (!BoundedAdd(nextPass, ZYNINSNameText(entry.GetPrereq(i)), "nbtoscanafter")) return ZYNINSFailed;
      if (!examine(name, "nbscanned2")) return ZYNINSFailed;
    }

    // Every name of the pass has been examined and reported before giving up.
    if (!success) return ZYNINSFailed;

    // A requisite fires once its condition is installed, superseded or examined here.
    for (const std::string &required : pending.TakeFiring())
      if (!BoundedAdd(nextPass, required, "nbtoscanafter3")) return ZYNINSFailed;
    passOne = false;
    scan = nextPass.Items();
    nextPass.Clear();
  }

  std::vector<int> numbers = toInstall.Items();
  std::sort(numbers.begin(), numbers.end());

  char(*result)[ZYNINSNameWidth] = new char[numbers.size()][ZYNINSNameWidth];
  unsigned int total = 0;
  for (size_t i = 0; i < numbers.size(); ++i) {
    int position = GetIndexI(numbers[i]);  // every number came from a line of this medium
    const ZYNINSUnitToc &entry = _Entries[position];
    memcpy(result[i], entry.GetName(), ZYNINSNameWidth);
    total += mediaSwitch != 0 ? _Prefix[position].GetMediaSize() : entry.GetSize();
  }
  if (count) *count = static_cast<unsigned int>(numbers.size());
  list = result;

  return PlannedSize(total, type, mediaSwitch);
}
