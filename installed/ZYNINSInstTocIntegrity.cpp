// The integrity check of an installed catalogue: lone frameworks and FSPs, control files,
// prerequisites and co-requisites.
#include <string>

#include "ZYNINSControlFiles.h"
#include "ZYNINSDiag.h"
#include "ZYNINSGuard.h"
#include "ZYNINSInstIndex.h"
#include "ZYNINSInstToc.h"
#include "ZYNINSNameTable.h"
#include "ZYNSystem.h"

int ZYNINSInstToc::CheckIntegrity(std::ostream &out, char *root) {
  // The integrity of a catalogue that did not load is not shown, nor of one whose check was cut short.
  if (_NbToc < 0) return 0;
  return ZYNINSGuardedOutput(out, 0, [&] {
  int result = 1;

  // 1. Frameworks no product or configuration requires, whatever the types.
  ZYNINSNameTable productPrereqs;
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() != ZYNINSPRD && entry.GetPkg() != ZYNINSSLT) continue;
    for (int k = 0; k < entry.GetNbPrereq(); ++k) productPrereqs.InternField(entry.GetPrereq(k));
  }
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() != ZYNINSFWK || productPrereqs.FindField(entry.GetName()) >= 0) continue;
    ZYNINSReport("CheckIntegrity.Alonefwk", "%s :alone Framework (no SLT or PRD prereqs it)\n",
                 {entry.GetName()}, &out);
    result = 0;
  }

  // 2. FSPs that no service pack names as the required half of a pair.
  ZYNINSNameTable servicePackRequired;
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() != ZYNINSSPK) continue;
    for (int k = 0; k < entry.GetNbIfreq(); ++k) servicePackRequired.InternField(entry.GetIfreq(k)->GetReqName());
  }
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() != ZYNINSFSP || servicePackRequired.FindField(entry.GetName()) >= 0) continue;
    ZYNINSReport("CheckIntegrity.Alonefsp", "%s :alone FSP (no SPK prereqs it)\n", {entry.GetName()}, &out);
    result = 0;
  }

  // 3. Each unit's file in the control directory.
  if (root != nullptr) {
    ZYNINSControlFiles control(std::string(root) + ZYNPathSeparator + "control" + ZYNPathSeparator, _NbToc);
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
      if (_InstIndex->KnowsField(entry.GetType(), entry.GetPrereq(k))) continue;
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
      if (!_InstIndex->KnowsField(entry.GetType(), pair->GetCondName())) continue;
      if (_InstIndex->KnowsField(entry.GetType(), pair->GetReqName())) continue;
      ZYNINSReport("CheckIntegrity.Prereq", "%s is a corequisite of %s, but is not installed\n",
                   {pair->GetReqName(), entry.GetName()}, &out);
      result = 2;
    }
  }
  return result;
  });
}
