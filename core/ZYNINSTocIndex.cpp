// Building the name lookups of a catalogue and answering them.
#include "ZYNINSTocIndex.h"

#include "ZYNINSNames.h"

ZYNINSTocIndex::ZYNINSTocIndex(const ZYNINSUnitToc *entries, int nbEntries)
    : _Names(static_cast<std::size_t>(nbEntries) * 2), _EntryNameId(static_cast<std::size_t>(nbEntries), -1) {
  for (int i = 0; i < nbEntries; ++i) {
    const ZYNINSUnitToc &entry = entries[i];
    if (!ZYNINSIsEntryType(entry.GetType())) continue;
    int t = entry.GetType();
    int id = _Names.InternField(entry.GetName());
    _EntryNameId[static_cast<std::size_t>(i)] = id;
    if (static_cast<std::size_t>(id) >= _First[t].size()) _First[t].resize(id + 1, -1);
    if (_First[t][id] < 0) _First[t][id] = i;
    for (int k = 0; k < entry.GetNbSupersede(); ++k)
      _Superseding[t].Note(_Names.InternField(entry.GetSupersede(k)), i);
    for (int k = 0; k < entry.GetNbPrereq(); ++k) _Prerequing[t].Note(_Names.InternField(entry.GetPrereq(k)), i);
    for (int k = 0; k < entry.GetNbIfreq(); ++k)
      _Ifrequing[t].Note(_Names.InternField(entry.GetIfreq(k)->GetReqName()), i);
  }
  for (int t = 0; t < ZYNINSNbEntryTypes; ++t) {
    _First[t].resize(_Names.Count(), -1);
    _Superseding[t].Build(_Names.Count());
    _Prerequing[t].Build(_Names.Count());
    _Ifrequing[t].Build(_Names.Count());
  }
}

void ZYNINSTocIndex::Relation::Build(std::size_t nbNames) {
  // A relation nobody is in (all of a type that the table does not hold) needs no table.
  if (pending.empty()) return;
  // An entry naming the unit twice is listed once: its repeats follow its first mention,
  // with no other position of the same name between them.
  std::vector<int> last(nbNames, -1);  // the last position noted for each name
  std::size_t kept = 0;
  for (const auto &noted : pending) {
    int &previous = last[static_cast<std::size_t>(noted.first)];
    if (previous == noted.second) continue;
    previous = noted.second;
    pending[kept++] = noted;
  }
  pending.resize(kept);
  // A counting sort by name id keeps the table order of the positions.
  start.assign(nbNames + 1, 0);
  for (const auto &noted : pending) ++start[noted.first + 1];
  for (std::size_t id = 0; id < nbNames; ++id) start[id + 1] += start[id];
  positions.assign(pending.size(), 0);
  std::vector<int> &next = last;  // reused: where the next position of each name goes
  next.assign(start.begin(), start.end() - 1);
  for (const auto &noted : pending) positions[static_cast<std::size_t>(next[noted.first]++)] = noted.second;
  pending.clear();
  pending.shrink_to_fit();
}

ZYNINSTocIndex::Positions ZYNINSTocIndex::Find(const Relation (&relation)[ZYNINSNbEntryTypes], int id,
                                               ZYNINSType type) const {
  if (id < 0 || !ZYNINSIsEntryType(type)) return Positions(nullptr, nullptr);
  const Relation &ofType = relation[type];
  if (ofType.start.empty()) return Positions(nullptr, nullptr);
  const int *base = ofType.positions.data();
  return Positions(base + ofType.start[id], base + ofType.start[id + 1]);
}

int ZYNINSTocIndex::First(int id, ZYNINSType type) const {
  return id < 0 || !ZYNINSIsEntryType(type) ? -1 : _First[type][static_cast<std::size_t>(id)];
}
