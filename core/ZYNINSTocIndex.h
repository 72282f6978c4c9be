// Name lookups over a catalogue's entry table, built once so that lookups and the
// reverse relations need no scan of the table. Every answer is the one the scan
// in table order gives: first matches are the lowest positions, lists ascend.
#ifndef ZYNINSTocIndex_h
#define ZYNINSTocIndex_h

#include <string>
#include <unordered_map>
#include <vector>

#include "ZYNINSToc.h"

class ZYNINSTocIndex {
 public:
  ZYNINSTocIndex(const ZYNINSUnitToc *entries, int nbEntries);

  // Position of the first entry of that name and type, or -1.
  int First(const char *name, ZYNINSType type) const;
  // Ascending positions of the entries of that type whose list names the unit.
  const std::vector<int> &Superseding(const char *name, ZYNINSType type) const;
  const std::vector<int> &Prerequing(const char *name, ZYNINSType type) const;
  const std::vector<int> &Ifrequing(const char *name, ZYNINSType type) const;

 private:
  using Positions = std::unordered_map<std::string, std::vector<int>>;
  static const std::vector<int> &Find(const Positions &map, const char *name);
  static void Note(Positions &map, const char *name, int position);

  std::unordered_map<std::string, int> _First[2];
  Positions _Superseding[2];
  Positions _Prerequing[2];
  Positions _Ifrequing[2];
};

#endif
