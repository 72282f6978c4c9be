// Name tables over the installed catalogue's name lists.
#include "ZYNINSInstIndex.h"

bool ZYNINSInstIndex::AddInstalled(int type, const char *name) {
  bool added = false;
  if (IsEntryType(type)) _Installed[type].Intern(name, &added);
  return added;
}

bool ZYNINSInstIndex::AddSuperseded(int type, const char *name) {
  bool added = false;
  if (IsEntryType(type)) _Superseded[type].Intern(name, &added);
  return added;
}

bool ZYNINSInstIndex::HasInstalled(int type, const char *name) const {
  return IsEntryType(type) && _Installed[type].Find(name) >= 0;
}

bool ZYNINSInstIndex::HasSuperseded(int type, const char *name) const {
  return IsEntryType(type) && _Superseded[type].Find(name) >= 0;
}

void ZYNINSInstIndex::ClearSuperseded() {
  _Superseded[0].Clear();
  _Superseded[1].Clear();
}
