#include <cstring>

#include "ZYNINSDiag.h"
#include "ZYNINSToc.h"

int ZYNINSToc::SetOS() {
  if (_NbToc <= 0) return 1;
  memcpy(_OS, _Entries[0].GetOS(), sizeof _OS);
  for (int i = 1; i < _NbToc; ++i) {
    ZYNINSUnitToc &entry = _Entries[i];
    if (strcmp(entry.GetOS(), _OS) != 0 && entry.GetType() == ZYNINSCode) {
      ZYNINSReport("SetOS.Error",
                   "ZYNINSToc::SetOS: Operating system mismatch on line number %d from file %s:\n"
                   "%s operating system expected, and %s operating system found\n",
                   {i + 1, _FileName, _OS, entry.GetOS()});
      return 0;
    }
  }
  return 1;
}

int ZYNINSToc::SetGALevel() {
  if (_NbToc <= 0) return 1;
  memcpy(_GALevel, _Entries[0].GetGALevel(), sizeof _GALevel);
  for (int i = 1; i < _NbToc; ++i) {
    ZYNINSUnitToc &entry = _Entries[i];
    if (strcmp(entry.GetGALevel(), _GALevel) != 0) {
      ZYNINSReport("SetGALevel.Error",
                   "ZYNINSToc::SetGALevel:GA level mismatch on line number %d from file %s:\n"
                   "%s GA level expected, and %s GA level found\n",
                   {i + 1, _FileName, _GALevel, entry.GetGALevel()});
      return 0;
    }
  }
  return 1;
}

void ZYNINSToc::SetSPKLevel() {
  _SPKLevel = 0;
  _PrevSPKLevel = 0;
  for (int i = 0; i < _NbToc; ++i) {
    const ZYNINSUnitToc &entry = _Entries[i];
    if (entry.GetPkg() == ZYNINSSPK && entry.GetSPKLevel() > _SPKLevel) {
      _PrevSPKLevel = _SPKLevel;
      _SPKLevel = entry.GetSPKLevel();
    }
  }
}

char *ZYNINSToc::GetOS() { return _OS; }

char *ZYNINSToc::GetGALevel() { return _GALevel; }

int ZYNINSToc::GetSPKLevel(int which) const { return which == 1 ? _SPKLevel : _PrevSPKLevel; }
