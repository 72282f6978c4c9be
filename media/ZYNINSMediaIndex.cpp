// Building the sequence index of a medium and answering it.
#include "ZYNINSMediaIndex.h"

#include "ZYNINSLimits.h"

ZYNINSMediaIndex::ZYNINSMediaIndex(const ZYNINSPrefixToc *prefixes, int nbPrefixes)
    : _Prefixes(prefixes), _NbPrefixes(prefixes && nbPrefixes > 0 ? nbPrefixes : 0) {
  _First.reserve(static_cast<size_t>(_NbPrefixes));
  for (int k = 0; k < _NbPrefixes; ++k) _First.emplace(_Prefixes[k].GetIndexI(), k);  // keeps the first
}

int ZYNINSMediaIndex::Position(int number) const {
  if (number >= ZYNINSFirstSequence) {
    int inPlace = number - ZYNINSFirstSequence;
    if (inPlace < _NbPrefixes && _Prefixes[inPlace].GetIndexI() == number) return inPlace;
  }
  auto found = _First.find(number);
  return found == _First.end() ? -1 : found->second;
}
