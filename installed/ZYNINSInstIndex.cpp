// Filling and asking the installed catalogue's name tables.
#include "ZYNINSInstIndex.h"

#include "ZYNINSNames.h"

bool ZYNINSInstIndex::AddInstalled(int type, const char *name, int position) {
  bool added = false;
  if (ZYNINSIsEntryType(type)) _Installed[type].InternField(name, &added);
  if (added) _FirstPosition[type].push_back(position);
  return added;
}

int ZYNINSInstIndex::FirstInstalled(int type, const char *name) const {
  int id = ZYNINSIsEntryType(type) ? _Installed[type].FindField(name) : -1;
  return id < 0 ? -1 : _FirstPosition[type][static_cast<std::size_t>(id)];
}

bool ZYNINSInstIndex::AddSuperseded(int type, const char *name) {
  bool added = false;
  if (ZYNINSIsEntryType(type)) _Superseded[type].InternField(name, &added);
  return added;
}

bool ZYNINSInstIndex::HasInstalled(int type, const char *name) const {
  return ZYNINSIsEntryType(type) && _Installed[type].Find(name) >= 0;
}

bool ZYNINSInstIndex::HasSuperseded(int type, const char *name) const {
  return ZYNINSIsEntryType(type) && _Superseded[type].Find(name) >= 0;
}

bool ZYNINSInstIndex::KnowsField(int type, const char *field) const {
  return ZYNINSIsEntryType(type) && (_Installed[type].FindField(field) >= 0 || _Superseded[type].FindField(field) >= 0);
}

void ZYNINSInstIndex::ClearSuperseded() {
  _Superseded[0].Clear();
  _Superseded[1].Clear();
}

void ZYNINSInstIndex::Reserve(int type, int nbEntries) {
  std::size_t expected = nbEntries > 0 ? static_cast<std::size_t>(nbEntries) : 0;
  if (ZYNINSIsEntryType(type)) {
    _Installed[type].Reserve(expected);
    _FirstPosition[type].reserve(expected);
  }
}
