// Name lookups over a catalogue's entry table, built once so that lookups and the
// reverse relations need no scan of the table. Every answer is the one the scan
// in table order gives: first matches are the lowest positions, lists ascend.
#ifndef ZYNINSTocIndex_h
#define ZYNINSTocIndex_h

#include <cstddef>
#include <utility>
#include <vector>

#include "ZYNINSLimits.h"
#include "ZYNINSNameTable.h"
#include "ZYNINSToc.h"

class ZYNINSTocIndex {
 public:
  // The index refers to the names in the table: it is dropped whenever the table changes.
  ZYNINSTocIndex(const ZYNINSUnitToc *entries, int nbEntries);

  // Ascending, distinct entry positions.
  class Positions {
   public:
    Positions(const int *begin, const int *end) : _Begin(begin), _End(end) {}
    const int *begin() const { return _Begin; }
    const int *end() const { return _End; }
    bool empty() const { return _Begin == _End; }
    std::size_t size() const { return static_cast<std::size_t>(_End - _Begin); }
    int front() const { return *_Begin; }

   private:
    const int *_Begin;
    const int *_End;
  };

  // Position of the first entry of that name and type, or -1.
  int First(const char *name, ZYNINSType type) const { return First(NameId(name), type); }
  // The entries of that type whose list names the unit.
  Positions Superseding(const char *name, ZYNINSType type) const { return Superseding(NameId(name), type); }
  Positions Prerequing(const char *name, ZYNINSType type) const { return Prerequing(NameId(name), type); }
  Positions Ifrequing(const char *name, ZYNINSType type) const { return Ifrequing(NameId(name), type); }

  // Every name of the table, as entry name or list item, has an id; other names have -1.
  // A planner looks each name up once and asks the rest by id.
  int NameId(const char *name) const { return name ? _Names.Find(name) : -1; }
  // The id of the name of the entry at that position (-1 for an entry of no known type).
  int EntryNameId(int position) const { return _EntryNameId[static_cast<std::size_t>(position)]; }
  const char *NameText(int id) const { return _Names.Text(id); }
  std::size_t NameCount() const { return _Names.Count(); }
  int First(int id, ZYNINSType type) const;
  Positions Superseding(int id, ZYNINSType type) const { return Find(_Superseding, id, type); }
  Positions Prerequing(int id, ZYNINSType type) const { return Find(_Prerequing, id, type); }
  Positions Ifrequing(int id, ZYNINSType type) const { return Find(_Ifrequing, id, type); }

 private:
  // Positions grouped by name id: those of name id are positions[start[id]] to positions[start[id + 1]].
  struct Relation {
    std::vector<int> start;
    std::vector<int> positions;
    std::vector<std::pair<int, int>> pending;  // (name id, position) while the index is built
    void Note(int id, int position) { pending.emplace_back(id, position); }
    void Build(std::size_t nbNames);
  };
  Positions Find(const Relation (&relation)[ZYNINSNbEntryTypes], int id, ZYNINSType type) const;

  ZYNINSNameTable _Names;  // every name of the table, as entry name or list item
  std::vector<int> _EntryNameId;  // by position
  std::vector<int> _First[ZYNINSNbEntryTypes];
  Relation _Superseding[ZYNINSNbEntryTypes];
  Relation _Prerequing[ZYNINSNbEntryTypes];
  Relation _Ifrequing[ZYNINSNbEntryTypes];
};

#endif
