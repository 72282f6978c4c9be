#include "ZYNINSMediaIndex.h"

ZYNINSMediaIndex::ZYNINSMediaIndex(const ZYNINSPrefixToc *prefixes, int nbPrefixes)
    : _Prefixes(prefixes), _NbPrefixes(prefixes && nbPrefixes > 0 ? nbPrefixes : 0) {
  _First.reserve(static_cast<size_t>(_NbPrefixes));
  for (int k = 0; k < _NbPrefixes; ++k) _First.emplace(_Prefixes[k].GetIndexI(), k);  // keeps the first
}

int ZYNINSMediaIndex::Position(int number) const {
  if (number >= 3 && number - 3 < _NbPrefixes && _Prefixes[number - 3].GetIndexI() == number) return number - 3;
  auto found = _First.find(number);
  return found == _First.end() ? -1 : found->second;
}
