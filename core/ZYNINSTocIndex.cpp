// Building the name lookups of a catalogue and answering them.
#include "ZYNINSTocIndex.h"

#include "ZYNINSNames.h"

ZYNINSTocIndex::ZYNINSTocIndex(const ZYNINSUnitToc *entries, int nbEntries)
    : _Names(static_cast<std::size_t>(nbEntries) * 2), _EntryNameId(static_cast<std::size_t>(nbEntries), -1) {
  for (int i = 0; i < nbEntries; ++i) {
    const ZYNINSUnitToc &entry = entries[i];
    if (!ZYNINSIsEntryType(entry.GetType())) continue;
    int t = entry.GetType();
    int id = _Names.Intern(entry.GetName());
    _EntryNameId[static_cast<std::size_t>(i)] = id;
    if (static_cast<std::size_t>(id) >= _First[t].size()) _First[t].resize(id + 1, -1);
    if (_First[t][id] < 0) _First[t][id] = i;
    for (int k = 0; k < entry.GetNbSupersede(); ++k) _Superseding[t].Note(_Names.Intern(entry.GetSupersede(k)), i);
    for (int k = 0; k < entry.GetNbPrereq(); ++k) _Prerequing[t].Note(_Names.Intern(entry.GetPrereq(k)), i);
    for (int k = 0; k < entry.GetNbIfreq(); ++k)
      _Ifrequing[t].Note(_Names.Intern(entry.GetIfreq(k)->GetReqName()), i);
  }
  for (int t = 0; t < 2; ++t) {
    _First[t].resize(_Names.Count(), -1);
    _Superseding[t].Build(_Names.Count());
    _Prerequing[t].Build(_Names.Count());
    _Ifrequing[t].Build(_Names.Count());
  }
}

void ZYNINSTocIndex::Relation::Build(std::size_t nbNames) {
  // A counting sort by name id keeps the table order of the positions.
  start.assign(nbNames + 1, 0);
  for (const auto &noted : pending) ++start[noted.first + 1];
  for (std::size_t id = 0; id < nbNames; ++id) start[id + 1] += start[id];
  positions.assign(pending.size(), 0);
  std::vector<int> next(start.begin(), start.end() - 1);
  std::vector<int> end(start.begin() + 1, start.end());
  for (const auto &noted : pending) {
    int &at = next[noted.first];
    // An entry naming the unit twice is listed once.
    if (at > start[noted.first] && positions[at - 1] == noted.second) {
      --end[noted.first];
      continue;
    }
    positions[at++] = noted.second;
  }
  // Close the gaps left by repeated names.
  std::size_t kept = 0;
  for (std::size_t id = 0; id < nbNames; ++id) {
    int from = start[id];
    start[id] = static_cast<int>(kept);
    for (int k = from; k < end[id]; ++k) positions[kept++] = positions[k];
  }
  start[nbNames] = static_cast<int>(kept);
  positions.resize(kept);
  pending.clear();
  pending.shrink_to_fit();
}

ZYNINSTocIndex::Positions ZYNINSTocIndex::Find(const Relation (&relation)[2], int id, ZYNINSType type) const {
  if (id < 0 || !ZYNINSIsEntryType(type)) return Positions(nullptr, nullptr);
  const Relation &ofType = relation[type];
  const int *base = ofType.positions.data();
  return Positions(base + ofType.start[id], base + ofType.start[id + 1]);
}

int ZYNINSTocIndex::First(int id, ZYNINSType type) const {
  return id < 0 || !ZYNINSIsEntryType(type) ? -1 : _First[type][static_cast<std::size_t>(id)];
}
