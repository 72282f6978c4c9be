// Filling and asking the installed catalogue's name sets.
#include "ZYNINSInstIndex.h"

#include "ZYNINSNames.h"

bool ZYNINSInstIndex::AddInstalled(int type, const char *name) {
  return ZYNINSIsEntryType(type) && _Installed[type].insert(ZYNINSNameText(name)).second;
}

bool ZYNINSInstIndex::AddSuperseded(int type, const char *name) {
  return ZYNINSIsEntryType(type) && _Superseded[type].insert(ZYNINSNameText(name)).second;
}

bool ZYNINSInstIndex::HasInstalled(int type, const char *name) const {
  return ZYNINSIsEntryType(type) && _Installed[type].count(ZYNINSNameText(name)) != 0;
}

bool ZYNINSInstIndex::HasSuperseded(int type, const char *name) const {
  return ZYNINSIsEntryType(type) && _Superseded[type].count(ZYNINSNameText(name)) != 0;
}

void ZYNINSInstIndex::ClearSuperseded() {
  _Superseded[0].clear();
  _Superseded[1].clear();
}
