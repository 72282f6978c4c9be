// Sequence number to table position for a medium's prefix entries.
#ifndef ZYNINSMediaIndex_h
#define ZYNINSMediaIndex_h

#include <unordered_map>

#include "ZYNINSMediaToc.h"

class ZYNINSMediaIndex {
 public:
  // The prefixes are not copied: they must outlive the index.
  ZYNINSMediaIndex(const ZYNINSPrefixToc *prefixes, int nbPrefixes);

  // The position at number - ZYNINSFirstSequence when that prefix carries the number
  // (media numbered in line order); else the first position in table order; else -1.
  int Position(int number) const;

 private:
  const ZYNINSPrefixToc *_Prefixes;
  int _NbPrefixes;
  std::unordered_map<int, int> _First;
};

#endif
