// The integrity check of an installed catalogue: lone frameworks and FSPs, control files,
// prerequisites and co-requisites.
#include <string>
#include <unordered_set>

#include "ZYNINSDiag.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSLimits.h"
#include "ZYNINSNames.h"
#include "ZYNSystem.h"

namespace {

using NameSet = std::unordered_set<std::string>;

// Whether a unit name can be a file of the control directory itself: one that holds a separator
// or names a directory would have the check test a path elsewhere. ("" would name the control
// directory.)
bool IsControlFileName(const std::string &name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

}  // namespace

int ZYNINSInstToc::CheckIntegrity(std::ostream &out, char *root) {
  // The integrity of a catalogue that did not load is not shown.
  if (_NbToc < 0) return 0;
  int result = 1;

  // 1. Frameworks no product or configuration requires, whatever the types.
  NameSet productPrereqs;
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() != ZYNINSPRD && entry.GetPkg() != ZYNINSSLT) continue;
    for (int k = 0; k < entry.GetNbPrereq(); ++k) productPrereqs.insert(ZYNINSNameText(entry.GetPrereq(k)));
  }
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() != ZYNINSFWK || productPrereqs.count(ZYNINSNameText(entry.GetName()))) continue;
    ZYNINSReport("CheckIntegrity.Alonefwk", "%s :alone Framework (no SLT or PRD prereqs it)\n",
                 {entry.GetName()}, &out);
    result = 0;
  }

  // 2. FSPs that no service pack names as the required half of a pair.
  NameSet servicePackRequired;
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() != ZYNINSSPK) continue;
    for (int k = 0; k < entry.GetNbIfreq(); ++k)
      servicePackRequired.insert(ZYNINSNameText(entry.GetIfreq(k)->GetReqName()));
  }
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() != ZYNINSFSP || servicePackRequired.count(ZYNINSNameText(entry.GetName()))) continue;
    ZYNINSReport("CheckIntegrity.Alonefsp", "%s :alone FSP (no SPK prereqs it)\n", {entry.GetName()}, &out);
    result = 0;
  }

  // 3. Each unit's file in the control directory.
  if (root != nullptr) {
    std::string control = std::string(root) + ZYNPathSeparator + "control" + ZYNPathSeparator;
    for (int i = 0; i < _NbToc; ++i) {
      std::string name = ZYNINSNameText(_Entries[i].GetName());
      std::string path = control + name;
      // A path too long for the platform's buffer, or a name that leads out of the control
      // directory, is not tested and counts as not found.
      if (IsControlFileName(name) && path.size() < ZYNINSPathRoom && ZYNFileAccess(path.c_str(), 0) == 0) continue;
      ZYNINSReport("CheckIntegrity.FilenotFound", "%s : file not found, possible trouble in case of removal\n",
                   {path}, &out);
      result = 0;
    }
  }

  // 4. Prerequisites neither installed nor superseded by an installed unit.
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    for (int k = 0; k < entry.GetNbPrereq(); ++k) {
      if (IsInstalled(entry.GetPrereq(k), entry.GetType()) != -1) continue;
      ZYNINSReport("CheckIntegrity.Prereq", "%s is a prerequisite of %s, but is not installed\n",
                   {entry.GetPrereq(k), entry.GetName()}, &out);
      result = 0;
    }
  }

  // 5. Co-requisites of installed conditions; service packs below the current level are superseded.
  int currentLevel = GetSPKLevel(1);
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() == ZYNINSSPK && entry.GetSPKLevel() < currentLevel) continue;
    for (int k = 0; k < entry.GetNbIfreq(); ++k) {
      ZYNINSIfreqPair *pair = entry.GetIfreq(k);
      if (IsInstalled(pair->GetCondName(), entry.GetType()) == -1) continue;
      if (IsInstalled(pair->GetReqName(), entry.GetType()) != -1) continue;
      ZYNINSReport("CheckIntegrity.Prereq", "%s is a corequisite of %s, but is not installed\n",
                   {pair->GetReqName(), entry.GetName()}, &out);
      result = 2;
    }
  }
  return result;
}
