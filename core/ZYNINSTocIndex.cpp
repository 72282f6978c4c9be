// Building the name lookups of a catalogue and answering them.
#include "ZYNINSTocIndex.h"

#include "ZYNINSNames.h"

namespace {
const std::vector<int> kNone;
}  // namespace

ZYNINSTocIndex::ZYNINSTocIndex(const ZYNINSUnitToc *entries, int nbEntries) {
  for (int i = 0; i < nbEntries; ++i) {
    const ZYNINSUnitToc &entry = entries[i];
    if (!ZYNINSIsEntryType(entry.GetType())) continue;
    int t = entry.GetType();
    _First[t].emplace(ZYNINSNameText(entry.GetName()), i);
    for (int k = 0; k < entry.GetNbSupersede(); ++k) Note(_Superseding[t], entry.GetSupersede(k), i);
    for (int k = 0; k < entry.GetNbPrereq(); ++k) Note(_Prerequing[t], entry.GetPrereq(k), i);
    for (int k = 0; k < entry.GetNbIfreq(); ++k) Note(_Ifrequing[t], entry.GetIfreq(k)->GetReqName(), i);
  }
}

void ZYNINSTocIndex::Note(Positions &map, const char *name, int position) {
  std::vector<int> &positions = map[ZYNINSNameText(name)];
  // An entry naming the unit twice is listed once.
  if (positions.empty() || positions.back() != position) positions.push_back(position);
}

const std::vector<int> &ZYNINSTocIndex::Find(const Positions &map, const char *name) {
  auto found = map.find(ZYNINSNameText(name));
  return found == map.end() ? kNone : found->second;
}

int ZYNINSTocIndex::First(const char *name, ZYNINSType type) const {
  if (!ZYNINSIsEntryType(type)) return -1;
  auto found = _First[type].find(ZYNINSNameText(name));
  return found == _First[type].end() ? -1 : found->second;
}

const std::vector<int> &ZYNINSTocIndex::Superseding(const char *name, ZYNINSType type) const {
  return ZYNINSIsEntryType(type) ? Find(_Superseding[type], name) : kNone;
}

const std::vector<int> &ZYNINSTocIndex::Prerequing(const char *name, ZYNINSType type) const {
  return ZYNINSIsEntryType(type) ? Find(_Prerequing[type], name) : kNone;
}

const std::vector<int> &ZYNINSTocIndex::Ifrequing(const char *name, ZYNINSType type) const {
  return ZYNINSIsEntryType(type) ? Find(_Ifrequing[type], name) : kNone;
}
