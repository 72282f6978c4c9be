// The integrity check of an installed catalogue: lone frameworks and FSPs, control files,
// prerequisites and co-requisites.
#include <string>
#include <unordered_set>

#include "ZYNINSControlFiles.h"
#include "ZYNINSDiag.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSNames.h"
#include "ZYNSystem.h"

namespace {

using NameSet = std::unordered_set<std::string>;

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
    ZYNINSControlFiles control(std::string(root) + ZYNPathSeparator + "control" + ZYNPathSeparator);
    for (int i = 0; i < _NbToc; ++i) {
      const char *name = _Entries[i].GetName();
      if (control.Has(name)) continue;
      ZYNINSReport("CheckIntegrity.FilenotFound", "%s : file not found, possible trouble in case of removal\n",
                   {control.PathOf(name)}, &out);
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
