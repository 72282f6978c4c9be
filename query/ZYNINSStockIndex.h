// A list of distinct entry positions, filled by the relation queries.
#ifndef ZYNINSStockIndex_h
#define ZYNINSStockIndex_h

#include "ZYNINSLimits.h"

class ZYNINSStockIndex {
 public:
  ZYNINSStockIndex() : _NbIndex(0) {}
  int *Reset() {
    _NbIndex = 0;
    return _Index;
  }
  unsigned int *GetNbIndexAddress() { return &_NbIndex; }
  unsigned int GetNbIndex() const { return _NbIndex; }
  int GetIndex(int i) const { return _Index[i]; }

 private:
  unsigned int _NbIndex;
  int _Index[ZYNINSListCapacity];
};

#endif
