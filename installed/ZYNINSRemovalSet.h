// The removal being planned: the installed catalogue as GetSize hands it over, the units
// taken so far and the lookups that the closure and the final steps share.
#ifndef ZYNINSRemovalSet_h
#define ZYNINSRemovalSet_h

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "ZYNINSInstToc.h"
#include "ZYNINSNames.h"
#include "ZYNINSObserved.h"
#include "ZYNINSPlanLists.h"
#include "ZYNINSTocIndex.h"
#include "ZYNINSWorkList.h"

// What a removal plan reads of the installed catalogue, for one entry type. Names are the
// ids of the catalogue's name index: each is looked up once, and every name the plan meets
// after the request is in it. A catalogue whose load failed comes as an empty table.
struct ZYNINSRemovalCatalogue {
  ZYNINSInstToc &toc;  // asked whether a name is installed
  const ZYNINSUnitToc *entries;
  int nbEntries;
  const ZYNINSTocIndex &index;
  ZYNINSType type;
};

class ZYNINSRemovalSet {
 public:
  explicit ZYNINSRemovalSet(const ZYNINSRemovalCatalogue &catalogue) : _Catalogue(catalogue) {}

  // Distinct positions of a table of at most ZYNINSMostLines entries: never full.
  void Add(int position) { _Members.Add(position); }
  bool Contains(int position) const { return _Members.Contains(position); }
  std::size_t Count() const { return _Members.Count(); }
  int operator[](std::size_t m) const { return _Members[m]; }
  // In the order they were taken.
  const std::vector<int> &Members() const { return _Members.Items(); }

  // The members in reverse catalogue order, the order of the answer.
  std::vector<int> InReverseCatalogueOrder() const {
    std::vector<int> order(_Members.Items());
    std::sort(order.begin(), order.end());
    std::reverse(order.begin(), order.end());
    return order;
  }

  const ZYNINSUnitToc &Entry(int position) const { return _Catalogue.entries[position]; }
  const ZYNINSTocIndex &Index() const { return _Catalogue.index; }
  ZYNINSType Type() const { return _Catalogue.type; }
  bool Empty() const { return _Catalogue.nbEntries == 0; }
  // Installed (0), superseded (1) or neither (-1), as the catalogue answers for a known name.
  int AskInstalled(int name) const {
    return _Catalogue.toc.IsInstalled(_Catalogue.index.NameText(name), _Catalogue.type);
  }

  // The position of the first entry of the name and type, or -1.
  int Find(int name) const {
    if (_Catalogue.nbEntries == 0) return -1;
    int index = _Catalogue.index.First(name, _Catalogue.type);
    return index >= 0 && index < _Catalogue.nbEntries ? index : -1;
  }

  // The first of the related entries that stays (fixes excepted when asked), or -1
  // when all of them are in the removal set.
  int FirstStaying(ZYNINSTocIndex::Positions related, bool fixesExcepted) const {
    for (int index : related) {
      ++ZYNINSLastPlanWork().steps;
      if (!_Members.Contains(index) && !(fixesExcepted && Entry(index).GetPkg() == ZYNINSFIX)) return index;
    }
    return -1;
  }

  std::string Text(int name) const { return ZYNINSNameText(_Catalogue.index.NameText(name)); }

  // Told why each unit joins the removal set; null leaves planning as it is.
  ZYNINSPlanObserver *Observer() const { return _Observer; }

 private:
  const ZYNINSRemovalCatalogue _Catalogue;
  ZYNINSIndexWorkList _Members;
  ZYNINSPlanObserver *const _Observer = ZYNINSObserverInEffect();
};

#endif
